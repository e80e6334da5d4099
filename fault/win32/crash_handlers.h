// Routes every fault the toolkit does not see (a processor exception nobody handled, an uncaught C++
// exception) to the fault hook, so the user gets the report box instead of the system's crash dialog.
#pragma once

#include "fault/report_fault.h"

namespace mastervol::fault::win32 {

// The exit code of a process ended by a fault.
inline constexpr int kFaultExitCode = -1;

// Installs the unhandled-exception filter and the std::terminate handler; both call hook with the
// fault's code and note and then end the process with kFaultExitCode. Returns the hook the toolkit
// should register: the same hook, guarded so that the first fault is the only one ever reported. A
// fault raised while the hook runs ends the process at once, without a second report.
// Installing again replaces the hook; call it once, on the main thread, before the window loads.
[[nodiscard]] FaultHook InstallCrashHandlers(FaultHook hook);

}  // namespace mastervol::fault::win32

// The fault hook: turns a fault code and note into a log line and a report box.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "fault/platform.h"

namespace mastervol::fault {

// What the platform calls for a fault: (code, note) → non-zero once the fault has been reported.
using FaultHook = std::function<std::int32_t(std::int32_t code, std::string_view note)>;

inline constexpr std::int32_t kFaultReported = 1;

// Logs the fault as one line, then shows the report box when there is an interactive desktop to show
// it on. Always returns kFaultReported; the caller then ends the process with exit code -1.
[[nodiscard]] std::int32_t ReportFault(FaultPlatform& platform, std::int32_t code,
                                       std::string_view note) noexcept;

// The hook to register at start-up: ReportFault on the given platform, which must outlive the hook.
[[nodiscard]] FaultHook MakeFaultHook(FaultPlatform& platform);

}  // namespace mastervol::fault

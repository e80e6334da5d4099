// What the fault report learns from Windows about the running program and the system under it.
#pragma once

#include <string>
#include <string_view>

namespace mastervol::fault::win32 {

// Index into the OS table, read from the process environment block (NT) or the thread block (9x).
[[nodiscard]] int DetectOsIndex() noexcept;
// The OS table's name for DetectOsIndex().
[[nodiscard]] std::string_view DetectOsName() noexcept;

// True when this 32-bit process runs on 64-bit Windows. Looks IsWow64Process up at run time, since
// the oldest systems lack it; without it the answer is false.
[[nodiscard]] bool RunsUnderWow64() noexcept;

// The running executable's full path as the system reports it; empty if it cannot be read.
[[nodiscard]] std::string ExecutablePath() noexcept;

// False when the process's window station is not visible to a user (a service, a task run as SYSTEM):
// a box there would wait forever. When the station cannot be asked, a desktop is assumed.
[[nodiscard]] bool HasInteractiveDesktop() noexcept;

}  // namespace mastervol::fault::win32

// Routes each of the fault report's needs to the Windows function that answers it.
#include "fault/win32/windows_platform.h"

#include <utility>

#include "fault/win32/error_box.h"
#include "fault/win32/system_facts.h"

namespace mastervol::fault::win32 {

WindowsFaultPlatform::WindowsFaultPlatform(LogLineWriter writeLogLine) noexcept
    : writeLogLine_(std::move(writeLogLine)) {}

std::string WindowsFaultPlatform::ExecutablePath() noexcept { return win32::ExecutablePath(); }

int WindowsFaultPlatform::OsIndex() noexcept { return DetectOsIndex(); }

bool WindowsFaultPlatform::RunsUnderWow64() noexcept { return win32::RunsUnderWow64(); }

bool WindowsFaultPlatform::HasInteractiveDesktop() noexcept { return win32::HasInteractiveDesktop(); }

void WindowsFaultPlatform::AppendLogLine(std::string_view line) noexcept {
  if (!writeLogLine_) return;
  try {
    writeLogLine_(line);
  } catch (...) {
    // A log that cannot be written must not keep the box from showing.
  }
}

void WindowsFaultPlatform::ShowErrorBox(std::string_view text, std::string_view title,
                                        std::uint32_t style) noexcept {
  win32::ShowErrorBox(text, title, style);
}

}  // namespace mastervol::fault::win32

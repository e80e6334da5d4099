// The default log file's path: named after the running executable and placed beside it.
#pragma once

#include <string>
#include <string_view>

#include "log/log_platform.h"

namespace mastervol::log {

// Derives the log path from an executable's full path, e.g. C:\apps\tool.exe gives C:\apps\tool.log.
// Names are counted in characters of the ANSI code page (GBK: a lead byte and its trail byte are one).
// An empty executable path gives an empty log path: there is nowhere sensible to write.
[[nodiscard]] std::string LogPath(std::string_view executablePath);

// The folder part of an executable's full path, with its trailing backslash ("C:\apps\", "C:\"), split at
// the last backslash that is a character of its own; empty when there is none.
[[nodiscard]] std::string_view ExecutableDirectory(std::string_view executablePath) noexcept;

// The log path of the running executable.
[[nodiscard]] std::string LogPath(LogPlatform& platform);

}  // namespace mastervol::log

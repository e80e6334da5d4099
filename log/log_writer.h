// The log writer: appends one timestamped line to the log file, optionally emptying an oversized log first.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "log/log_platform.h"

namespace mastervol::log {

// What a caller may set for one line. An empty text counts as left out, as everywhere in the program.
struct LogLineOptions {
  std::string path{};          // left out: the executable's LogPath
  std::string timeText{};      // left out: FormatTimestamp() of the current local time
  double maxMegabytes = 0.0;   // 0 or less: no size cap
};

// The line on disk: timeText, a blank, text, CR LF; bytes as given, no conversion.
[[nodiscard]] std::string ComposeLogLine(std::string_view timeText, std::string_view text);

// Whether a log of `sizeBytes` (nothing: no file) is over the cap and must be deleted before the write.
[[nodiscard]] bool ExceedsSizeCap(std::optional<std::uint32_t> sizeBytes, double maxMegabytes) noexcept;

// Appends one line. A line that cannot be written is lost silently: the program goes on either way, so
// there is no result to look at.
void WriteLogLine(LogPlatform& platform, std::string_view text, const LogLineOptions& options = {}) noexcept;

}  // namespace mastervol::log

// Timestamp texts for log lines and file names, in ten fixed styles.
#pragma once

#include <string>

#include "log/log_platform.h"

namespace mastervol::log {

// The styles FormatTimestamp knows; any other number gives the default style.
namespace timestamp_style {
inline constexpr int kDefault = 0;            // YYYY-MM-DD hh:mm:ss
inline constexpr int kSlashes = 1;            // YYYY/MM/DD hh:mm:ss
inline constexpr int kDashedCompact = 2;      // YYYY-MM-DD_hhmmss
inline constexpr int kCompact = 3;            // YYYYMMDD_hhmmss
inline constexpr int kTime = 4;               // hh:mm:ss
inline constexpr int kTimeCompact = 5;        // hhmmss
inline constexpr int kDate = 6;               // YYYY-MM-DD
inline constexpr int kDateUnpadded = 7;       // Y-M-D, no leading zeros
inline constexpr int kHourMinute = 8;         // hh:mm
inline constexpr int kDigits = 9;             // YYYYMMDDhhmmss
}  // namespace timestamp_style

[[nodiscard]] std::string FormatTimestamp(int style, const LocalDateTime& when);
[[nodiscard]] std::string FormatTimestamp(const LocalDateTime& when);

// The current local time, read once from the platform's clock.
[[nodiscard]] std::string FormatTimestamp(LogPlatform& platform, int style = timestamp_style::kDefault);

}  // namespace mastervol::log

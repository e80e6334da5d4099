// Timestamp formatting with printf conventions; the hour is on the 24-hour clock.
#include "log/timestamp.h"

#include <cstddef>
#include <cstdio>

namespace mastervol::log {
namespace {

// Large enough for six fields of any int value and their separators.
constexpr std::size_t kBufferSize = 96;

template <typename... Fields>
std::string Format(const char* format, Fields... fields) {
  char buffer[kBufferSize];
  const int length = std::snprintf(buffer, sizeof buffer, format, fields...);
  return length < 0 ? std::string{} : std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace

std::string FormatTimestamp(int style, const LocalDateTime& t) {
  namespace s = timestamp_style;
  switch (style) {
    case s::kSlashes:
      return Format("%d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    case s::kDashedCompact:
      return Format("%d-%02d-%02d_%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    case s::kCompact:
      return Format("%d%02d%02d_%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    case s::kTime:
      return Format("%02d:%02d:%02d", t.hour, t.minute, t.second);
    case s::kTimeCompact:
      return Format("%02d%02d%02d", t.hour, t.minute, t.second);
    case s::kDate:
      return Format("%d-%02d-%02d", t.year, t.month, t.day);
    case s::kDateUnpadded:
      return Format("%d-%d-%d", t.year, t.month, t.day);
    case s::kHourMinute:
      return Format("%02d:%02d", t.hour, t.minute);
    case s::kDigits:
      return Format("%d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    default:
      return Format("%d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  }
}

std::string FormatTimestamp(const LocalDateTime& when) { return FormatTimestamp(timestamp_style::kDefault, when); }

std::string FormatTimestamp(LogPlatform& platform, int style) { return FormatTimestamp(style, platform.LocalNow()); }

}  // namespace mastervol::log

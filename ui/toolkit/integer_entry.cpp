// Integer entry rules for edit boxes: the typed-character filter and the focus-loss rewrite.
#include "ui/toolkit/integer_entry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace mastervol::ui::toolkit {

bool AcceptsIntegerEntryChar(unsigned int code) noexcept {
  return code < 0x20 || (code >= '0' && code <= '9') || code == '-';
}

std::string NormalizeIntegerEntry(std::string_view content) {
  std::size_t i = 0;
  while (i < content.size() && (content[i] == ' ' || (content[i] >= '\t' && content[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < content.size() && (content[i] == '+' || content[i] == '-')) negative = content[i++] == '-';
  // Accumulate with the sign applied, stopping at the 32-bit limit instead of wrapping.
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  std::int64_t value = 0;
  for (; i < content.size() && content[i] >= '0' && content[i] <= '9'; ++i) {
    const std::int64_t digit = content[i] - '0';
    value = negative ? std::max(kMin, value * 10 - digit) : std::min(kMax, value * 10 + digit);
  }
  return value == 0 ? std::string() : std::to_string(value);
}

}  // namespace mastervol::ui::toolkit

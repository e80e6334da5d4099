// Fuzz target: the text-to-integer conversion of any byte string, compared with a reference model
// written here from the conversion's rules and sharing no code with the program.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/command_line.h"
#include "fuzz/require.h"

namespace {

using mastervol::fuzz::Require;

// The full-width pairs that have a plain twin; every other pair is kept as it is.
int PlainTwin(unsigned char lead, unsigned char trail) noexcept {
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return trail - 0x80;  // ！ to ～ in the full-width row
  if (lead == 0xA1) {
    switch (trail) {
      case 0xA1: return ' ';  // ideographic blank
      case 0xAB: return '~';
      case 0xEE:
      case 0xEF: return '*';
      default: break;
    }
  }
  return -1;
}

std::string ReferenceNormalise(std::string_view text) {
  std::string plain;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      plain.push_back(text[i]);
      i += 1;
    } else if (i + 1 < text.size()) {
      const int twin = PlainTwin(lead, static_cast<unsigned char>(text[i + 1]));
      if (twin >= 0) {
        plain.push_back(static_cast<char>(twin));
      } else {
        plain.append(text.substr(i, 2));
      }
      i += 2;
    } else {
      i += 1;  // half a pair at the very end is dropped
    }
  }
  return plain;
}

// atol in the "C" locale with the value taken modulo 2^32 instead of overflowing. While the digits fit,
// strtoll reads the whole text itself; for a longer run only the last 32 digits matter, as 10^32 is a
// multiple of 2^32, and those fit in 128 bits.
std::int32_t ReferenceTextToInteger(std::string_view text) {
  const std::string plain = ReferenceNormalise(text);
  std::size_t at = 0;
  while (at < plain.size() && std::isspace(static_cast<unsigned char>(plain[at])) != 0) ++at;
  const bool hasSign = at < plain.size() && (plain[at] == '+' || plain[at] == '-');
  const std::size_t digitsFrom = at + (hasSign ? 1 : 0);
  std::size_t digitsTo = digitsFrom;
  while (digitsTo < plain.size() && std::isdigit(static_cast<unsigned char>(plain[digitsTo])) != 0) ++digitsTo;

  constexpr std::uint64_t kLow32Bits = 0xFFFFFFFFu;
  constexpr std::size_t kDigitsStrtollHolds = 18;  // below LLONG_MAX whatever the digits
  if (digitsTo - digitsFrom <= kDigitsStrtollHolds) {
    const long long value = std::strtoll(plain.c_str(), nullptr, 10);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<unsigned long long>(value) & kLow32Bits));
  }
  __extension__ typedef unsigned __int128 Wide;
  constexpr std::size_t kDigitsThatCount = 32;
  Wide magnitude = 0;
  const std::size_t countedFrom = digitsTo - std::min(digitsTo - digitsFrom, kDigitsThatCount);
  for (std::size_t i = countedFrom; i < digitsTo; ++i) {
    magnitude = magnitude * 10 + static_cast<Wide>(plain[i] - '0');
  }
  const Wide twoTo32 = Wide{1} << 32;
  const Wide wrapped = hasSign && plain[at] == '-' ? (twoTo32 - magnitude % twoTo32) % twoTo32 : magnitude % twoTo32;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(wrapped));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Require(mastervol::app::TextToInteger(text) == ReferenceTextToInteger(text),
          "TextToInteger agrees with the reference model");
  return 0;
}

// Fuzz target: any byte string as the process's command line, split into arguments and the first one
// converted, checked against properties that hold for every line. A line that never finishes splitting
// shows up as a libFuzzer timeout.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "fuzz/require.h"

namespace {

using mastervol::app::SplitCommandLine;
using mastervol::app::TextToInteger;
using mastervol::fuzz::Require;
using Arguments = std::vector<std::string>;

constexpr char kQuote = '"';

constexpr bool IsHigh(unsigned char byte) noexcept { return byte >= 0x80; }
constexpr bool IsSeparator(unsigned char byte) noexcept { return byte >= 0x01 && byte <= 0x20; }

// What a text holds outside its double-byte pairs (a high byte and the byte after it).
struct SingleBytes {
  bool separator = false;
  bool quote = false;
  bool zero = false;
  bool endsInLoneHighByte = false;
};

SingleBytes ScanSingleBytes(std::string_view text) noexcept {
  SingleBytes found;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (IsHigh(byte)) {
      if (i + 1 == text.size()) found.endsInLoneHighByte = true;
      ++i;
      continue;
    }
    found.separator = found.separator || IsSeparator(byte);
    found.quote = found.quote || byte == kQuote;
    found.zero = found.zero || byte == '\0';
  }
  return found;
}

// Every argument is a piece of the line, in order and without overlap; one that holds a separator or is
// empty can only have come from quotes, so the line must hold it right after a quote.
bool ArgumentsAreQuotedOrPlainPiecesOfTheLine(std::string_view line, const Arguments& arguments) {
  std::size_t from = 0;
  for (const std::string& argument : arguments) {
    const bool needsQuote = argument.empty() || ScanSingleBytes(argument).separator;
    const std::string piece = needsQuote ? kQuote + argument : argument;
    const std::size_t at = line.find(piece, from);
    if (at == std::string_view::npos) return false;
    from = at + piece.size();
  }
  return true;
}

// For lines of plain ASCII without quotes the rules come down to: the name runs to the first blank, and
// the rest splits at every byte from 0x01 to 0x20.
Arguments SplitPlainAsciiLine(std::string_view line) {
  const std::size_t blank = line.find(' ');
  Arguments arguments;
  if (blank == std::string_view::npos) return arguments;
  std::string current;
  for (const char c : line.substr(blank + 1)) {
    if (!IsSeparator(static_cast<unsigned char>(c))) {
      current += c;
    } else if (!current.empty()) {
      arguments.push_back(std::move(current));
      current.clear();
    }
  }
  if (!current.empty()) arguments.push_back(std::move(current));
  return arguments;
}

bool IsPlainAsciiWithoutQuotes(std::string_view line) noexcept {
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsHigh(byte) || byte == kQuote) return false;
  }
  return true;
}

// The value of a text of ASCII digits modulo 2^32, worked out apart from the program's own loop:
// 10^32 is a multiple of 2^32, so only the last 32 digits count, and they fit in 128 bits.
std::uint32_t DigitsModulo2To32(std::string_view digits) noexcept {
  __extension__ typedef unsigned __int128 Wide;
  constexpr std::size_t kDigitsThatCount = 32;
  if (digits.size() > kDigitsThatCount) digits.remove_prefix(digits.size() - kDigitsThatCount);
  Wide value = 0;
  for (const char c : digits) value = value * 10 + static_cast<Wide>(c - '0');
  return static_cast<std::uint32_t>(value & 0xFFFFFFFFu);
}

bool IsAsciiDigits(std::string_view text) noexcept {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A view of exactly the fuzzer's bytes: a read past the end is caught by AddressSanitizer.
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const Arguments arguments = SplitCommandLine(line);

  Require(SplitCommandLine(line) == arguments, "splitting is deterministic");
  const std::string_view beforeZero = line.substr(0, line.find('\0'));
  Require(SplitCommandLine(beforeZero) == arguments, "a zero byte ends the line");
  for (const std::string& argument : arguments) {
    const SingleBytes found = ScanSingleBytes(argument);
    Require(!found.zero, "no argument holds a zero byte");
    Require(!found.quote, "no argument holds a quote outside a double-byte pair");
    Require(!found.endsInLoneHighByte, "no argument ends in half a double-byte pair");
  }
  Require(ArgumentsAreQuotedOrPlainPiecesOfTheLine(beforeZero, arguments),
          "arguments are pieces of the line in order; separators only inside quotes");
  if (IsPlainAsciiWithoutQuotes(beforeZero)) {
    Require(SplitPlainAsciiLine(beforeZero) == arguments, "plain ASCII splits at control bytes and blanks");
  }

  if (!arguments.empty()) {
    const std::string& first = arguments.front();
    const std::int32_t value = TextToInteger(first);
    if (IsAsciiDigits(first)) {
      Require(static_cast<std::uint32_t>(value) == DigitsModulo2To32(first), "digits convert modulo 2^32");
    }
    if (first.empty()) Require(value == 0, "an empty argument converts to 0");
  }
  return 0;
}

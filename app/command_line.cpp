// Byte-by-byte command-line splitting and integer conversion, aware of double-byte (GBK) characters.
#include "app/command_line.h"

namespace mastervol::app {
namespace {

constexpr unsigned char kQuote = '"';
constexpr unsigned char kBlank = 0x20;

// A byte at or above 0x80 leads a double-byte character: the next byte belongs to it, whatever it is.
constexpr bool IsLeadByte(unsigned char byte) noexcept { return byte >= 0x80; }
constexpr bool IsSeparator(unsigned char byte) noexcept { return byte >= 0x01 && byte <= kBlank; }

// Reads the command line one byte at a time; a zero byte ends it like the string's end.
class Cursor {
 public:
  explicit Cursor(std::string_view line) noexcept : line_(line.substr(0, line.find('\0'))) {}

  [[nodiscard]] bool AtEnd() const noexcept { return position_ >= line_.size(); }
  [[nodiscard]] unsigned char Peek() const noexcept { return static_cast<unsigned char>(line_[position_]); }
  [[nodiscard]] bool IsLastByte() const noexcept { return position_ + 1 == line_.size(); }
  void Advance(std::size_t count = 1) noexcept { position_ += count; }
  [[nodiscard]] std::string_view Take(std::size_t count) noexcept {
    const std::string_view taken = line_.substr(position_, count);
    position_ += count;
    return taken;
  }

 private:
  std::string_view line_;
  std::size_t position_ = 0;
};

void SkipProgramName(Cursor& cursor) noexcept {
  if (cursor.AtEnd()) return;
  if (cursor.Peek() == kQuote) {
    cursor.Advance();
    while (!cursor.AtEnd() && cursor.Peek() != kQuote) cursor.Advance();
    if (cursor.AtEnd()) return;
    cursor.Advance();
    if (!cursor.AtEnd() && cursor.Peek() == kBlank) cursor.Advance();
    return;
  }
  // Only a blank ends an unquoted name: a name followed by a tab swallows the rest of the line.
  while (!cursor.AtEnd() && cursor.Peek() != kBlank) cursor.Advance();
  if (!cursor.AtEnd()) cursor.Advance();
}

enum class ArgumentEnd { More, LineEnd };

// Appends the bytes of one argument until `ends` says stop. A lead byte carries its trail byte with it;
// a lead byte that is the line's last byte is dropped and ends the splitting.
template <typename EndsArgument>
ArgumentEnd ReadArgumentBytes(Cursor& cursor, std::string& argument, EndsArgument ends) {
  while (!cursor.AtEnd()) {
    const unsigned char byte = cursor.Peek();
    if (IsLeadByte(byte)) {
      if (cursor.IsLastByte()) {
        cursor.Advance();
        return ArgumentEnd::LineEnd;
      }
      argument += cursor.Take(2);
      continue;
    }
    if (ends(byte)) return ArgumentEnd::More;
    argument += static_cast<char>(byte);
    cursor.Advance();
  }
  return ArgumentEnd::LineEnd;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  Cursor cursor(commandLine);
  SkipProgramName(cursor);

  std::vector<std::string> arguments;
  while (!cursor.AtEnd()) {
    const unsigned char byte = cursor.Peek();
    if (IsSeparator(byte)) {
      cursor.Advance();
      continue;
    }
    std::string argument;
    ArgumentEnd end;
    if (byte == kQuote) {
      // The quotes are the argument's bounds, so even "" is an argument: the empty text.
      cursor.Advance();
      end = ReadArgumentBytes(cursor, argument, [](unsigned char b) { return b == kQuote; });
      if (end == ArgumentEnd::More) cursor.Advance();  // the closing quote
      arguments.push_back(std::move(argument));
    } else {
      end = ReadArgumentBytes(cursor, argument, [](unsigned char b) { return b <= kBlank || b == kQuote; });
      // A plain argument that was nothing but a dropped final lead byte is no argument at all.
      if (!argument.empty()) arguments.push_back(std::move(argument));
    }
    if (end == ArgumentEnd::LineEnd) break;
  }
  return arguments;
}

namespace {

// Full-width forms are double-byte pairs; those that have an ASCII twin become that single byte.
std::string NormaliseFullWidth(std::string_view text) {
  constexpr unsigned char kFullWidthRow = 0xA3;
  constexpr unsigned char kSymbolRow = 0xA1;
  std::string normal;
  normal.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (!IsLeadByte(lead)) {
      normal += static_cast<char>(lead);
      continue;
    }
    if (i + 1 == text.size()) break;  // a lone lead byte at the end is dropped
    const auto trail = static_cast<unsigned char>(text[++i]);
    if (lead == kFullWidthRow && trail >= 0xA1 && trail <= 0xFE) {
      normal += static_cast<char>(trail & 0x7F);
    } else if (lead == kSymbolRow && trail == 0xA1) {
      normal += ' ';
    } else if (lead == kSymbolRow && trail == 0xAB) {
      normal += '~';
    } else if (lead == kSymbolRow && (trail == 0xEE || trail == 0xEF)) {
      normal += '*';
    } else {
      normal += static_cast<char>(lead);
      normal += static_cast<char>(trail);
    }
  }
  return normal;
}

constexpr bool IsAtolSpace(unsigned char byte) noexcept { return byte == ' ' || (byte >= 0x09 && byte <= 0x0D); }
constexpr bool IsDigit(unsigned char byte) noexcept { return byte >= '0' && byte <= '9'; }

}  // namespace

std::int32_t TextToInteger(std::string_view text) noexcept {
  std::string normal;
  try {
    normal = NormaliseFullWidth(text);
  } catch (...) {
    return 0;  // out of memory for a copy of the text: nothing sensible to read
  }
  std::size_t i = 0;
  while (i < normal.size() && IsAtolSpace(static_cast<unsigned char>(normal[i]))) ++i;
  bool negative = false;
  if (i < normal.size() && (normal[i] == '+' || normal[i] == '-')) negative = normal[i++] == '-';
  // Unsigned arithmetic wraps modulo 2^32 by definition, so a long number cannot overflow.
  std::uint32_t value = 0;
  for (; i < normal.size() && IsDigit(static_cast<unsigned char>(normal[i])); ++i) {
    value = value * 10u + static_cast<std::uint32_t>(normal[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

}  // namespace mastervol::app

// Command-line splitting and integer conversion, each as a table of command lines a user could type.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <climits>

namespace mastervol::app {
namespace {

using Arguments = std::vector<std::string>;

struct SplitCase {
  const char* what;
  std::string_view line;
  Arguments expected;
};

// High bytes are written as escapes so the cases are GBK bytes whatever the compiler's charset.
const SplitCase kSplitCases[] = {
    {"name alone", "mastervol", {}},
    {"name and blanks", "mastervol    ", {}},
    {"blanks and tabs only", "mastervol  \t \t ", {}},
    {"one argument", "mastervol 35", {"35"}},
    {"separators of every control byte", "mastervol \x01\t\r\n 35 \x1f", {"35"}},
    {"a tab does not end an unquoted name", "mastervol\t50", {}},
    {"quoted name with blanks", "\"C:\\Program Files\\mastervol.exe\" 50", {"50"}},
    {"quoted name glued to the argument", "\"C:\\mastervol.exe\"50", {"50"}},
    {"quoted name, two blanks", "\"C:\\mastervol.exe\"  50", {"50"}},
    {"quoted name never closed", "\"C:\\mastervol.exe 50", {}},
    {"only the first two of many", "mastervol 20 80", {"20", "80"}},
    {"glued plain and quoted tokens", "mastervol ab\"cd ef\"gh", {"ab", "cd ef", "gh"}},
    {"empty quotes are an empty argument", "mastervol \"\"", {""}},
    {"empty quotes then more", "mastervol \"\" 5", {"", "5"}},
    {"quote left open runs to the end", "mastervol \"abc def", {"abc def"}},
    {"backslash is an ordinary byte", "mastervol a\\\"b\"", {"a\\", "b"}},
    {"double-byte trail blank stays inside", "mastervol \xB2\x20x y", {"\xB2\x20x", "y"}},
    {"double-byte trail quote stays inside", "mastervol \"\xB2\x22x\" y", {"\xB2\x22x", "y"}},
    {"double-byte trail low byte stays inside", "mastervol \xB2\x09z", {"\xB2\x09z"}},
    {"full-width digits", "mastervol \xA3\xB5\xA3\xB0", {"\xA3\xB5\xA3\xB0"}},
    {"final lone high byte ends the argument", "mastervol ab\xE9", {"ab"}},
    {"final lone high byte in quotes", "mastervol \"ab\xE9", {"ab"}},
    {"final lone high byte alone is no argument", "mastervol ab \xE9", {"ab"}},
    {"final lone high byte after an open quote", "mastervol \"\xE9", {""}},
    {"a zero byte ends the line", std::string_view("mastervol 5\0 6", 14), {"5"}},
    {"empty line", "", {}},
};

TEST(SplitCommandLine, SplitsLikeTheProgramAlwaysHas) {
  for (const SplitCase& c : kSplitCases) {
    EXPECT_EQ(SplitCommandLine(c.line), c.expected) << c.what;
  }
}

struct ConversionCase {
  std::string_view text;
  std::int32_t expected;
};

const ConversionCase kConversionCases[] = {
    {"35", 35},
    {"0", 0},
    {"35.7", 35},
    {"50%", 50},
    {"abc", 0},
    {"", 0},
    {" \t\n\v\f\r42", 42},
    {"+7", 7},
    {"-20", -20},
    {"- 5", 0},
    {"+-5", 0},
    {"007", 7},
    {"12abc34", 12},
    {"2147483647", INT32_MAX},
    {"2147483648", INT32_MIN},
    {"-2147483648", INT32_MIN},
    {"4294967296", 0},
    {"4294967301", 5},
    {"99999999999999999999", static_cast<std::int32_t>(1661992959u)},  // 10^20 - 1 mod 2^32
    {"\xA3\xB5\xA3\xB0", 50},                 // full-width ５０
    {"\xA3\xAD\xA3\xB3", -3},                 // full-width －３
    {"\xA3\xAB\xA3\xB9", 9},                  // full-width ＋９
    {"\xA1\xA1\xA1\xA1" "12", 12},            // full-width blanks lead
    {"3\xA3\xB5", 35},                        // half-width and full-width mixed
    {"\xA3\xAE" "5", 0},                      // full-width full stop first
    {"\xB0\xA1" "12", 0},                     // a Chinese character first
    {"12\xB0\xA1", 12},
    {"\xA3\x41" "5", 0},                      // trail byte outside the full-width row stays a pair
    {"7\xA3", 7},                             // final lone high byte dropped
    {"\xA3", 0},
    {"\xA1\xAB" "1", 0},                      // ～ becomes '~', not a digit
};

TEST(TextToInteger, ReadsLikeAtolAfterNormalisingFullWidthForms) {
  for (const ConversionCase& c : kConversionCases) {
    EXPECT_EQ(TextToInteger(c.text), c.expected) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace mastervol::app

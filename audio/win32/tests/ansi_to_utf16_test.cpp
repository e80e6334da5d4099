// AnsiToUtf16 under Wine with the Chinese ANSI code page: the units and the terminator it yields.
#include "audio/win32/ansi_to_utf16.h"

#include <windows.h>

#include <string_view>

#include <gtest/gtest.h>

namespace mastervol::audio {
namespace {

constexpr UINT kChineseCodePage = 936;  // GBK

std::vector<wchar_t> Units(std::initializer_list<unsigned> units) {
  std::vector<wchar_t> result;
  for (const unsigned unit : units) result.push_back(static_cast<wchar_t>(unit));
  return result;
}

TEST(AnsiToUtf16, GuidTextGivesThirtyNineUnitsOf78Bytes) {
  constexpr std::string_view guid = "{BCDE0395-E52F-467C-8E3D-C4579291692E}";
  const std::vector<wchar_t> wide = AnsiToUtf16(guid);
  ASSERT_EQ(wide.size(), 39u);
  EXPECT_EQ(wide.size() * sizeof(wchar_t), 78u);
  for (std::size_t i = 0; i < guid.size(); ++i) EXPECT_EQ(wide[i], static_cast<wchar_t>(guid[i])) << i;
  EXPECT_EQ(wide.back(), L'\0');
}

TEST(AnsiToUtf16, ConvertsFromTheSystemCodePage) {
  ASSERT_EQ(GetACP(), kChineseCodePage) << "the tests expect Wine started with LANG=zh_CN.UTF-8";
  struct Case {
    const char* name;
    std::string_view text;
    std::vector<wchar_t> expected;
  };
  const Case cases[] = {
      {"empty text", "", Units({0})},
      {"GBK bytes", "\xD6\xD0\xCE\xC4", Units({0x4E2D, 0x6587, 0})},
      {"the program's own literal", "音量35%", Units({0x97F3, 0x91CF, '3', '5', '%', 0})},
      {"a view that stops short", std::string_view("ABCD", 2), Units({'A', 'B', 0})},
      {"a zero byte ends the text", std::string_view("A\0B", 3), Units({'A', 0})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AnsiToUtf16(c.text), c.expected);
  }
}

}  // namespace
}  // namespace mastervol::audio

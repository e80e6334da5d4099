// The integer entry's character filter and its focus-loss rewrite.
#include "ui/toolkit/integer_entry.h"

#include <gtest/gtest.h>

namespace mastervol::ui::toolkit {
namespace {

TEST(IntegerEntry, TakesDigitsMinusAndControlCharactersOnly) {
  for (unsigned int code : {unsigned{'0'}, unsigned{'9'}, unsigned{'-'}, 0x08u, 0x1Fu}) {
    EXPECT_TRUE(AcceptsIntegerEntryChar(code)) << code;
  }
  for (unsigned int code : {unsigned{' '}, unsigned{'a'}, unsigned{'+'}, unsigned{'.'}, 0x7Fu, 0xA3u, 0xFF10u}) {
    EXPECT_FALSE(AcceptsIntegerEntryChar(code)) << code;
  }
}

TEST(IntegerEntry, RewritesTheContentAsALimitedIntegerAndZeroAsEmpty) {
  struct Case {
    std::string_view content;
    std::string_view rewritten;
  };
  for (const Case& c : {Case{"42", "42"}, Case{"-007", "-7"}, Case{"0", ""}, Case{"", ""}, Case{"-", ""},
                        Case{"12-3", "12"}, Case{"2147483647", "2147483647"}, Case{"2147483648", "2147483647"},
                        Case{"-99999999999999999999", "-2147483648"}}) {
    EXPECT_EQ(NormalizeIntegerEntry(c.content), c.rewritten) << c.content;
  }
}

}  // namespace
}  // namespace mastervol::ui::toolkit

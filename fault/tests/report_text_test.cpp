// The report text and the fault's log line, byte for byte.
#include "fault/report_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace mastervol::fault {
namespace {

TEST(BuildReportText, JoinsFaultPathOsAndSupportAddress) {
  const std::string text = BuildReportText({.code = 5,
                                            .note = "数据或数组类型不匹配\r\n12, 3\r\n",
                                            .executablePath = "C:\\Tools\\mastervol.exe",
                                            .osIndex = 9,
                                            .wow64 = false});
  EXPECT_EQ(text,
            "ErrorCode:  5\r\nErrorNote:  数据或数组类型不匹配\r\n12, 3\r\n\r\n"
            "Path:  C:\\Tools\\mastervol.exe\r\n"
            "OS: Win7 , 9 , X86\r\n\r\n"
            "技术支持:   https://mastervol.example.org/support");
}

struct ReportCase {
  ReportFacts facts;
  std::string expectedPiece;
};

TEST(BuildReportText, WritesEachFactInItsPlace) {
  constexpr char kPath[] = "C:\\Tools\\mastervol.exe";
  const ReportCase cases[] = {
      {{1, "", kPath, 9, true}, "ErrorCode:  1\r\nErrorNote:  \r\nPath:  "},
      {{-1073741819, "", kPath, 9, true}, "ErrorCode:  -1073741819\r\n"},
      {{std::numeric_limits<std::int32_t>::min(), "", kPath, 9, true}, "ErrorCode:  -2147483648\r\n"},
      {{0, "未找到指定标记的组件\r\n4, 17\r\n", kPath, 9, true},
       "ErrorNote:  未找到指定标记的组件\r\n4, 17\r\n\r\nPath:  "},
      {{0, "", "C:\\mastervol.exe", 9, true}, "\r\nPath:  C:\\mastervol.exe\r\nOS: "},
      {{0, "", "D:\\软件\\音量工具\\mastervol.exe", 9, true},
       "Path:  D:\\软件\\音量工具\\mastervol.exe\r\n"},
      {{0, "", kPath, 0, true}, "\r\nOS: 未知 , 0 , X64\r\n\r\n技术支持:   "},
      {{0, "", kPath, 0, false}, "\r\nOS: 未知 , 0 , X86\r\n\r\n"},
      {{0, "", kPath, 6, false}, "\r\nOS: WinXP , 6 , X86\r\n\r\n"},
      {{0, "", kPath, 2, false}, "\r\nOS: Win98 , 2 , X86\r\n\r\n"},
  };
  for (const ReportCase& c : cases) {
    const std::string text = BuildReportText(c.facts);
    EXPECT_NE(text.find(c.expectedPiece), std::string::npos) << text;
  }
}

TEST(ReportConstants, TitleStyleAndAddressAreTheProgramsOwn) {
  EXPECT_STREQ(kReportTitle, "程序出现了故障，请联系技术支持");
  EXPECT_EQ(kReportBoxStyle, 0x2010u);
  EXPECT_STREQ(kSupportAddress, "https://mastervol.example.org/support");
}

struct FoldCase {
  std::string text;
  std::string folded;
};

TEST(FoldToOneLine, FoldsLineBreaksAndControlsIntoSingleBlanks) {
  const FoldCase cases[] = {
      {"数据或数组类型不匹配\r\n12, 3\r\n", "数据或数组类型不匹配 12, 3"},
      {"", ""},
      {"\r\n", ""},
      {"\r\n\r\n  a", "a"},
      {"a\r\n\r\nb", "a b"},
      {"a \r\n b", "a b"},
      {"a\tb\nc\rd", "a b c d"},
      {"a\x1B[31mb\x7F", "a [31mb"},  // a terminal escape cannot reach whoever reads the log
      {"no change", "no change"},
  };
  for (const FoldCase& c : cases) {
    EXPECT_EQ(FoldToOneLine(c.text), c.folded) << c.text;
  }
}

TEST(BuildFaultLogLine, NamesCodeAndFoldedNoteOnOneLine) {
  EXPECT_EQ(BuildFaultLogLine(5, "数据或数组类型不匹配\r\n12, 3\r\n"),
            "程序出现了故障 ErrorCode: 5 ErrorNote: 数据或数组类型不匹配 12, 3");
  EXPECT_EQ(BuildFaultLogLine(-1073741819, "访问违例\r\n异常代码 0xC0000005, 地址 0x00401234\r\n"),
            "程序出现了故障 ErrorCode: -1073741819 ErrorNote: 访问违例 异常代码 0xC0000005, 地址 0x00401234");
  EXPECT_EQ(BuildFaultLogLine(0, ""), "程序出现了故障 ErrorCode: 0 ErrorNote:");
  EXPECT_EQ(BuildFaultLogLine(0, "\r\n"), "程序出现了故障 ErrorCode: 0 ErrorNote:");
}

}  // namespace
}  // namespace mastervol::fault

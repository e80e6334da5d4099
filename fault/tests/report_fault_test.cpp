// The fault hook's flow through the recording stand-in: log first, box only where someone can see it.
#include "fault/report_fault.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fault/report_text.h"
#include "fault/testing/recording_platform.h"

namespace mastervol::fault {
namespace {

using testing::RecordingPlatform;

constexpr char kNote[] = "数据或数组类型不匹配\r\n12, 3\r\n";

class ReportFaultTest : public ::testing::Test {
 protected:
  RecordingPlatform platform_;
};

TEST_F(ReportFaultTest, LogsTheFaultThenShowsTheReportBox) {
  platform_.executablePath = "C:\\Program Files (x86)\\Tools\\mastervol.exe";
  platform_.osIndex = 0;
  platform_.wow64 = true;

  EXPECT_EQ(ReportFault(platform_, 5, kNote), 1);

  EXPECT_EQ(platform_.events, (std::vector<std::string>{"log", "box"}));
  ASSERT_EQ(platform_.logLines.size(), 1u);
  EXPECT_EQ(platform_.logLines[0], "程序出现了故障 ErrorCode: 5 ErrorNote: 数据或数组类型不匹配 12, 3");
  ASSERT_EQ(platform_.boxes.size(), 1u);
  EXPECT_EQ(platform_.boxes[0].text,
            "ErrorCode:  5\r\nErrorNote:  数据或数组类型不匹配\r\n12, 3\r\n\r\n"
            "Path:  C:\\Program Files (x86)\\Tools\\mastervol.exe\r\n"
            "OS: 未知 , 0 , X64\r\n\r\n"
            "技术支持:   https://mastervol.example.org/support");
  EXPECT_EQ(platform_.boxes[0].title, "程序出现了故障，请联系技术支持");
  EXPECT_EQ(platform_.boxes[0].style, 0x2010u);
}

TEST_F(ReportFaultTest, WithoutAnInteractiveDesktopOnlyLogs) {
  platform_.interactiveDesktop = false;

  EXPECT_EQ(ReportFault(platform_, 0, "未找到指定标记的组件\r\n4, 17\r\n"), 1);

  EXPECT_EQ(platform_.events, (std::vector<std::string>{"log"}));
  EXPECT_EQ(platform_.logLines.at(0), "程序出现了故障 ErrorCode: 0 ErrorNote: 未找到指定标记的组件 4, 17");
  EXPECT_TRUE(platform_.boxes.empty());
}

TEST_F(ReportFaultTest, HookReportsThroughThePlatformItWasMadeFor) {
  platform_.osIndex = 9;
  platform_.wow64 = false;
  const FaultHook hook = MakeFaultHook(platform_);

  EXPECT_EQ(hook(-1, ""), 1);

  EXPECT_EQ(platform_.logLines.at(0), "程序出现了故障 ErrorCode: -1 ErrorNote:");
  ASSERT_EQ(platform_.boxes.size(), 1u);
  EXPECT_NE(platform_.boxes[0].text.find("ErrorCode:  -1\r\nErrorNote:  \r\n"), std::string::npos);
  EXPECT_NE(platform_.boxes[0].text.find("\r\nOS: Win7 , 9 , X86\r\n\r\n"), std::string::npos);
}

}  // namespace
}  // namespace mastervol::fault

// The writer's flow against the in-memory platform: defaults, the line's bytes, the size cap and locking.
#include "log/log_writer.h"

#include <gtest/gtest.h>

#include <vector>

#include "log/testing/fake_log_platform.h"

namespace mastervol::log {
namespace {

using testing::FakeLogCall;
using testing::FakeLogPlatform;

constexpr std::uint32_t kMegabyte = 1048576;

TEST(ComposeLogLine, IsTimeBlankTextAndCrLfWithTheTextsBytesUnchanged) {
  EXPECT_EQ(ComposeLogLine("2024-03-05 07:08:09", "当前音量：35%"),
            "2024-03-05 07:08:09 \xB5\xB1\xC7\xB0\xD2\xF4\xC1\xBF\xA3\xBA" "35%\r\n");
  EXPECT_EQ(ComposeLogLine("T", ""), "T \r\n");
}

TEST(WriteLogLine, LeftOutArgumentsComeFromTheExecutableAndTheClock) {
  FakeLogPlatform platform;
  WriteLogLine(platform, "当前音量：35%");
  ASSERT_EQ(platform.files.size(), 1u);
  EXPECT_EQ(platform.files["C:\\apps\\tool.log"], "2024-03-05 07:08:09 当前音量：35%\r\n");
  EXPECT_EQ(platform.clockReadings, 1);
}

TEST(WriteLogLine, GivenPathAndTimeAreUsedAsGiven) {
  FakeLogPlatform platform;
  WriteLogLine(platform, "hello", {.path = "D:\\logs\\x.txt", .timeText = "T0"});
  EXPECT_EQ(platform.files["D:\\logs\\x.txt"], "T0 hello\r\n");
  EXPECT_EQ(platform.clockReadings, 0);
  EXPECT_EQ(platform.files.count("C:\\apps\\tool.log"), 0u);
}

TEST(WriteLogLine, AppendsAfterEarlierLinesAndTakesATimestampPerLine) {
  FakeLogPlatform platform;
  platform.files["C:\\apps\\tool.log"] = "old line\r\n";
  WriteLogLine(platform, "banner");
  platform.now.second = 10;
  WriteLogLine(platform, "result");
  EXPECT_EQ(platform.files["C:\\apps\\tool.log"],
            "old line\r\n2024-03-05 07:08:09 banner\r\n2024-03-05 07:08:10 result\r\n");
}

TEST(WriteLogLine, UnknownExecutablePathLosesTheLineWithoutTouchingAnyFile) {
  FakeLogPlatform platform;
  platform.executablePath.clear();
  WriteLogLine(platform, "lost");
  EXPECT_TRUE(platform.files.empty());
  EXPECT_TRUE(platform.calls.empty());
}

struct CapCase {
  const char* name;
  std::optional<std::uint32_t> size;  // nothing: no file
  double maxMegabytes;
  bool deletes;
};

class SizeCapTest : public ::testing::TestWithParam<CapCase> {};

TEST_P(SizeCapTest, DeletesOnlyWhatIsOverTheCap) {
  EXPECT_EQ(ExceedsSizeCap(GetParam().size, GetParam().maxMegabytes), GetParam().deletes);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, SizeCapTest,
    ::testing::Values(CapCase{"ExactlyThreeMegabytesStays", 3 * kMegabyte, 3.0, false},
                      CapCase{"OneByteMoreIsDeleted", 3 * kMegabyte + 1, 3.0, true},
                      CapCase{"HalfMegabyteCapExact", kMegabyte / 2, 0.5, false},
                      CapCase{"HalfMegabyteCapOver", kMegabyte / 2 + 1, 0.5, true},
                      CapCase{"EmptyFileUnderATinyCap", 0u, 0.0000001, false},
                      CapCase{"MissingFileIsNeverOver", std::nullopt, 0.0000001, false},
                      CapCase{"NoCapKeepsAnySize", 0xFFFFFFFFu, 0.0, false},
                      CapCase{"NegativeCapIsNoCap", 0xFFFFFFFFu, -1.0, false},
                      CapCase{"LargestLowSizeOverAGigabyteCap", 0xFFFFFFFFu, 1024.0, true}),
    [](const ::testing::TestParamInfo<CapCase>& testCase) { return testCase.param.name; });

TEST(WriteLogLine, OversizedLogIsDeletedThenTheLineStartsANewFile) {
  FakeLogPlatform platform;
  const std::string path = "C:\\apps\\tool.log";
  platform.files[path] = "old\r\n";
  platform.reportedSizes[path] = 3 * kMegabyte + 1;
  WriteLogLine(platform, "fresh", {.maxMegabytes = 3.0});
  EXPECT_EQ(platform.files[path], "2024-03-05 07:08:09 fresh\r\n");
  // The check, the delete and the append happen while the log's lock is held.
  const std::vector<FakeLogCall> expected{
      {"LockLog", path}, {"FileSizeLow32", path}, {"RemoveFile", path}, {"AppendLine", path}, {"Unlock", path}};
  EXPECT_EQ(platform.calls, expected);
}

TEST(WriteLogLine, LogAtTheCapIsKept) {
  FakeLogPlatform platform;
  const std::string path = "C:\\apps\\tool.log";
  platform.files[path] = "old\r\n";
  platform.reportedSizes[path] = 3 * kMegabyte;
  WriteLogLine(platform, "more", {.maxMegabytes = 3.0});
  EXPECT_EQ(platform.files[path], "old\r\n2024-03-05 07:08:09 more\r\n");
}

TEST(WriteLogLine, WithoutACapTheSizeIsNotAsked) {
  FakeLogPlatform platform;
  WriteLogLine(platform, "line");
  const std::vector<FakeLogCall> expected{
      {"LockLog", "C:\\apps\\tool.log"}, {"AppendLine", "C:\\apps\\tool.log"}, {"Unlock", "C:\\apps\\tool.log"}};
  EXPECT_EQ(platform.calls, expected);
}

}  // namespace
}  // namespace mastervol::log

// The log path derived from the executable's path: cut after the first ".exe", then ".exe.log" folded.
#include "log/log_path.h"

#include <gtest/gtest.h>

#include "log/testing/fake_log_platform.h"

namespace mastervol::log {
namespace {

struct LogPathCase {
  const char* executable;
  const char* expected;
};

class LogPathTest : public ::testing::TestWithParam<LogPathCase> {};

TEST(ExecutableDirectory, KeepsTheTrailingBackslashAndSkipsTrailBytes) {
  EXPECT_EQ(ExecutableDirectory("C:\\apps\\tool.exe"), "C:\\apps\\");
  EXPECT_EQ(ExecutableDirectory("C:\\tool.exe"), "C:\\");
  EXPECT_EQ(ExecutableDirectory("C:\\apps\\\x81\x5C" "b.exe"), "C:\\apps\\");
  EXPECT_EQ(ExecutableDirectory("tool.exe"), "");
}

TEST_P(LogPathTest, DerivesThePathBesideTheExecutable) {
  EXPECT_EQ(LogPath(GetParam().executable), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LogPathTest,
    ::testing::Values(
        LogPathCase{"C:\\apps\\tool.exe", "C:\\apps\\tool.log"},
        LogPathCase{"C:\\tool.exe", "C:\\tool.log"},
        // ".exe" is matched case-sensitively: without it the first three characters are kept.
        LogPathCase{"C:\\apps\\TOOL.EXE", "C:\\apps\\TOO.log"},
        LogPathCase{"C:\\apps\\setup", "C:\\apps\\set.log"},
        LogPathCase{"C:\\apps\\ab", "C:\\apps\\ab.log"},
        // One character beyond an inner ".exe" is kept, and ".exe..log" is not folded.
        LogPathCase{"C:\\apps\\a.exe.exe", "C:\\apps\\a.exe..log"},
        LogPathCase{"C:\\apps\\tool.exe.bak", "C:\\apps\\tool.exe..log"},
        // Folding reaches into the directory part, at every occurrence, in one pass from the left.
        LogPathCase{"C:\\v.exe.logs\\tool.exe", "C:\\v.logs\\tool.log"},
        LogPathCase{"C:\\a.exe.log\\b.exe.log\\t.exe", "C:\\a.log\\b.log\\t.log"},
        LogPathCase{"C:\\x.exe.exe.log\\t.exe", "C:\\x.exe.log\\t.log"},
        LogPathCase{"\\\\server\\share\\tool.exe", "\\\\server\\share\\tool.log"},
        // Double-byte GBK characters count as one character each and are never split.
        LogPathCase{"C:\\工具\\音量.exe", "C:\\工具\\音量.log"},
        LogPathCase{"C:\\工具\\音量控制工具", "C:\\工具\\音量控.log"},
        LogPathCase{"C:\\工具\\a.exe中文", "C:\\工具\\a.exe中.log"},
        // 乗 is 0x81 0x5C in GBK: its second byte is no backslash and ends no directory.
        LogPathCase{"C:\\apps\\\x81\x5C" "声音.EXE", "C:\\apps\\\x81\x5C" "声音.log"},
        LogPathCase{"C:\\apps\\a.exe\x81\x5C" "b", "C:\\apps\\a.exe\x81\x5C" ".log"},
        // No directory: the log goes to the current directory; no path at all: nowhere.
        LogPathCase{"tool.exe", "tool.log"},
        LogPathCase{"", ""}));

TEST(LogPath, DoubleByteStemIsCutOnCharacterBoundaries) {
  // 音量控 in GBK: three characters, six bytes.
  EXPECT_EQ(LogPath("C:\\\xD2\xF4\xC1\xBF\xBF\xD8\xD6\xC6"), "C:\\\xD2\xF4\xC1\xBF\xBF\xD8.log");
}

TEST(LogPath, AsksThePlatformForTheRunningExecutable) {
  testing::FakeLogPlatform platform;
  platform.executablePath = "D:\\Tools\\mastervol.exe";
  EXPECT_EQ(LogPath(platform), "D:\\Tools\\mastervol.log");
}

}  // namespace
}  // namespace mastervol::log

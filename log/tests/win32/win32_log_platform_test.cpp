// The Windows log platform under the writer: exact bytes on disk, the size cap, lines lost silently when
// the file cannot be opened, and many processes appending to one log at the same instant.
#include "log/win32/win32_log_platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "log/log_path.h"
#include "log/log_writer.h"
#include "log/timestamp.h"
#include "log/win32/log_mutex.h"
#include "log/win32/unique_handle.h"

namespace mastervol::log {
namespace {

namespace fs = std::filesystem;
using win32::UniqueFileHandle;
using win32::UniqueKernelHandle;

constexpr std::uint32_t kMegabyte = 1048576;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Sets a file's length without writing its bytes, so large logs cost nothing to make.
bool ResizeFile(const std::string& path, std::int64_t size) {
  const UniqueFileHandle file(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER distance{};
  distance.QuadPart = size;
  return file.valid() && ::SetFilePointerEx(file.get(), distance, nullptr, FILE_BEGIN) &&
         ::SetEndOfFile(file.get());
}

std::string ExecutableDirectory() {
  const std::string executable = Win32LogPlatform().ExecutablePath();
  return executable.substr(0, executable.rfind('\\'));
}

class Win32LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH + 1] = {};
    ASSERT_NE(::GetTempPathA(sizeof temp, temp), 0u);
    // Parameterised tests have a '/' in their names; a directory name cannot.
    std::string testName = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(testName.begin(), testName.end(), '/', '-');
    dir_ = std::string(temp) + "mastervol-log-" + std::to_string(::GetCurrentProcessId()) + "-" + testName;
    ASSERT_TRUE(::CreateDirectoryA(dir_.c_str(), nullptr));
    log_ = dir_ + "\\tool.log";
  }
  void TearDown() override {
    ::SetFileAttributesA(log_.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  std::string dir_;
  std::string log_;
  Win32LogPlatform platform_;
};

TEST_F(Win32LogTest, AppendsExactLinesAfterWhatIsThere) {
  WriteAll(log_, "earlier\r\n");
  WriteLogLine(platform_, "当前音量：60%", {.path = log_, .timeText = "2024-03-05 07:08:09"});
  WriteLogLine(platform_, "second", {.path = log_, .timeText = "2024-03-05 07:08:10"});
  EXPECT_EQ(ReadAll(log_),
            "earlier\r\n2024-03-05 07:08:09 \xB5\xB1\xC7\xB0\xD2\xF4\xC1\xBF\xA3\xBA" "60%\r\n"
            "2024-03-05 07:08:10 second\r\n");
}

TEST_F(Win32LogTest, LeftOutPathAndTimeMeanBesideTheExecutableAndNow) {
  const std::string expectedPath = ExecutableDirectory() + "\\log_win32_tests.log";
  ASSERT_EQ(LogPath(platform_), expectedPath);
  ::DeleteFileA(expectedPath.c_str());

  const std::string before = FormatTimestamp(platform_);
  WriteLogLine(platform_, "banner");
  const std::string after = FormatTimestamp(platform_);
  const std::string written = ReadAll(expectedPath);
  ::DeleteFileA(expectedPath.c_str());

  ASSERT_EQ(written.size(), before.size() + std::string_view(" banner\r\n").size());
  const std::string stamp = written.substr(0, before.size());
  EXPECT_TRUE(stamp == before || stamp == after) << stamp << " not between " << before << " and " << after;
  EXPECT_EQ(written.substr(before.size()), " banner\r\n");
}

TEST_F(Win32LogTest, SizeCapKeepsAnExactlyFullLogAndDeletesALargerOne) {
  ASSERT_TRUE(ResizeFile(log_, 3 * kMegabyte));
  WriteLogLine(platform_, "kept", {.path = log_, .timeText = "T", .maxMegabytes = 3.0});
  EXPECT_EQ(platform_.FileSizeLow32(log_), 3 * kMegabyte + std::string_view("T kept\r\n").size());

  ASSERT_TRUE(ResizeFile(log_, 3 * kMegabyte + 1));
  WriteLogLine(platform_, "fresh", {.path = log_, .timeText = "T", .maxMegabytes = 3.0});
  EXPECT_EQ(ReadAll(log_), "T fresh\r\n");
}

TEST_F(Win32LogTest, SizeIsTheLow32BitsOrNothingForAMissingFile) {
  EXPECT_EQ(platform_.FileSizeLow32(log_), std::nullopt);
  constexpr std::int64_t kFourGigabytesAndFive = 0x100000005LL;
  ASSERT_TRUE(ResizeFile(log_, kFourGigabytesAndFive));
  EXPECT_EQ(platform_.FileSizeLow32(log_), 5u);
}

enum class Obstacle { kMissingDirectory, kReadOnlyFile, kHeldWithoutSharing };

class LostLineTest : public Win32LogTest, public ::testing::WithParamInterface<Obstacle> {};

TEST_P(LostLineTest, LineIsLostSilentlyAndTheFileKeepsItsContents) {
  const std::string path = GetParam() == Obstacle::kMissingDirectory ? dir_ + "\\absent\\tool.log" : log_;
  if (GetParam() != Obstacle::kMissingDirectory) {
    WriteAll(log_, "earlier\r\n");
  }
  if (GetParam() == Obstacle::kReadOnlyFile) {
    ASSERT_TRUE(::SetFileAttributesA(log_.c_str(), FILE_ATTRIBUTE_READONLY));
    // Wine keeps the attribute as Unix permissions, which do not stop a process running as root.
    const UniqueFileHandle probe(::CreateFileA(log_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (probe.valid()) {
      GTEST_SKIP() << "this system lets the read-only file be opened for writing (Wine run as root)";
    }
  }
  {
    UniqueFileHandle holder;
    if (GetParam() == Obstacle::kHeldWithoutSharing) {
      holder = UniqueFileHandle(::CreateFileA(log_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
      ASSERT_TRUE(holder.valid());
    }
    WriteLogLine(platform_, "lost", {.path = path, .timeText = "T"});
  }
  if (GetParam() == Obstacle::kMissingDirectory) {
    EXPECT_EQ(::GetFileAttributesA((dir_ + "\\absent").c_str()), INVALID_FILE_ATTRIBUTES);
  } else {
    EXPECT_EQ(ReadAll(log_), "earlier\r\n");
  }
}

INSTANTIATE_TEST_SUITE_P(Obstacles, LostLineTest,
                         ::testing::Values(Obstacle::kMissingDirectory, Obstacle::kReadOnlyFile,
                                           Obstacle::kHeldWithoutSharing),
                         [](const ::testing::TestParamInfo<Obstacle>& testCase) -> std::string {
                           switch (testCase.param) {
                             case Obstacle::kMissingDirectory: return "MissingDirectory";
                             case Obstacle::kReadOnlyFile: return "ReadOnlyFile";
                             case Obstacle::kHeldWithoutSharing: return "HeldWithoutSharing";
                           }
                           return "Unknown";
                         });

TEST_F(Win32LogTest, OneFileGivesOneMutexNameWhateverItsSpelling) {
  char current[MAX_PATH + 1] = {};
  ASSERT_NE(::GetCurrentDirectoryA(sizeof current, current), 0u);
  const std::string full = std::string(current) + "\\Tool.log";
  EXPECT_EQ(win32::LogMutexName(full), win32::LogMutexName("sub\\..\\TOOL.LOG"));
  EXPECT_NE(win32::LogMutexName(full), win32::LogMutexName(std::string(current) + "\\other.log"));
  EXPECT_EQ(win32::LogMutexName(full).rfind("Local\\", 0), 0u);
}

// One started copy of the helper, owning its process and thread handles.
struct Writer {
  UniqueKernelHandle process;
  UniqueKernelHandle thread;
};

TEST_F(Win32LogTest, ProcessesAppendingAtOnceLoseNoLineAndTearNone) {
  constexpr int kWriters = 24;
  constexpr int kLines = 40;
  constexpr DWORD kWriterTimeoutMilliseconds = 60000;
  const std::string eventName = "Local\\mastervol-log-test-start-" + std::to_string(::GetCurrentProcessId());
  const UniqueKernelHandle start(::CreateEventA(nullptr, TRUE, FALSE, eventName.c_str()));
  ASSERT_TRUE(start.valid());

  const std::string helper = ExecutableDirectory() + "\\log_append_helper.exe";
  std::vector<Writer> writers;
  for (int id = 0; id < kWriters; ++id) {
    std::string commandLine = "\"" + helper + "\" \"" + log_ + "\" " + std::to_string(id) + " " +
                              std::to_string(kLines) + " " + eventName;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(::CreateProcessA(helper.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &started))
        << "cannot start " << helper;
    writers.push_back({UniqueKernelHandle(started.hProcess), UniqueKernelHandle(started.hThread)});
  }
  ASSERT_TRUE(::SetEvent(start.get()));
  for (const Writer& writer : writers) {
    ASSERT_EQ(::WaitForSingleObject(writer.process.get(), kWriterTimeoutMilliseconds), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    ASSERT_TRUE(::GetExitCodeProcess(writer.process.get(), &exitCode));
    EXPECT_EQ(exitCode, 0u);
  }

  const std::string filler(160, 'x');
  std::istringstream lines(ReadAll(log_));
  std::set<std::string> seen;
  int count = 0;
  for (std::string line; std::getline(lines, line, '\n'); ++count) {
    ASSERT_TRUE(line.starts_with("T ") && line.ends_with(" " + filler + "\r")) << "torn: " << line.substr(0, 40);
    seen.insert(line.substr(2, line.find(' ', 2) - 2));
  }
  EXPECT_EQ(count, kWriters * kLines);
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kWriters * kLines));
}

}  // namespace
}  // namespace mastervol::log

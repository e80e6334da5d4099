// The writer on real POSIX files: exact bytes, appending, the size cap, lost lines, and many processes
// appending to one log at once without losing or tearing a line.
#include "log/posix/posix_log_platform.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include "log/log_writer.h"

namespace mastervol::log {
namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kMegabyte = 1048576;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class PosixLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "mastervol-log-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    log_ = dir_ / "tool.log";
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  fs::path log_;
  PosixLogPlatform platform_;
};

TEST_F(PosixLogTest, AppendsExactLinesAfterWhatIsThere) {
  { std::ofstream(log_, std::ios::binary) << "earlier\r\n"; }
  WriteLogLine(platform_, "当前音量：60%", {.path = log_.string(), .timeText = "2024-03-05 07:08:09"});
  WriteLogLine(platform_, "second", {.path = log_.string(), .timeText = "2024-03-05 07:08:10"});
  EXPECT_EQ(ReadAll(log_),
            "earlier\r\n2024-03-05 07:08:09 \xB5\xB1\xC7\xB0\xD2\xF4\xC1\xBF\xA3\xBA" "60%\r\n"
            "2024-03-05 07:08:10 second\r\n");
}

TEST_F(PosixLogTest, SizeCapKeepsAnExactlyFullLogAndDeletesALargerOne) {
  { std::ofstream create(log_, std::ios::binary); }
  fs::resize_file(log_, 3 * kMegabyte);
  WriteLogLine(platform_, "kept", {.path = log_.string(), .timeText = "T", .maxMegabytes = 3.0});
  EXPECT_EQ(fs::file_size(log_), 3 * kMegabyte + std::string_view("T kept\r\n").size());

  fs::resize_file(log_, 3 * kMegabyte + 1);
  WriteLogLine(platform_, "fresh", {.path = log_.string(), .timeText = "T", .maxMegabytes = 3.0});
  EXPECT_EQ(ReadAll(log_), "T fresh\r\n");
}

TEST_F(PosixLogTest, MissingDirectoryLosesTheLineSilently) {
  const fs::path missing = dir_ / "absent" / "tool.log";
  WriteLogLine(platform_, "lost", {.path = missing.string()});
  EXPECT_FALSE(fs::exists(missing.parent_path()));
}

TEST_F(PosixLogTest, ReportsSizeOrNothingForAMissingFile) {
  EXPECT_EQ(platform_.FileSizeLow32(log_.string()), std::nullopt);
  { std::ofstream(log_, std::ios::binary) << "12345"; }
  EXPECT_EQ(platform_.FileSizeLow32(log_.string()), 5u);
}

TEST_F(PosixLogTest, ConcurrentWritersLoseNoLineAndTearNone) {
  constexpr int kWriters = 8;
  constexpr int kLines = 150;
  const std::string filler(160, 'x');
  for (int writer = 0; writer < kWriters; ++writer) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      PosixLogPlatform platform;
      for (int line = 0; line < kLines; ++line) {
        const std::string text = std::to_string(writer) + ":" + std::to_string(line) + " " + filler;
        WriteLogLine(platform, text, {.path = log_.string(), .timeText = "T", .maxMegabytes = 64.0});
      }
      ::_exit(0);
    }
  }
  for (int writer = 0; writer < kWriters; ++writer) {
    int status = 0;
    ASSERT_GT(::wait(&status), 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  std::istringstream lines(ReadAll(log_));
  std::set<std::string> seen;
  int count = 0;
  for (std::string line; std::getline(lines, line, '\n'); ++count) {
    ASSERT_TRUE(line.ends_with(filler + "\r")) << "torn line: " << line.substr(0, 40);
    ASSERT_TRUE(line.starts_with("T ")) << "torn line: " << line.substr(0, 40);
    seen.insert(line.substr(2, line.find(' ', 2) - 2));
  }
  EXPECT_EQ(count, kWriters * kLines);
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kWriters * kLines));
}

}  // namespace
}  // namespace mastervol::log

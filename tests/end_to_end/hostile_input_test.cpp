// mastervol.exe against hostile input and surroundings, under Wine: the longest command line, broken
// double-byte text, logs it cannot write, a drive's root, and a storm of runs. Every run must end with
// exit code 0 in time, write nothing but its log, and keep every line it was able to write.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "tests/end_to_end/log_lines.h"
#include "tests/end_to_end/run_folder.h"
#include "tests/wine_support/fake_audio_session.h"

namespace mastervol::end_to_end {
namespace {

using fake_audio::DeviceState;

// Built by appending: GCC 12 mistakes `literal + std::string` for an overlapping copy (-Wrestrict).
std::string CommandLine(std::string_view arguments) {
  std::string line = "mastervol ";
  line += arguments;
  return line;
}
using log::win32::UniqueFileHandle;

// CreateProcess takes at most 32767 characters, its terminator included.
constexpr std::size_t kLongestCommandLine = 32766;
constexpr float kStartLevel = 0.2f;

const std::vector<std::string> kExeAndLog = {"mastervol.exe", "mastervol.log"};

class HostileInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wine_support::SimulatedAudioDeviceRegistered());
    ASSERT_TRUE(folder_.Ready());
    ASSERT_TRUE(audio_.Ready());
  }

  // The log's bytes from before the run are still there, and the run appended nothing.
  void ExpectLogUntouched(const std::string& before) {
    EXPECT_EQ(folder_.LogBytes(), before);
    EXPECT_EQ(folder_.Entries(), kExeAndLog);
  }

  RunFolder folder_;
  wine_support::FakeAudioSession audio_{DeviceState{.master = kStartLevel}};
};

TEST_F(HostileInput, TheLongestCommandLineIsReadAndLoggedWhole) {
  struct Case {
    const char* what;
    std::string commandLine;
    std::string expectedArgument;
    float expectedLevel;
  };
  // A first argument of 32 KiB reaches the log whole; one followed by 32 KiB of others is read alone.
  const std::string longNumber = std::string(kLongestCommandLine - 12, '0') + "42";
  std::string trailing = "mastervol 35 ";
  while (trailing.size() < kLongestCommandLine) trailing += "x ";
  trailing.resize(kLongestCommandLine);
  const Case cases[] = {
      {"long first argument", CommandLine(longNumber), longNumber, 0.42f},
      {"long tail", trailing, "35", 0.35f},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(c.commandLine.size(), kLongestCommandLine) << c.what;
    ASSERT_TRUE(audio_.WriteState(DeviceState{.master = kStartLevel}));
    const std::size_t before = folder_.LogLines().size();

    EXPECT_EQ(folder_.RunExactly(c.commandLine), 0u) << c.what;

    const std::vector<std::string> lines = folder_.LogLines();
    ASSERT_EQ(lines.size(), before + 2) << c.what;
    EXPECT_TRUE(IsLogLine(lines[before], kBanner)) << c.what;
    EXPECT_TRUE(IsLogLine(lines[before + 1], ArgumentResult(c.expectedArgument))) << c.what;
    EXPECT_EQ(audio_.ReadState()->master, c.expectedLevel) << c.what;
  }
  EXPECT_EQ(folder_.Entries(), kExeAndLog);
}

TEST_F(HostileInput, BrokenDoubleByteTextNeitherCrashesNorTearsTheLog) {
  // Windows hands the program its command line through UTF-16: a lead byte at the line's end is lost on
  // the way, one without a valid trail comes back as '?', while 0x80 (the euro sign) and 0xFF (a
  // private-use character) come back as themselves, single bytes the program reads as lead bytes like
  // every byte from 0x80 up.
  struct Case {
    const char* what;
    std::string arguments;
    std::string expectedArgument;
    bool expectMuted;
    float expectedLevel;
  };
  const Case cases[] = {
      {"truncated full-width character", "35\xA3", "35", false, 0.35f},
      {"full-width digit, then a lone lead byte", "\xA3\xB3\xA3", "\xA3\xB3", false, 0.03f},
      {"lead byte with an invalid trail", "35\x81\x7F", "35?", false, 0.35f},
      {"lead byte before the closing quote", "\"\xA3\"", "?", true, kStartLevel},
      {"0xFF as the line's last byte is dropped", "50\xFF", "50", false, 0.5f},
      {"0xFF takes the digit after it", "\xFF" "35", "\xFF" "35", true, kStartLevel},
      {"0x80 takes the blank after it", "\x80 50", "\x80 50", true, kStartLevel},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(audio_.WriteState(DeviceState{.master = kStartLevel}));
    const std::size_t before = folder_.LogLines().size();

    EXPECT_EQ(folder_.Run(c.arguments), 0u) << c.what;

    const std::vector<std::string> lines = folder_.LogLines();
    ASSERT_EQ(lines.size(), before + 2) << c.what;
    EXPECT_TRUE(IsLogLine(lines[before], kBanner)) << c.what;
    EXPECT_TRUE(IsLogLine(lines[before + 1], ArgumentResult(c.expectedArgument))) << c.what;
    const auto state = audio_.ReadState();
    ASSERT_TRUE(state.has_value());
    EXPECT_EQ(state->muted, c.expectMuted) << c.what;
    EXPECT_EQ(state->master, c.expectedLevel) << c.what;
  }
  EXPECT_EQ(folder_.Entries(), kExeAndLog);
}

TEST_F(HostileInput, ARunCarriesOnWhenItsLogIsHeldWithoutSharing) {
  constexpr std::string_view kEarlier = "earlier line\r\n";
  {
    std::ofstream log(folder_.LogPath(), std::ios::binary);
    log << kEarlier;
  }
  {
    const UniqueFileHandle holder(CreateFileA(folder_.LogPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder.valid());
    EXPECT_EQ(folder_.Run("35"), 0u);
    EXPECT_EQ(audio_.ReadState()->master, 0.35f);
  }
  ExpectLogUntouched(std::string(kEarlier));

  // Once the file is free again, the next run writes as usual: nothing of the failed one lingers.
  EXPECT_EQ(folder_.Run("60"), 0u);
  const std::vector<std::string> lines = folder_.LogLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(IsLogLine(lines[2], ArgumentResult("60")));
}

TEST_F(HostileInput, ARunCarriesOnWhenItsLogIsReadOnly) {
  constexpr std::string_view kEarlier = "earlier line\r\n";
  {
    std::ofstream log(folder_.LogPath(), std::ios::binary);
    log << kEarlier;
  }
  ASSERT_TRUE(SetFileAttributesA(folder_.LogPath().c_str(), FILE_ATTRIBUTE_READONLY));
  // The run folder's clean-up deletes the log, which a read-only file would refuse.
  struct Writable {
    std::string path;
    ~Writable() { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); }
  } const restore{folder_.LogPath()};
  {
    // Wine keeps the attribute as Unix permissions, which do not stop a process running as root.
    const UniqueFileHandle probe(CreateFileA(folder_.LogPath().c_str(), GENERIC_WRITE,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (probe.valid()) GTEST_SKIP() << "this system lets a read-only file be opened for writing (Wine run as root)";
  }
  EXPECT_EQ(folder_.Run("35"), 0u);
  EXPECT_EQ(audio_.ReadState()->master, 0.35f);
  ExpectLogUntouched(std::string(kEarlier));
}

TEST_F(HostileInput, ARunCarriesOnWhenItsLogFolderDoesNotExist) {
  // The log's name turns every ".exe.log" of the path into ".log", folders included: a program in
  // "v.exe.logs" logs to the sibling folder "v.logs", which nobody made.
  const RunFolder nested(folder_.Folder() + "\\v.exe.logs");
  ASSERT_TRUE(nested.Ready());

  EXPECT_EQ(nested.Run("35"), 0u);

  EXPECT_EQ(audio_.ReadState()->master, 0.35f);
  EXPECT_EQ(GetFileAttributesA((folder_.Folder() + "\\v.logs").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(nested.Entries(), std::vector<std::string>{"mastervol.exe"});
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"mastervol.exe", "v.exe.logs"}));
}

TEST_F(HostileInput, AProgramInADrivesRootLogsThere) {
  // The ctest fixture maps Y: to an empty folder of the build.
  constexpr char kSpareDrive[] = "Y:";
  if (GetDriveTypeA("Y:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "drive Y: is not mapped (the ctest fixture maps it)";
  const RunFolder root(kSpareDrive);
  ASSERT_TRUE(root.Ready());
  ASSERT_EQ(root.LogPath(), "Y:\\mastervol.log");

  EXPECT_EQ(root.Run("35"), 0u);

  EXPECT_EQ(audio_.ReadState()->master, 0.35f);
  const std::vector<std::string> lines = root.LogLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(IsLogLine(lines[0], kBanner));
  EXPECT_TRUE(IsLogLine(lines[1], ArgumentResult("35")));
  EXPECT_EQ(root.Entries(), kExeAndLog);
}

TEST_F(HostileInput, ThirtyTwoRunsLetGoAtOneInstantLoseNoLine) {
  constexpr int kRuns = 32;
  std::vector<RunFolder::SuspendedRun> runs;
  for (int i = 0; i < kRuns; ++i) {
    runs.push_back(folder_.StartSuspended(CommandLine(std::to_string(50 + i))));
    ASSERT_TRUE(runs.back().process.valid() && runs.back().thread.valid()) << i;
  }
  for (const RunFolder::SuspendedRun& run : runs) EXPECT_NE(ResumeThread(run.thread.get()), static_cast<DWORD>(-1));
  for (const RunFolder::SuspendedRun& run : runs) EXPECT_EQ(AwaitExit(run.process.get()), 0u);

  const std::vector<std::string> lines = folder_.LogLines();
  ASSERT_EQ(lines.size(), 2u * kRuns);
  std::vector<std::string> results;
  for (const std::string& line : lines) {
    if (IsLogLine(line, kBanner)) continue;
    const std::string message = line.substr(std::min<std::size_t>(20, line.size()));
    EXPECT_TRUE(IsLogLine(line, message));  // a timestamp in front
    results.push_back(message);
  }
  std::vector<std::string> expected;
  for (int i = 0; i < kRuns; ++i) expected.push_back(ArgumentResult(std::to_string(50 + i)));
  std::sort(results.begin(), results.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(results, expected);  // every result line whole, none lost, none twice
  EXPECT_EQ(folder_.Entries(), kExeAndLog);
}

}  // namespace
}  // namespace mastervol::end_to_end

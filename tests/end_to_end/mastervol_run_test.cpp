// mastervol.exe as users run it, under Wine against the simulated audio device: exact command lines,
// the log's bytes, the exit code, and the endpoint calls the device journaled.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/end_to_end/log_lines.h"
#include "tests/end_to_end/run_folder.h"
#include "tests/wine_support/fake_audio_session.h"

namespace mastervol::end_to_end {
namespace {

using fake_audio::DeviceState;
using fake_audio::JournalEntry;

// The master-volume calls, leaving out the mixer's channel reads.
std::vector<JournalEntry> MasterCalls(const std::vector<JournalEntry>& journal) {
  std::vector<JournalEntry> calls = fake_audio::CallsOn(journal, "volume");
  std::erase_if(calls, [](const JournalEntry& e) {
    return e.call != "SetMasterVolumeLevelScalar" && e.call != "SetMute";
  });
  return calls;
}

class MastervolRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wine_support::SimulatedAudioDeviceRegistered());
    ASSERT_TRUE(folder_.Ready());
  }

  // Every object the device handed out ended at zero references, released inside the apartment.
  void ExpectEveryReferenceReleased(const std::vector<JournalEntry>& journal) {
    for (const fake_audio::ObjectLifetime& object : fake_audio::Lifetimes(journal)) {
      if (object.object == "dll") continue;
      EXPECT_EQ(object.finalReferences, 0) << object.object;
      EXPECT_NE(object.apartmentAtLastRelease, "none") << object.object;
    }
  }

  RunFolder folder_;
};

TEST_F(MastervolRun, AppliesItsArgumentAndLogsTwoLines) {
  struct Case {
    std::string arguments;
    std::string expectedResult;
    std::vector<std::pair<std::string, std::string>> expectedCalls;  // call, then "level" bits or "mute"
    bool expectMuted;
    float expectedMaster;
  };
  const Case cases[] = {
      {"35", ArgumentResult("35"), {{"SetMasterVolumeLevelScalar", "0x3eb33333"}}, false, 0.35f},
      {"", std::string(kFullResult), {{"SetMute", "0"}, {"SetMasterVolumeLevelScalar", "0x3f800000"}}, false, 1.0f},
      {"0", ArgumentResult("0"), {{"SetMute", "1"}}, true, 0.2f},
      {"\"\"", ArgumentResult(""), {{"SetMute", "1"}}, true, 0.2f},
      {"35.7 80", ArgumentResult("35.7"), {{"SetMasterVolumeLevelScalar", "0x3eb33333"}}, false, 0.35f},
      {"\xA3\xB5\xA3\xB0", ArgumentResult("\xA3\xB5\xA3\xB0"), {{"SetMasterVolumeLevelScalar", "0x3f000000"}},
       false, 0.5f},
  };
  for (const Case& c : cases) {
    wine_support::FakeAudioSession audio(DeviceState{.master = 0.2f});
    ASSERT_TRUE(audio.Ready());
    const std::size_t before = folder_.LogLines().size();

    EXPECT_EQ(folder_.Run(c.arguments), 0u) << c.arguments;

    const std::vector<std::string> lines = folder_.LogLines();
    ASSERT_EQ(lines.size(), before + 2) << c.arguments;
    EXPECT_TRUE(IsLogLine(lines[before], kBanner));
    EXPECT_TRUE(IsLogLine(lines[before + 1], c.expectedResult));

    const auto journal = audio.ReadJournal();
    ASSERT_TRUE(journal.has_value());
    const std::vector<JournalEntry> calls = MasterCalls(*journal);
    ASSERT_EQ(calls.size(), c.expectedCalls.size()) << c.arguments;
    for (std::size_t i = 0; i < calls.size(); ++i) {
      EXPECT_EQ(calls[i].call, c.expectedCalls[i].first);
      const std::string key = calls[i].call == "SetMute" ? "mute" : "level";
      EXPECT_EQ(calls[i].Arg(key).value_or("").substr(0, c.expectedCalls[i].second.size()),
                c.expectedCalls[i].second)
          << c.arguments;
      EXPECT_EQ(calls[i].Arg("context"), "null");
    }
    ExpectEveryReferenceReleased(*journal);
    const auto state = audio.ReadState();
    ASSERT_TRUE(state.has_value());
    EXPECT_EQ(state->muted, c.expectMuted) << c.arguments;
    EXPECT_EQ(state->master, c.expectedMaster) << c.arguments;
  }
}

TEST_F(MastervolRun, BuildsTheMixerFromEveryChannel) {
  wine_support::FakeAudioSession audio(DeviceState{.channels = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f}});
  ASSERT_TRUE(audio.Ready());
  EXPECT_EQ(folder_.Run("60"), 0u);
  const auto journal = audio.ReadJournal();
  ASSERT_TRUE(journal.has_value());
  int counts = 0;
  std::vector<std::string> channelsRead;
  for (const JournalEntry& e : fake_audio::CallsOn(*journal, "volume")) {
    if (e.call == "GetChannelCount") ++counts;
    if (e.call == "GetChannelVolumeLevelScalar") channelsRead.push_back(e.Arg("channel").value_or("?"));
  }
  EXPECT_EQ(counts, 1);
  EXPECT_EQ(channelsRead, (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7"}));
  ExpectEveryReferenceReleased(*journal);
}

TEST_F(MastervolRun, SaysWhenTheVolumeDidNotChange) {
  {
    wine_support::FakeAudioSession audio(DeviceState{.present = false});
    ASSERT_TRUE(audio.Ready());
    EXPECT_EQ(folder_.Run("60"), 0u);
    const auto journal = audio.ReadJournal();
    ASSERT_TRUE(journal.has_value());
    EXPECT_TRUE(fake_audio::CallsOn(*journal, "volume").empty());
  }
  {
    wine_support::FakeAudioSession audio;
    ASSERT_TRUE(audio.Ready());
    EXPECT_EQ(folder_.Run("150"), 0u);
    EXPECT_EQ(audio.ReadState()->master, 0.5f);
  }
  const std::vector<std::string> lines = folder_.LogLines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_TRUE(IsLogLine(lines[0], kBanner));
  EXPECT_TRUE(IsLogLine(lines[1], ArgumentResult("60")));
  EXPECT_TRUE(IsLogLine(lines[2], kNoDevice));
  EXPECT_TRUE(IsLogLine(lines[3], kBanner));
  EXPECT_TRUE(IsLogLine(lines[4], ArgumentResult("150")));
  EXPECT_TRUE(IsLogLine(lines[5], "音量设置失败，错误代码 0x80070057，音量未改变"));
}

TEST_F(MastervolRun, ReadsItsCommandLineByteForByte) {
  struct Case {
    std::string commandLine;  // {exe} stands for the program's full path
    float expectedMaster;
    std::string expectedResult;
  };
  const Case cases[] = {
      {"\"{exe}\"50", 0.5f, ArgumentResult("50")},           // quoted name glued to the argument
      {"mastervol\t50", 1.0f, std::string(kFullResult)},    // a tab does not end the name
      {"mastervol ab\"cd ef\"gh", 0.2f, ArgumentResult("ab")},  // reads 0: muted, level untouched
  };
  for (const Case& c : cases) {
    wine_support::FakeAudioSession audio(DeviceState{.master = 0.2f});
    ASSERT_TRUE(audio.Ready());
    std::string line = c.commandLine;
    if (const auto at = line.find("{exe}"); at != std::string::npos) line.replace(at, 5, folder_.ExePath());
    EXPECT_EQ(folder_.RunExactly(line), 0u) << line;
    EXPECT_TRUE(IsLogLine(folder_.LogLines().back(), c.expectedResult)) << line;
    EXPECT_EQ(audio.ReadState()->master, c.expectedMaster) << line;
  }
}

TEST_F(MastervolRun, RunsAtTheSameMomentLoseNoLine) {
  wine_support::FakeAudioSession audio;
  ASSERT_TRUE(audio.Ready());
  constexpr int kRuns = 24;
  std::vector<log::win32::UniqueKernelHandle> runs;
  for (int i = 0; i < kRuns; ++i) {
    std::string commandLine = "mastervol ";
    commandLine += std::to_string(10 + i);
    runs.push_back(folder_.Start(commandLine));
  }
  for (const log::win32::UniqueKernelHandle& run : runs) EXPECT_EQ(AwaitExit(run.get()), 0u);

  const std::vector<std::string> lines = folder_.LogLines();
  ASSERT_EQ(lines.size(), 2u * kRuns);
  int banners = 0;
  std::vector<bool> resultSeen(kRuns, false);
  for (const std::string& line : lines) {
    if (IsLogLine(line, kBanner)) {
      ++banners;
      continue;
    }
    bool matched = false;
    for (int i = 0; i < kRuns; ++i) {
      if (IsLogLine(line, ArgumentResult(std::to_string(10 + i)))) matched = resultSeen[static_cast<std::size_t>(i)] = true;
    }
    EXPECT_TRUE(matched) << "torn or unknown line: " << line;
  }
  EXPECT_EQ(banners, kRuns);
  EXPECT_EQ(std::count(resultSeen.begin(), resultSeen.end(), true), kRuns);
}

}  // namespace
}  // namespace mastervol::end_to_end

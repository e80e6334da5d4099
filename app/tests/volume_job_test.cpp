// The volume job against the stand-in device: what it asks of the endpoint and the lines it returns.
#include "app/volume_job.h"

#include <gtest/gtest.h>

#include "audio/testing/fake_endpoint.h"

namespace mastervol::app {
namespace {

using audio::testing::FakeAudioDevice;
using audio::testing::FakeCall;

constexpr std::string_view kFull = "音量调整完成，当前音量：100%";
std::string ArgumentResult(std::string_view argument) {
  return std::string("音量调整完成，命令行第一个参数为 当前音量：") + std::string(argument) + "%";
}

struct JobCase {
  const char* what;
  std::string_view commandLine;
  std::string expectedResult;
  bool expectMuted;      // mute state after the job (the device starts unmuted at 0.5)
  float expectedMaster;  // master level after the job
};

TEST(RunVolumeJob, AppliesTheFirstArgument) {
  const JobCase cases[] = {
      {"no argument", "mastervol", std::string(kFull), false, 1.0f},
      {"blanks and tabs only", "mastervol \t ", std::string(kFull), false, 1.0f},
      {"a tab glued to the name", "mastervol\t50", std::string(kFull), false, 1.0f},
      {"35", "mastervol 35", ArgumentResult("35"), false, 0.35f},
      {"0 mutes, level untouched", "mastervol 0", ArgumentResult("0"), true, 0.5f},
      {"abc reads 0 and mutes", "mastervol abc", ArgumentResult("abc"), true, 0.5f},
      {"empty quotes mute", "mastervol \"\"", ArgumentResult(""), true, 0.5f},
      {"35.7 is 35", "mastervol 35.7", ArgumentResult("35.7"), false, 0.35f},
      {"50% is 50", "mastervol 50%", ArgumentResult("50%"), false, 0.5f},
      {"full-width 50", "mastervol \xA3\xB5\xA3\xB0", ArgumentResult("\xA3\xB5\xA3\xB0"), false, 0.5f},
      {"only the first of two", "mastervol 20 80", ArgumentResult("20"), false, 0.2f},
      {"quoted name glued", "\"C:\\mastervol.exe\"50", ArgumentResult("50"), false, 0.5f},
      {"150 refused, level stays", "mastervol 150", ArgumentResult("150"), false, 0.5f},
      {"-20 refused, level stays", "mastervol -20", ArgumentResult("-20"), false, 0.5f},
  };
  for (const JobCase& c : cases) {
    FakeAudioDevice device;
    const VolumeJobOutcome outcome = RunVolumeJob(c.commandLine, device);
    EXPECT_EQ(outcome.resultLine, c.expectedResult) << c.what;
    EXPECT_EQ(device.State().muted, c.expectMuted) << c.what;
    EXPECT_EQ(device.State().master, c.expectedMaster) << c.what;
    EXPECT_EQ(device.EndpointsHeld(), 0) << c.what;
  }
}

TEST(RunVolumeJob, NoArgumentUnmutesThenSetsFullVolume) {
  FakeAudioDevice device;
  device.State().muted = true;
  const VolumeJobOutcome outcome = RunVolumeJob("mastervol", device);
  ASSERT_EQ(device.Calls().size(), 2u);
  EXPECT_EQ(device.Calls()[0].name, "SetMute");
  EXPECT_FALSE(device.Calls()[0].flag);
  EXPECT_EQ(device.Calls()[1].name, "SetMasterVolumeLevelScalar");
  EXPECT_EQ(device.Calls()[1].level, 1.0f);
  EXPECT_EQ(device.Acquisitions(), 2);  // a fresh endpoint for each command
  EXPECT_EQ(outcome.failureLine, "");
}

TEST(RunVolumeJob, NonZeroPercentLeavesAMutedDeviceMuted) {
  FakeAudioDevice device;
  device.State().muted = true;
  EXPECT_EQ(RunVolumeJob("mastervol 35", device).failureLine, "");
  ASSERT_EQ(device.Calls().size(), 1u);
  EXPECT_EQ(device.Calls()[0].level, 0.35f);
  EXPECT_TRUE(device.State().muted);
}

TEST(RunVolumeJob, WrappedArgumentReachesTheEndpointAsItsScalar) {
  FakeAudioDevice device;
  EXPECT_EQ(RunVolumeJob("mastervol 2147483648", device).resultLine, ArgumentResult("2147483648"));
  ASSERT_EQ(device.Calls().size(), 1u);
  EXPECT_EQ(device.Calls()[0].level, static_cast<float>(-2147483648.0 / 100.0));
}

TEST(RunVolumeJob, SaysWhyTheVolumeDidNotChange) {
  struct FailureCase {
    std::string_view commandLine;
    bool devicePresent;
    bool startMuted;
    std::string_view expectedFailure;
  };
  const FailureCase cases[] = {
      {"mastervol 35", true, false, ""},
      {"mastervol 0", true, true, ""},  // already muted: S_FALSE is not a failure
      {"mastervol", true, false, ""},
      {"mastervol 150", true, false, "音量设置失败，错误代码 0x80070057，音量未改变"},
      {"mastervol -20", true, false, "音量设置失败，错误代码 0x80070057，音量未改变"},
      {"mastervol 35", false, false, "未找到默认音频输出设备，音量未改变"},
      {"mastervol 0", false, false, "未找到默认音频输出设备，音量未改变"},
      {"mastervol", false, false, "未找到默认音频输出设备，音量未改变"},
  };
  for (const FailureCase& c : cases) {
    FakeAudioDevice device;
    device.State().present = c.devicePresent;
    device.State().muted = c.startMuted;
    const VolumeJobOutcome outcome = RunVolumeJob(c.commandLine, device);
    EXPECT_EQ(outcome.failureLine, c.expectedFailure) << c.commandLine;
    if (!c.devicePresent) {
      EXPECT_TRUE(device.Calls().empty()) << c.commandLine;
    }
  }
}

TEST(RunVolumeJob, ResultLineIsTheSameWithoutADevice) {
  FakeAudioDevice device;
  device.State().present = false;
  EXPECT_EQ(RunVolumeJob("mastervol 60", device).resultLine, ArgumentResult("60"));
  EXPECT_EQ(RunVolumeJob("mastervol", device).resultLine, kFull);
}

TEST(DescribeFailedCall, WritesTheCodeInUpperCaseHex) {
  EXPECT_EQ(DescribeFailedCall(static_cast<audio::HResult>(0x8000000Au)),
            "音量设置失败，错误代码 0x8000000A，音量未改变");
  EXPECT_EQ(DescribeFailedCall(static_cast<audio::HResult>(0x80004001u)),
            "音量设置失败，错误代码 0x80004001，音量未改变");
}

}  // namespace
}  // namespace mastervol::app

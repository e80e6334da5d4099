// The master commands against the stand-in device: one acquisition and one call each, released after.
#include "audio/master_commands.h"

#include <gtest/gtest.h>

#include "audio/testing/fake_endpoint.h"

namespace mastervol::audio {
namespace {

using testing::FakeAudioDevice;

TEST(PercentToScalar, DividesInDoublePrecisionThenNarrows) {
  EXPECT_EQ(PercentToScalar(35), 0.35f);
  EXPECT_EQ(PercentToScalar(100), 1.0f);
  EXPECT_EQ(PercentToScalar(0), 0.0f);
  EXPECT_EQ(PercentToScalar(150), 1.5f);
  EXPECT_EQ(PercentToScalar(-20), -0.2f);
  EXPECT_EQ(PercentToScalar(7), static_cast<float>(7 / 100.0));
}

TEST(MasterCommands, SetPercentPassesTheScalarAndLeavesMuteAlone) {
  FakeAudioDevice device;
  device.State().muted = true;
  const CommandResult result = SetMasterVolumePercent(device, 35);
  EXPECT_EQ(result.Status(), 0);
  EXPECT_TRUE(result.Succeeded());
  ASSERT_EQ(device.Calls().size(), 1u);
  EXPECT_EQ(device.Calls()[0].name, "SetMasterVolumeLevelScalar");
  EXPECT_EQ(device.Calls()[0].level, 0.35f);
  EXPECT_TRUE(device.State().muted);
  EXPECT_EQ(device.EndpointsHeld(), 0);
}

TEST(MasterCommands, ZeroPercentSetsSilenceWithoutMuting) {
  FakeAudioDevice device;
  EXPECT_TRUE(SetMasterVolumePercent(device, 0).Succeeded());
  EXPECT_EQ(device.State().master, 0.0f);
  EXPECT_FALSE(device.State().muted);
}

TEST(MasterCommands, RefusedScalarIsStatusZeroButNotSuccess) {
  FakeAudioDevice device;
  const CommandResult result = SetMasterVolumePercent(device, 150);
  EXPECT_EQ(result.Status(), 0);
  EXPECT_FALSE(result.Succeeded());
  EXPECT_EQ(result.callResult, kInvalidArgument);
  EXPECT_EQ(device.State().master, 0.5f);
}

TEST(MasterCommands, MuteAlreadySetIsNotAFailure) {
  FakeAudioDevice device;
  EXPECT_TRUE(SetMasterMute(device, false).Succeeded());  // S_FALSE: already unmuted
  EXPECT_TRUE(SetMasterMute(device, true).Succeeded());
  EXPECT_TRUE(device.State().muted);
}

TEST(MasterCommands, StepsMoveTheMasterLevel) {
  FakeAudioDevice device;
  EXPECT_TRUE(StepMasterVolumeUp(device).Succeeded());
  EXPECT_FLOAT_EQ(device.State().master, 0.52f);
  EXPECT_TRUE(StepMasterVolumeDown(device).Succeeded());
  EXPECT_TRUE(StepMasterVolumeDown(device).Succeeded());
  EXPECT_FLOAT_EQ(device.State().master, 0.48f);
  EXPECT_EQ(device.Acquisitions(), 3);
  EXPECT_EQ(device.EndpointsHeld(), 0);
}

TEST(MasterCommands, WithoutADeviceEveryCommandFailsAndCallsNothing) {
  FakeAudioDevice device;
  device.State().present = false;
  const CommandResult results[] = {SetMasterVolumePercent(device, 35), SetMasterMute(device, true),
                                   StepMasterVolumeUp(device), StepMasterVolumeDown(device)};
  for (const CommandResult& result : results) {
    EXPECT_EQ(result.Status(), -1);
    EXPECT_FALSE(result.Succeeded());
  }
  EXPECT_TRUE(device.Calls().empty());
  EXPECT_EQ(device.Acquisitions(), 4);
}

}  // namespace
}  // namespace mastervol::audio

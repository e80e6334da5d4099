// The simulated device's state file: what it writes reads back exactly, and what it cannot read is refused.
#include "tests/fake_audio_device/device_state.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace mastervol::fake_audio {
namespace {

TEST(FakeAudioFloat, FormatsBitsThenShortestDecimal) {
  EXPECT_EQ(FormatFloat(0.35f), "0x3eb33333/0.35");
  EXPECT_EQ(FormatFloat(0.0f), "0x00000000/0");
  EXPECT_EQ(FormatFloat(-0.0f), "0x80000000/-0");
  EXPECT_EQ(FormatFloat(1.5f), "0x3fc00000/1.5");
}

TEST(FakeAudioFloat, ParsesBitsOrDecimal) {
  struct Case {
    const char* text;
    std::optional<std::uint32_t> bits;
  };
  const Case cases[] = {
      {"0x3eb33333/0.35", 0x3eb33333u},
      {"0x3eb33333/9.99", 0x3eb33333u},  // the bits decide, the decimal is for people
      {"0x3eb33333", 0x3eb33333u},
      {"0x1", 0x00000001u},
      {"0.35", std::bit_cast<std::uint32_t>(0.35f)},
      {"1", std::bit_cast<std::uint32_t>(1.0f)},
      {"", std::nullopt},
      {"0x", std::nullopt},
      {"0x123456789", std::nullopt},
      {"0xzz", std::nullopt},
      {"0.35x", std::nullopt},
      {"half", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<float> parsed = ParseFloat(c.text);
    ASSERT_EQ(parsed.has_value(), c.bits.has_value());
    if (parsed) {
      EXPECT_EQ(std::bit_cast<std::uint32_t>(*parsed), *c.bits);
    }
  }
}

TEST(FakeAudioState, RoundTripsExactly) {
  const DeviceState states[] = {
      DeviceState{},
      DeviceState{.present = false, .muted = true, .master = 0.35f, .channels = {}, .steps = 7},
      DeviceState{.present = true, .muted = false, .master = std::nextafter(1.0f, 0.0f),
                  .channels = {0.0f, 1.0f, 0.1f, std::numeric_limits<float>::denorm_min()}, .steps = 100},
  };
  for (const DeviceState& state : states) {
    const std::string text = SerializeState(state);
    SCOPED_TRACE(text);
    EXPECT_EQ(ParseState(text), state);
  }
}

TEST(FakeAudioState, ReadsWhatPeopleWrite) {
  // Any order, CRLF, comments, decimals, and keys left out keep their defaults.
  const std::optional<DeviceState> state =
      ParseState("# three channels\r\nchannel2=0.25\r\nchannels=3\r\n\r\nmuted=1\r\nmaster=0.75");
  ASSERT_TRUE(state);
  EXPECT_EQ(state->channels, (std::vector<float>{0.5f, 0.5f, 0.25f}));
  EXPECT_TRUE(state->muted);
  EXPECT_TRUE(state->present);
  EXPECT_EQ(state->master, 0.75f);
  EXPECT_EQ(state->steps, 50u);
  EXPECT_EQ(ParseState(""), DeviceState{});
}

TEST(FakeAudioState, RefusesWhatItCannotRead) {
  const char* const texts[] = {
      "volume=1",            // unknown key
      "present",             // no value
      "muted=yes",           // flags are 0 or 1
      "master=loud",
      "steps=0",             // a step of 1/0
      "channels=65",         // more channels than any device
      "channels=-1",
      "channels=2\nchannel2=0.5",  // a channel the device does not have
      "channelx=0.5",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(ParseState(text).has_value());
  }
}

}  // namespace
}  // namespace mastervol::fake_audio

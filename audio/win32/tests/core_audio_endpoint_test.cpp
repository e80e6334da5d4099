// The Core Audio adapter under Wine against the simulated audio device: the exact calls each master
// command makes, the failures it passes back, and that every reference is released inside COM.
#include "audio/win32/core_audio_endpoint.h"

#include <objbase.h>

#include <bit>
#include <functional>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "audio/master_commands.h"
#include "tests/fake_audio_device/journal.h"
#include "tests/wine_support/fake_audio_session.h"

namespace mastervol::audio {
namespace {

using fake_audio::CallsOn;
using fake_audio::DeviceState;
using fake_audio::JournalEntry;
using wine_support::FakeAudioSession;

constexpr HResult kFalse = 1;  // S_FALSE

// The calling thread's apartment, or none. The process's first single-threaded apartment is its main one;
// for these tests it is just single-threaded.
std::optional<APTTYPE> CurrentApartment() {
  APTTYPE type{};
  APTTYPEQUALIFIER qualifier{};
  if (FAILED(CoGetApartmentType(&type, &qualifier))) return std::nullopt;
  return type == APTTYPE_MAINSTA ? APTTYPE_STA : type;
}

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

std::size_t Created(const std::vector<JournalEntry>& journal, std::string_view kind) {
  std::size_t count = 0;
  for (const JournalEntry& entry : journal) count += entry.Kind() == kind && entry.call == "Create";
  return count;
}

class CoreAudioAdapter : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wine_support::SimulatedAudioDeviceRegistered())
        << "the Wine prefix does not serve the simulated audio device: build mastervol_fake_audio_device, "
           "then run ctest so that the wine_prefix fixture registers it";
  }

  static std::vector<JournalEntry> Journal(const FakeAudioSession& audio) {
    std::optional<std::vector<JournalEntry>> journal = audio.ReadJournal();
    EXPECT_TRUE(journal) << "unreadable journal " << audio.JournalPath();
    return journal.value_or(std::vector<JournalEntry>{});
  }

  // Every object the device handed out ended at zero references, each released while the thread was
  // still in a COM apartment.
  static void ExpectAllReleasedInsideCom(const std::vector<JournalEntry>& journal) {
    for (const fake_audio::ObjectLifetime& lifetime : fake_audio::Lifetimes(journal)) {
      SCOPED_TRACE(lifetime.object);
      EXPECT_EQ(lifetime.finalReferences, 0);
      EXPECT_TRUE(lifetime.destroyed);
      EXPECT_NE(lifetime.apartmentAtLastRelease, "none");
      EXPECT_NE(lifetime.apartmentAtLastRelease, "");
    }
  }

  CoreAudioEndpointSource source_;
};

struct CommandCase {
  const char* name;
  std::function<CommandResult(EndpointSource&)> run;
  DeviceState before;
  const char* call;
  std::optional<std::uint32_t> levelBits;  // the float passed, as bits
  std::optional<std::string> mute;
  HResult result;
  DeviceState after;
};

std::vector<CommandCase> CommandCases() {
  const DeviceState muted{.muted = true};
  const DeviceState unmuted{};
  auto withMaster = [](DeviceState state, float master) {
    state.master = master;
    return state;
  };
  auto withMute = [](DeviceState state, bool mute) {
    state.muted = mute;
    return state;
  };
  auto set = [](std::int32_t percent) {
    return [percent](EndpointSource& s) { return SetMasterVolumePercent(s, percent); };
  };
  auto mute = [](bool flag) { return [flag](EndpointSource& s) { return SetMasterMute(s, flag); }; };
  return {
      // 35 passes the float nearest 0.35, and the mute state is not touched.
      {"set 35", set(35), muted, "SetMasterVolumeLevelScalar", 0x3EB33333u, {}, kOk, withMaster(muted, 0.35f)},
      {"set 0 silences without muting", set(0), unmuted, "SetMasterVolumeLevelScalar", 0x00000000u, {}, kOk,
       withMaster(unmuted, 0.0f)},
      {"set 100", set(100), unmuted, "SetMasterVolumeLevelScalar", 0x3F800000u, {}, kOk, withMaster(unmuted, 1.0f)},
      {"set 150 is refused", set(150), unmuted, "SetMasterVolumeLevelScalar", 0x3FC00000u, {}, kInvalidArgument,
       unmuted},
      {"set -5 is refused", set(-5), unmuted, "SetMasterVolumeLevelScalar", Bits(-0.05f), {}, kInvalidArgument,
       unmuted},
      {"mute", mute(true), unmuted, "SetMute", {}, "1", kOk, withMute(unmuted, true)},
      {"unmute", mute(false), muted, "SetMute", {}, "0", kOk, withMute(muted, false)},
      {"mute when muted", mute(true), muted, "SetMute", {}, "1", kFalse, muted},
      {"step up", [](EndpointSource& s) { return StepMasterVolumeUp(s); }, unmuted, "VolumeStepUp", {}, {}, kOk,
       withMaster(unmuted, 0.52f)},
      {"step down", [](EndpointSource& s) { return StepMasterVolumeDown(s); }, unmuted, "VolumeStepDown", {}, {},
       kOk, withMaster(unmuted, 0.48f)},
  };
}

TEST_F(CoreAudioAdapter, EachCommandMakesExactlyItsOneCall) {
  for (const CommandCase& c : CommandCases()) {
    SCOPED_TRACE(c.name);
    const FakeAudioSession audio(c.before);
    ASSERT_TRUE(audio.Ready());

    const CommandResult result = c.run(source_);
    EXPECT_TRUE(result.endpointFound);
    EXPECT_EQ(result.callResult, c.result);

    const std::vector<JournalEntry> journal = Journal(audio);
    const std::vector<JournalEntry> calls = CallsOn(journal, "volume");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].call, c.call);
    EXPECT_EQ(calls[0].Arg("context"), "null");
    EXPECT_EQ(calls[0].Result(), c.result);
    if (c.levelBits) {
      ASSERT_TRUE(calls[0].FloatArg("level"));
      EXPECT_EQ(Bits(*calls[0].FloatArg("level")), *c.levelBits);
    }
    EXPECT_EQ(calls[0].Arg("mute"), c.mute);
    EXPECT_EQ(audio.ReadState(), c.after);

    EXPECT_EQ(Created(journal, "enumerator"), 1u);
    EXPECT_EQ(Created(journal, "device"), 1u);
    EXPECT_EQ(Created(journal, "volume"), 1u);
    ExpectAllReleasedInsideCom(journal);
    EXPECT_EQ(CurrentApartment(), std::nullopt) << "the command left COM initialised";
  }
}

TEST_F(CoreAudioAdapter, AcquisitionAsksForTheDefaultRenderConsoleEndpoint) {
  const FakeAudioSession audio;
  ASSERT_TRUE(audio.Ready());
  ASSERT_TRUE(StepMasterVolumeUp(source_).Succeeded());

  const std::vector<JournalEntry> journal = Journal(audio);
  const std::vector<JournalEntry> created = CallsOn(journal, "factory");
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].call, "CreateInstance");
  EXPECT_EQ(created[0].Arg("iid"), "{A95664D2-9614-4F35-A746-DE8DB63617E6}");

  const std::vector<JournalEntry> found = CallsOn(journal, "enumerator");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].call, "GetDefaultAudioEndpoint");
  EXPECT_EQ(found[0].Arg("flow"), "0");
  EXPECT_EQ(found[0].Arg("role"), "0");

  const std::vector<JournalEntry> activated = CallsOn(journal, "device");
  ASSERT_EQ(activated.size(), 1u);
  EXPECT_EQ(activated[0].call, "Activate");
  EXPECT_EQ(activated[0].Arg("iid"), "{5CDF2C82-841E-4546-9722-0CF74078229A}");
  EXPECT_EQ(activated[0].Arg("clsctx"), "7");
  EXPECT_EQ(activated[0].Arg("params"), "null");
}

TEST_F(CoreAudioAdapter, WithoutADeviceNoCommandReachesAnEndpoint) {
  const std::function<CommandResult(EndpointSource&)> commands[] = {
      [](EndpointSource& s) { return SetMasterVolumePercent(s, 35); },
      [](EndpointSource& s) { return SetMasterMute(s, true); },
      [](EndpointSource& s) { return StepMasterVolumeUp(s); },
      [](EndpointSource& s) { return StepMasterVolumeDown(s); },
  };
  for (const auto& command : commands) {
    const FakeAudioSession audio(DeviceState{.present = false});
    ASSERT_TRUE(audio.Ready());

    const CommandResult result = command(source_);
    EXPECT_FALSE(result.endpointFound);
    EXPECT_EQ(result.Status(), -1);

    const std::vector<JournalEntry> journal = Journal(audio);
    const std::vector<JournalEntry> lookups = CallsOn(journal, "enumerator");
    ASSERT_EQ(lookups.size(), 1u);
    EXPECT_EQ(lookups[0].Result(), kNotFound);
    EXPECT_EQ(Created(journal, "device"), 0u);
    EXPECT_EQ(Created(journal, "volume"), 0u);
    ExpectAllReleasedInsideCom(journal);
    EXPECT_EQ(CurrentApartment(), std::nullopt);
    EXPECT_EQ(audio.ReadState(), DeviceState{.present = false});
  }
}

TEST_F(CoreAudioAdapter, EveryCommandAcquiresAfresh) {
  const FakeAudioSession audio;
  ASSERT_TRUE(audio.Ready());
  ASSERT_TRUE(SetMasterVolumePercent(source_, 35).Succeeded());
  ASSERT_TRUE(StepMasterVolumeUp(source_).Succeeded());
  ASSERT_TRUE(SetMasterMute(source_, true).Succeeded());

  const std::vector<JournalEntry> journal = Journal(audio);
  EXPECT_EQ(Created(journal, "enumerator"), 3u);
  EXPECT_EQ(Created(journal, "device"), 3u);
  EXPECT_EQ(Created(journal, "volume"), 3u);
  ExpectAllReleasedInsideCom(journal);
  const std::optional<DeviceState> state = audio.ReadState();
  ASSERT_TRUE(state);
  EXPECT_EQ(state->master, static_cast<float>(static_cast<double>(0.35f) + 0.02));
  EXPECT_TRUE(state->muted);
}

// The endpoint owns one CoInitialize; the caller's own apartment, whatever it is, is left as it was.
TEST_F(CoreAudioAdapter, EndpointHoldsTheApartmentAndLeavesTheCallersAsItWas) {
  struct Case {
    const char* name;
    std::optional<DWORD> callerModel;
    std::optional<APTTYPE> whileHeld;
  };
  const Case cases[] = {
      {"no apartment", std::nullopt, APTTYPE_STA},
      {"single-threaded", COINIT_APARTMENTTHREADED, APTTYPE_STA},
      {"multithreaded", COINIT_MULTITHREADED, APTTYPE_MTA},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FakeAudioSession audio;
    ASSERT_TRUE(audio.Ready());
    const bool callerEntered = c.callerModel && SUCCEEDED(CoInitializeEx(nullptr, *c.callerModel));
    const std::optional<APTTYPE> before = CurrentApartment();

    std::unique_ptr<EndpointVolume> endpoint = source_.AcquireEndpointVolume();
    ASSERT_TRUE(endpoint);
    EXPECT_EQ(CurrentApartment(), c.whileHeld);
    endpoint.reset();
    EXPECT_EQ(CurrentApartment(), before);

    ExpectAllReleasedInsideCom(Journal(audio));
    if (callerEntered) CoUninitialize();
  }
}

TEST_F(CoreAudioAdapter, ChannelCallsPassThroughWithTheirResults) {
  const FakeAudioSession audio(DeviceState{.channels = {0.2f, 0.4f, 0.6f}});
  ASSERT_TRUE(audio.Ready());
  {
    const std::unique_ptr<EndpointVolume> endpoint = source_.AcquireEndpointVolume();
    ASSERT_TRUE(endpoint);

    std::uint32_t count = 0;
    EXPECT_EQ(endpoint->GetChannelCount(count), kOk);
    EXPECT_EQ(count, 3u);
    float level = -1.0f;
    EXPECT_EQ(endpoint->GetChannelVolumeLevelScalar(1, level), kOk);
    EXPECT_EQ(level, 0.4f);
    EXPECT_EQ(endpoint->SetChannelVolumeLevelScalar(2, 0.25f), kOk);
    EXPECT_EQ(endpoint->GetChannelVolumeLevelScalar(3, level), kInvalidArgument);
    EXPECT_EQ(endpoint->SetChannelVolumeLevelScalar(3, 0.1f), kInvalidArgument);
    EXPECT_EQ(endpoint->SetChannelVolumeLevelScalar(0, 1.5f), kInvalidArgument);
  }
  const std::optional<DeviceState> state = audio.ReadState();
  ASSERT_TRUE(state);
  EXPECT_EQ(state->channels, (std::vector<float>{0.2f, 0.4f, 0.25f}));

  const std::vector<JournalEntry> journal = Journal(audio);
  for (const JournalEntry& call : CallsOn(journal, "volume")) {
    if (call.call == "SetChannelVolumeLevelScalar") {
      EXPECT_EQ(call.Arg("context"), "null");
    }
  }
  ExpectAllReleasedInsideCom(journal);
}

TEST_F(CoreAudioAdapter, SimulatedDeviceStartsFromDefaultsWithoutAStateFile) {
  const FakeAudioSession audio;
  ASSERT_TRUE(audio.Ready());
  ASSERT_TRUE(audio.RemoveState());
  ASSERT_TRUE(StepMasterVolumeDown(source_).Succeeded());
  DeviceState expected;
  expected.master = 0.48f;
  EXPECT_EQ(audio.ReadState(), expected);
}

}  // namespace
}  // namespace mastervol::audio

// The stand-in's endpoint: every call is journaled with its result before the state changes.
#include "audio/testing/fake_endpoint.h"

#include <algorithm>

namespace mastervol::audio::testing {
namespace {

constexpr HResult kFalse = 1;  // S_FALSE: the mute state was already as asked

bool IsScalar(float level) noexcept { return level >= 0.0f && level <= 1.0f; }

}  // namespace

class FakeEndpointVolume final : public EndpointVolume {
 public:
  explicit FakeEndpointVolume(FakeAudioDevice& device) noexcept : device_(device) { ++device_.held_; }
  ~FakeEndpointVolume() override { --device_.held_; }
  FakeEndpointVolume(const FakeEndpointVolume&) = delete;
  FakeEndpointVolume& operator=(const FakeEndpointVolume&) = delete;

  HResult GetChannelCount(std::uint32_t& count) noexcept override {
    count = static_cast<std::uint32_t>(State().channels.size());
    return Record({.name = "GetChannelCount"});
  }
  HResult SetMasterVolumeLevelScalar(float level) noexcept override {
    const HResult result = IsScalar(level) ? kOk : kInvalidArgument;
    if (result == kOk) State().master = level;
    return Record({.name = "SetMasterVolumeLevelScalar", .level = level, .result = result});
  }
  HResult SetChannelVolumeLevelScalar(std::uint32_t channel, float level) noexcept override {
    const HResult result = IsScalar(level) && channel < State().channels.size() ? kOk : kInvalidArgument;
    if (result == kOk) State().channels[channel] = level;
    return Record({.name = "SetChannelVolumeLevelScalar", .channel = channel, .level = level, .result = result});
  }
  HResult GetChannelVolumeLevelScalar(std::uint32_t channel, float& level) noexcept override {
    const HResult result = channel < State().channels.size() ? kOk : kInvalidArgument;
    if (result == kOk) level = State().channels[channel];
    return Record({.name = "GetChannelVolumeLevelScalar", .channel = channel, .result = result});
  }
  HResult SetMute(bool mute) noexcept override {
    const HResult result = State().muted == mute ? kFalse : kOk;
    State().muted = mute;
    return Record({.name = "SetMute", .flag = mute, .result = result});
  }
  HResult VolumeStepUp() noexcept override {
    State().master = std::min(1.0f, State().master + State().stepSize);
    return Record({.name = "VolumeStepUp"});
  }
  HResult VolumeStepDown() noexcept override {
    State().master = std::max(0.0f, State().master - State().stepSize);
    return Record({.name = "VolumeStepDown"});
  }

 private:
  FakeDeviceState& State() noexcept { return device_.state_; }
  HResult Record(FakeCall call) {
    device_.calls_.push_back(call);
    return call.result;
  }

  FakeAudioDevice& device_;
};

std::unique_ptr<EndpointVolume> FakeAudioDevice::AcquireEndpointVolume() noexcept {
  ++acquisitions_;
  if (!state_.present) return nullptr;
  return std::make_unique<FakeEndpointVolume>(*this);
}

}  // namespace mastervol::audio::testing

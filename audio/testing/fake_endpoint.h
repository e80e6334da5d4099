// A stand-in audio device for the native tests: it keeps the state Core Audio would keep, records every
// call in order, refuses what Core Audio refuses, and counts the endpoints that are still held.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "audio/endpoint.h"

namespace mastervol::audio::testing {

struct FakeDeviceState {
  bool present = true;                   // false plays "no default render device"
  float master = 0.5f;
  bool muted = false;
  std::vector<float> channels{0.5f, 0.5f};
  float stepSize = 0.02f;
};

// One recorded endpoint call: its name, the arguments it took and the result it gave.
struct FakeCall {
  std::string name;
  std::uint32_t channel = 0;
  float level = 0.0f;
  bool flag = false;
  HResult result = kOk;
};

class FakeAudioDevice final : public EndpointSource {
 public:
  FakeAudioDevice() = default;
  explicit FakeAudioDevice(FakeDeviceState state) : state_(std::move(state)) {}

  [[nodiscard]] std::unique_ptr<EndpointVolume> AcquireEndpointVolume() noexcept override;

  FakeDeviceState& State() noexcept { return state_; }
  const std::vector<FakeCall>& Calls() const noexcept { return calls_; }
  int Acquisitions() const noexcept { return acquisitions_; }
  int EndpointsHeld() const noexcept { return held_; }

 private:
  friend class FakeEndpointVolume;
  FakeDeviceState state_;
  std::vector<FakeCall> calls_;
  int acquisitions_ = 0;
  int held_ = 0;
};

}  // namespace mastervol::audio::testing

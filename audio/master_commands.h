// The master-volume commands: each acquires a fresh endpoint, makes one call on it and lets it go.
#pragma once

#include <cstdint>

#include "audio/endpoint.h"

namespace mastervol::audio {

// What one command did: whether an endpoint was acquired and, if so, what its one call returned.
struct CommandResult {
  bool endpointFound = false;
  HResult callResult = kOk;

  // The program's status convention: 0 when an endpoint was acquired, -1 when none was.
  [[nodiscard]] int Status() const noexcept { return endpointFound ? 0 : -1; }
  [[nodiscard]] bool Succeeded() const noexcept { return endpointFound && !Failed(callResult); }
};

// percent / 100 computed in double precision and narrowed to the float Core Audio takes. No range
// check: the endpoint itself refuses a scalar outside 0.0 to 1.0.
[[nodiscard]] float PercentToScalar(std::int32_t percent) noexcept;

[[nodiscard]] CommandResult SetMasterVolumePercent(EndpointSource& source, std::int32_t percent) noexcept;
[[nodiscard]] CommandResult SetMasterMute(EndpointSource& source, bool mute) noexcept;
[[nodiscard]] CommandResult StepMasterVolumeUp(EndpointSource& source) noexcept;
[[nodiscard]] CommandResult StepMasterVolumeDown(EndpointSource& source) noexcept;

}  // namespace mastervol::audio

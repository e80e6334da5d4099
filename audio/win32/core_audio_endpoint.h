// The Windows endpoint source: the default render endpoint's volume interface through Core Audio.
#pragma once

#include <memory>

#include "audio/endpoint.h"

namespace mastervol::audio {

// Each acquisition enters a COM apartment (CoInitialize), creates the device enumerator from its GUID
// texts, takes the default render/console device and activates its IAudioEndpointVolume. The endpoint
// returned owns all of that and gives it back in reverse: references first, then the apartment.
class CoreAudioEndpointSource final : public EndpointSource {
 public:
  [[nodiscard]] std::unique_ptr<EndpointVolume> AcquireEndpointVolume() noexcept override;
};

}  // namespace mastervol::audio

// The seam between the volume commands and Core Audio: the default render endpoint's volume interface,
// acquired afresh for every command. Windows implements it with COM; tests use a recording stand-in.
#pragma once

#include <cstdint>
#include <memory>

namespace mastervol::audio {

// A COM result exactly as the endpoint returned it; negative values are failures, S_FALSE (1) is not.
using HResult = std::int32_t;
inline constexpr HResult kOk = 0;
inline constexpr HResult kInvalidArgument = static_cast<HResult>(0x80070057u);  // E_INVALIDARG
inline constexpr HResult kNotFound = static_cast<HResult>(0x80070490u);         // E_NOTFOUND

[[nodiscard]] constexpr bool Failed(HResult result) noexcept { return result < 0; }

// The calls the program makes on IAudioEndpointVolume, each with a null event context.
class EndpointVolume {
 public:
  virtual ~EndpointVolume() = default;

  [[nodiscard]] virtual HResult GetChannelCount(std::uint32_t& count) noexcept = 0;
  [[nodiscard]] virtual HResult SetMasterVolumeLevelScalar(float level) noexcept = 0;
  [[nodiscard]] virtual HResult SetChannelVolumeLevelScalar(std::uint32_t channel, float level) noexcept = 0;
  [[nodiscard]] virtual HResult GetChannelVolumeLevelScalar(std::uint32_t channel, float& level) noexcept = 0;
  [[nodiscard]] virtual HResult SetMute(bool mute) noexcept = 0;
  [[nodiscard]] virtual HResult VolumeStepUp() noexcept = 0;
  [[nodiscard]] virtual HResult VolumeStepDown() noexcept = 0;
};

// Acquires the default render endpoint for one command. The returned object owns everything the
// acquisition took (the COM apartment and every reference); destroying it releases the references and
// then leaves the apartment. No endpoint (no device, no Core Audio, a failed activation) gives nullptr,
// with the apartment already left.
class EndpointSource {
 public:
  virtual ~EndpointSource() = default;

  [[nodiscard]] virtual std::unique_ptr<EndpointVolume> AcquireEndpointVolume() noexcept = 0;
};

}  // namespace mastervol::audio

// One frame serves every master command: acquire, one call, release (the owner leaves the apartment).
#include "audio/master_commands.h"

namespace mastervol::audio {
namespace {

template <typename Call>
CommandResult RunOnEndpoint(EndpointSource& source, Call call) noexcept {
  const std::unique_ptr<EndpointVolume> endpoint = source.AcquireEndpointVolume();
  if (!endpoint) return CommandResult{};
  return CommandResult{.endpointFound = true, .callResult = call(*endpoint)};
}

}  // namespace

float PercentToScalar(std::int32_t percent) noexcept {
  return static_cast<float>(static_cast<double>(percent) / 100.0);
}

CommandResult SetMasterVolumePercent(EndpointSource& source, std::int32_t percent) noexcept {
  const float level = PercentToScalar(percent);
  return RunOnEndpoint(source, [level](EndpointVolume& e) { return e.SetMasterVolumeLevelScalar(level); });
}

CommandResult SetMasterMute(EndpointSource& source, bool mute) noexcept {
  return RunOnEndpoint(source, [mute](EndpointVolume& e) { return e.SetMute(mute); });
}

CommandResult StepMasterVolumeUp(EndpointSource& source) noexcept {
  return RunOnEndpoint(source, [](EndpointVolume& e) { return e.VolumeStepUp(); });
}

CommandResult StepMasterVolumeDown(EndpointSource& source) noexcept {
  return RunOnEndpoint(source, [](EndpointVolume& e) { return e.VolumeStepDown(); });
}

}  // namespace mastervol::audio

// The simulated audio device's state and its text form, shared by the device DLL and the tests that
// prepare or inspect it. The format is described in README.md beside this file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mastervol::fake_audio {

struct DeviceState {
  bool present = true;  // false: there is no default render device
  bool muted = false;
  float master = 0.5f;
  std::vector<float> channels{0.5f, 0.5f};
  std::uint32_t steps = 50;  // VolumeStepUp/Down move the master level by 1/steps

  friend bool operator==(const DeviceState&, const DeviceState&) = default;
};

// Renders a float as its exact bits and a readable decimal: "0x3eb33333/0.35".
[[nodiscard]] std::string FormatFloat(float value);
// Reads "0x3eb33333/0.35" (the bits decide), "0x3eb33333" or a plain decimal such as "0.35".
[[nodiscard]] std::optional<float> ParseFloat(std::string_view text);

[[nodiscard]] std::string SerializeState(const DeviceState& state);
// Lines are "key=value"; blank lines and lines starting with '#' are skipped, missing keys keep their
// defaults. Returns nothing for an unknown key, a malformed value or channel lines that leave a gap.
[[nodiscard]] std::optional<DeviceState> ParseState(std::string_view text);

}  // namespace mastervol::fake_audio

// Text form of the simulated device's state: one "key=value" per line, floats with their exact bits.
#include "tests/fake_audio_device/device_state.h"

#include <bit>
#include <charconv>
#include <map>

namespace mastervol::fake_audio {
namespace {

constexpr std::uint32_t kMaxChannels = 64;  // more would be a typo, not a device
constexpr std::string_view kChannelPrefix = "channel";

// Reads a whole text as one number; anything left over makes it no number.
template <typename Number, typename... Format>
std::optional<Number> ParseNumber(std::string_view text, Format... format) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, format...);
  if (error != std::errc{} || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<bool> ParseFlag(std::string_view text) {
  if (text == "0") return false;
  if (text == "1") return true;
  return std::nullopt;
}

std::string_view TrimLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
  return line;
}

}  // namespace

std::string FormatFloat(float value) {
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::bit_cast<std::uint32_t>(value), 16);
  std::string hex(buffer, end);
  end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return "0x" + std::string(8 - hex.size(), '0') + hex + "/" + std::string(buffer, end);
}

std::optional<float> ParseFloat(std::string_view text) {
  if (text.starts_with("0x")) {
    text.remove_prefix(2);
    text = text.substr(0, text.find('/'));
    if (text.size() > 8) return std::nullopt;
    const std::optional<std::uint32_t> bits = ParseNumber<std::uint32_t>(text, 16);
    if (!bits) return std::nullopt;
    return std::bit_cast<float>(*bits);
  }
  return ParseNumber<float>(text);
}

std::string SerializeState(const DeviceState& state) {
  std::string text;
  text += "present=" + std::to_string(state.present ? 1 : 0) + "\n";
  text += "muted=" + std::to_string(state.muted ? 1 : 0) + "\n";
  text += "master=" + FormatFloat(state.master) + "\n";
  text += "steps=" + std::to_string(state.steps) + "\n";
  text += "channels=" + std::to_string(state.channels.size()) + "\n";
  for (std::size_t i = 0; i < state.channels.size(); ++i) {
    text += std::string(kChannelPrefix) + std::to_string(i) + "=" + FormatFloat(state.channels[i]) + "\n";
  }
  return text;
}

std::optional<DeviceState> ParseState(std::string_view text) {
  DeviceState state;
  std::uint32_t channelCount = static_cast<std::uint32_t>(state.channels.size());
  std::map<std::uint32_t, float> levels;  // applied once the count is known, whatever the line order

  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    const std::string_view line = TrimLineEnd(text.substr(0, newline));
    text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
    if (line.empty() || line.front() == '#') continue;

    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);

    if (key == "present" || key == "muted") {
      const std::optional<bool> flag = ParseFlag(value);
      if (!flag) return std::nullopt;
      (key == "present" ? state.present : state.muted) = *flag;
    } else if (key == "master") {
      const std::optional<float> level = ParseFloat(value);
      if (!level) return std::nullopt;
      state.master = *level;
    } else if (key == "steps") {
      const std::optional<std::uint32_t> steps = ParseNumber<std::uint32_t>(value);
      if (!steps || *steps == 0) return std::nullopt;
      state.steps = *steps;
    } else if (key == "channels") {
      const std::optional<std::uint32_t> count = ParseNumber<std::uint32_t>(value);
      if (!count || *count > kMaxChannels) return std::nullopt;
      channelCount = *count;
    } else if (key.starts_with(kChannelPrefix)) {
      const std::optional<std::uint32_t> index = ParseNumber<std::uint32_t>(key.substr(kChannelPrefix.size()));
      const std::optional<float> level = ParseFloat(value);
      if (!index || !level) return std::nullopt;
      levels[*index] = *level;
    } else {
      return std::nullopt;
    }
  }

  state.channels.assign(channelCount, DeviceState{}.channels.front());
  for (const auto& [index, level] : levels) {
    if (index >= channelCount) return std::nullopt;
    state.channels[index] = level;
  }
  return state;
}

}  // namespace mastervol::fake_audio

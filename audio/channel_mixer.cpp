// The mixer's layout and arithmetic; all arithmetic is in double precision, truncated toward zero.
#include "audio/channel_mixer.h"

#include <cmath>
#include <limits>
#include <string>

#include "app/command_line.h"
#include "ui/main_window.h"

namespace mastervol::audio {
namespace {

using ui::toolkit::ControlId;
using ui::toolkit::ControlKind;
using ui::toolkit::Window;

constexpr std::string_view kCopyFailedMessage = "无法复制组件";

// Truncates toward zero; a value no int32 can hold (a device reporting a wild level) saturates instead
// of being undefined.
std::int32_t TruncateToInt32(double value) noexcept {
  if (std::isnan(value)) return 0;
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  if (value <= kMin) return std::numeric_limits<std::int32_t>::min();
  if (value >= kMax) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(std::trunc(value));
}

ControlId CopyInto(Window& window, ControlId templateControl, ControlId group) {
  const std::optional<ControlId> copy = window.Copy(templateControl);
  if (!copy) window.Fault(ui::toolkit::kFaultOperation, kCopyFailedMessage);
  window.SetParent(*copy, group);
  return *copy;
}

// Copies `templateControl` into the group for channel `index`, in place beside the template, visible.
ControlId PlaceChannelCopy(Window& window, ControlId templateControl, ControlId group, std::uint32_t index) {
  const ControlId copy = CopyInto(window, templateControl, group);
  window.SetLeft(copy, ChannelControlLeft(window.Left(templateControl), window.Width(templateControl), index));
  window.SetTop(copy, window.Top(templateControl));
  window.SetVisible(copy, true);
  return copy;
}

}  // namespace

std::int32_t SliderPositionForLevel(float level) noexcept {
  return TruncateToInt32((1.0 - static_cast<double>(level)) * 100.0);
}

std::int32_t LabelPercentForLevel(float level) noexcept {
  return TruncateToInt32(static_cast<double>(level) * 100.0);
}

float LevelForSliderPosition(std::int32_t position) noexcept {
  return static_cast<float>(1.0 - static_cast<double>(position) / 100.0);
}

std::int32_t ChannelControlLeft(std::int32_t templateLeft, std::int32_t templateWidth,
                                std::uint32_t index) noexcept {
  return TruncateToInt32(static_cast<double>(templateLeft) +
                         static_cast<double>(index) * (static_cast<double>(templateWidth) + kChannelGap));
}

int BuildChannelMixer(Window& window, EndpointSource& endpoints) {
  const std::unique_ptr<EndpointVolume> endpoint = endpoints.AcquireEndpointVolume();
  if (!endpoint) return -1;

  // A count or level the endpoint cannot give is taken as none / silence rather than left undefined.
  std::uint32_t count = 0;
  if (Failed(endpoint->GetChannelCount(count))) count = 0;

  const ControlId group = window.Named(ui::kGroupBox3);
  const ControlId sliderTemplate = window.Named(ui::kSliderBar1);
  const ControlId labelTemplate = window.Named(ui::kLabel1);
  for (std::uint32_t channel = 0; channel < count; ++channel) {
    const ControlId slider = PlaceChannelCopy(window, sliderTemplate, group, channel);
    window.SetTag(slider, std::to_string(channel));
    const ControlId label = PlaceChannelCopy(window, labelTemplate, group, channel);

    float level = 0.0f;
    if (Failed(endpoint->GetChannelVolumeLevelScalar(channel, level))) level = 0.0f;
    window.SetText(label, std::to_string(LabelPercentForLevel(level)));
    window.SetTag(label, std::to_string(channel + static_cast<std::uint32_t>(kLabelTagOffset)));
    window.SetPosition(slider, SliderPositionForLevel(level));
  }
  return static_cast<int>(count);
}

void OnChannelSliderMoved(Window& window, EndpointSource& endpoints) {
  const ControlId slider = window.EventSourceOf(ControlKind::SliderBar);
  const std::int32_t channel = app::TextToInteger(window.Tag(slider));

  if (const std::unique_ptr<EndpointVolume> endpoint = endpoints.AcquireEndpointVolume()) {
    // A refused level leaves the channel as it was; the label below still follows the slider, which is
    // what the user is looking at.
    const HResult ignored = endpoint->SetChannelVolumeLevelScalar(static_cast<std::uint32_t>(channel),
                                                                  LevelForSliderPosition(window.Position(slider)));
    static_cast<void>(ignored);
  }

  // The tag arithmetic wraps like the conversion does, so no tag can overflow it.
  const auto labelTag = static_cast<std::int32_t>(static_cast<std::uint32_t>(channel) +
                                                  static_cast<std::uint32_t>(kLabelTagOffset));
  const ControlId label =
      window.Expect(window.FindByTag(labelTag, [](std::string_view tag) { return app::TextToInteger(tag); }),
                    ControlKind::Label);
  window.SetText(label, std::to_string(100 - window.Position(slider)));
}

}  // namespace mastervol::audio

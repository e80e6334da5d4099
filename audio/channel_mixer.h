// The channel mixer in the main window's third group: one slider and one label per channel of the
// default render endpoint, and the command that moves a channel's level with its slider.
#pragma once

#include <cstdint>

#include "audio/endpoint.h"
#include "ui/toolkit/window.h"

namespace mastervol::audio {

// Neighbouring channels' controls stand this many pixels apart, beside the templates' own width.
inline constexpr std::int32_t kChannelGap = 12;
// A channel's label carries the channel's index plus this as its tag; its slider carries the index.
inline constexpr std::int32_t kLabelTagOffset = 100;

// Sliders are upside down: position 0 is the top and means 100 %. Both are truncated toward zero in
// double precision, so label + position can be 99 (0.7f gives label 69, position 30).
[[nodiscard]] std::int32_t SliderPositionForLevel(float level) noexcept;
[[nodiscard]] std::int32_t LabelPercentForLevel(float level) noexcept;
[[nodiscard]] float LevelForSliderPosition(std::int32_t position) noexcept;
// The left edge of the copy for channel `index`, beside the template at templateLeft.
[[nodiscard]] std::int32_t ChannelControlLeft(std::int32_t templateLeft, std::int32_t templateWidth,
                                              std::uint32_t index) noexcept;

// Lays out one slider and one label per channel, showing each channel's level. Returns the number of
// channels laid out, or -1 (and builds nothing) when no endpoint could be acquired.
[[nodiscard]] int BuildChannelMixer(ui::toolkit::Window& window, EndpointSource& endpoints);

// Bound to every channel slider's position change: sets the slider's channel to the slider's level and
// shows the new percentage in the channel's label. The event source must be a slider bar and the
// channel's label must exist and be a label; anything else is a fault.
void OnChannelSliderMoved(ui::toolkit::Window& window, EndpointSource& endpoints);

}  // namespace mastervol::audio

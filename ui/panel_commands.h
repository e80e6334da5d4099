// The commands bound to the main window's panel: app-command buttons, endpoint buttons, the entry box's
// set-volume button and its spinner. PanelCommands gathers them into a command table.
#pragma once

#include <cstdint>
#include <string_view>

#include "audio/endpoint.h"
#include "ui/toolkit/window.h"

namespace mastervol::ui {

// The seam in front of SendMessageA, so the panel stays portable.
class MessageSender {
 public:
  virtual ~MessageSender() = default;
  virtual std::intptr_t SendWindowMessage(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam) noexcept = 0;
};

inline constexpr std::uint32_t kWmAppCommand = 0x0319;
inline constexpr std::int32_t kAppCommandVolumeMute = 8;
inline constexpr std::int32_t kAppCommandVolumeDown = 9;
inline constexpr std::int32_t kAppCommandVolumeUp = 10;

// Command names in the table PanelCommands returns, as the main window's bindings use them.
inline constexpr std::string_view kSendVolumeUp = "SendVolumeAppCommand(10)";
inline constexpr std::string_view kSendVolumeDown = "SendVolumeAppCommand(9)";
inline constexpr std::string_view kSendVolumeMute = "SendVolumeAppCommand(8)";
inline constexpr std::string_view kStepMasterVolumeUp = "StepMasterVolumeUp";
inline constexpr std::string_view kStepMasterVolumeDown = "StepMasterVolumeDown";
inline constexpr std::string_view kMuteMaster = "SetMasterMute(1)";
inline constexpr std::string_view kUnmuteMaster = "SetMasterMute(0)";
inline constexpr std::string_view kSetVolumeFromEntry = "SetVolumeFromEntry";
inline constexpr std::string_view kOnLevelSpinner = "OnLevelSpinner";

// The application command in the high word, device 0 and no key flags in the low word.
[[nodiscard]] constexpr std::intptr_t AppCommandLParam(std::int32_t command) noexcept {
  return static_cast<std::intptr_t>(command) * 65536;
}

// SendMessageA(h, WM_APPCOMMAND, h, command * 65536) with h the window's native handle.
void SendVolumeAppCommand(toolkit::Window& window, MessageSender& sender, std::int32_t command);
// v = TextToInteger(content of 编辑框1); SetMasterVolumePercent(v).
void SetVolumeFromEntry(toolkit::Window& window, audio::EndpointSource& endpoints);
// Up adds 2 and clamps at 100 only; down takes 2 and clamps at 0 only.
[[nodiscard]] std::int32_t NextSpinnerLevel(std::int32_t value, std::int32_t step) noexcept;
// Reads 编辑框1, applies NextSpinnerLevel, writes the result back in decimal.
void OnLevelSpinner(toolkit::Window& window, std::int32_t step);

// Every panel command by name. endpoints and sender must outlive the load that uses the table.
[[nodiscard]] toolkit::CommandTable PanelCommands(audio::EndpointSource& endpoints, MessageSender& sender);

}  // namespace mastervol::ui

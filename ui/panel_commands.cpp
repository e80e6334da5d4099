// The panel's commands. Each reads what it needs from the loaded window and calls a master command or
// sends an application command; none keeps anything between calls.
#include "ui/panel_commands.h"

#include <algorithm>
#include <string>

#include "app/command_line.h"
#include "audio/master_commands.h"
#include "ui/main_window.h"

namespace mastervol::ui {

void SendVolumeAppCommand(toolkit::Window& window, MessageSender& sender, std::int32_t command) {
  const std::uintptr_t handle = window.NativeHandle();
  // The result is the window's default handling's; the program does not handle the message itself.
  static_cast<void>(sender.SendWindowMessage(handle, kWmAppCommand, handle, AppCommandLParam(command)));
}

void SetVolumeFromEntry(toolkit::Window& window, audio::EndpointSource& endpoints) {
  const std::int32_t percent = app::TextToInteger(window.Text(window.Named(kEditBox1)));
  // Without an endpoint the command does nothing, and the user is not told.
  static_cast<void>(audio::SetMasterVolumePercent(endpoints, percent));
}

std::int32_t NextSpinnerLevel(std::int32_t value, std::int32_t step) noexcept {
  // Widened so that the +/- 2 cannot overflow at the ends of the 32-bit range.
  const std::int64_t wide = value;
  if (step > 0) return static_cast<std::int32_t>(std::min<std::int64_t>(wide + 2, 100));
  return static_cast<std::int32_t>(std::max<std::int64_t>(wide - 2, 0));
}

void OnLevelSpinner(toolkit::Window& window, std::int32_t step) {
  const toolkit::ControlId entry = window.Named(kEditBox1);
  const std::int32_t value = app::TextToInteger(window.Text(entry));
  window.SetText(entry, std::to_string(NextSpinnerLevel(value, step)));
}

toolkit::CommandTable PanelCommands(audio::EndpointSource& endpoints, MessageSender& sender) {
  using toolkit::Window;
  const auto appCommand = [&sender](std::int32_t command) {
    return [&sender, command](Window& window, std::int32_t) { SendVolumeAppCommand(window, sender, command); };
  };
  // Endpoint results are not examined: a command's only effect is on the device.
  const auto endpointCommand = [&endpoints](audio::CommandResult (*run)(audio::EndpointSource&)) {
    return [&endpoints, run](Window&, std::int32_t) { static_cast<void>(run(endpoints)); };
  };
  const auto mute = [&endpoints](bool flag) {
    return [&endpoints, flag](Window&, std::int32_t) { static_cast<void>(audio::SetMasterMute(endpoints, flag)); };
  };

  toolkit::CommandTable table;
  table.emplace(kSendVolumeUp, appCommand(kAppCommandVolumeUp));
  table.emplace(kSendVolumeDown, appCommand(kAppCommandVolumeDown));
  table.emplace(kSendVolumeMute, appCommand(kAppCommandVolumeMute));
  table.emplace(kStepMasterVolumeUp, endpointCommand(&audio::StepMasterVolumeUp));
  table.emplace(kStepMasterVolumeDown, endpointCommand(&audio::StepMasterVolumeDown));
  table.emplace(kMuteMaster, mute(true));
  table.emplace(kUnmuteMaster, mute(false));
  table.emplace(kSetVolumeFromEntry,
                [&endpoints](Window& window, std::int32_t) { SetVolumeFromEntry(window, endpoints); });
  table.emplace(kOnLevelSpinner, [](Window& window, std::int32_t step) { OnLevelSpinner(window, step); });
  return table;
}

}  // namespace mastervol::ui

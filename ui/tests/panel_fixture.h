// Loads MainWindow with the panel's commands over a stand-in device, a recording message sender and a
// recording peer, so a test can play the user's clicks and spinner presses into the running window.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "audio/testing/fake_endpoint.h"
#include "ui/main_window.h"
#include "ui/panel_commands.h"
#include "ui/toolkit/testing/recording_peer.h"
#include "ui/toolkit/toolkit.h"

namespace mastervol::ui::testing {

struct SentMessage {
  std::uintptr_t window;
  std::uint32_t message;
  std::uintptr_t wParam;
  std::intptr_t lParam;

  friend bool operator==(const SentMessage&, const SentMessage&) = default;
};

class RecordingSender final : public MessageSender {
 public:
  std::intptr_t SendWindowMessage(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) noexcept override {
    sent.push_back({window, message, wParam, lParam});
    return 0;
  }
  std::vector<SentMessage> sent;
};

class PanelFixture {
 public:
  // Runs the main window; `user` acts while the message loop runs. Returns Load's exit code.
  int Run(const std::function<void(PanelFixture&)>& user) {
    toolkit::CommandTable commands = PanelCommands(device, sender);
    commands.emplace(kOnMainWindowCreated, [this](toolkit::Window& window, std::int32_t) {
      for (const toolkit::ControlDescription& control : MainWindow().controls) {
        ids.emplace(control.name, window.Named(control.name));
      }
    });
    commands.emplace(kOnChannelSliderMoved, [](toolkit::Window&, std::int32_t) {});
    peer.duringLoop = [this, &user](toolkit::testing::RecordingPeer&) { user(*this); };
    toolkit::Toolkit toolkit(peer);
    toolkit.SetFaultHook([this](std::int32_t code, std::string_view note) {
      faults.push_back(std::to_string(code) + " " + std::string(note));
      return 1;
    });
    return toolkit.Load(MainWindow(), commands);
  }

  // Ids stay valid after the load, so a test can look at what the peer was left showing.
  [[nodiscard]] toolkit::ControlId Id(std::string_view name) { return ids.at(std::string(name)); }
  void Click(std::string_view name) { peer.Events().OnClicked(Id(name)); }
  void Type(std::string_view name, std::string text) { peer.Events().OnTextEdited(Id(name), std::move(text)); }
  [[nodiscard]] std::string Shown(std::string_view name) { return peer.mirrored[Id(name)].text; }

  audio::testing::FakeAudioDevice device;
  RecordingSender sender;
  toolkit::testing::RecordingPeer peer;
  std::map<std::string, toolkit::ControlId> ids;
  std::vector<std::string> faults;
};

}  // namespace mastervol::ui::testing

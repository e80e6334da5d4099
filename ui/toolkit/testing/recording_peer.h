// A peer for the native tests: it keeps what the model told it, plays the user's actions into the model,
// and lets a test script what happens while the message loop runs.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/toolkit/peer.h"

namespace mastervol::ui::toolkit::testing {

struct PeerCall {
  std::string what;  // "CreateTopWindow", "CreateControl", "PropertyChanged", "ShowFaultBox", ...
  ControlId control;
  std::optional<Property> property;
  std::optional<ControlId> before;
};

struct FaultBox {
  std::int32_t code;
  std::string note;
};

class RecordingPeer final : public WindowPeer {
 public:
  [[nodiscard]] bool CreateTopWindow(const ControlState& window, PeerEvents& events) override;
  [[nodiscard]] bool CreateControl(const ControlState& control, std::optional<ControlId> before) override;
  void PropertyChanged(const ControlState& state, Property property) override;
  void RunMessageLoop() override;
  void EndMessageLoop() noexcept override;
  void DestroyAll() noexcept override;
  [[nodiscard]] std::uintptr_t NativeHandle() const noexcept override { return handle; }
  void ShowFaultBox(std::int32_t code, std::string_view note) noexcept override;

  // The user's side, valid between CreateTopWindow and DestroyAll.
  [[nodiscard]] PeerEvents& Events() { return *events_; }

  // The last state the model sent for each control.
  std::map<ControlId, ControlState> mirrored;
  std::vector<PeerCall> calls;
  std::vector<FaultBox> faultBoxes;
  std::function<void(RecordingPeer&)> duringLoop;  // the user's actions; the loop then "closes"
  int failCreateControlAfter = -1;                 // >= 0: that many controls succeed, then creation fails
  std::uintptr_t handle = 0x00C0FFEEu;
  bool loopEnded = false;
  bool destroyed = false;

 private:
  PeerEvents* events_ = nullptr;
};

}  // namespace mastervol::ui::toolkit::testing

// The recording peer's bookkeeping.
#include "ui/toolkit/testing/recording_peer.h"

namespace mastervol::ui::toolkit::testing {

bool RecordingPeer::CreateTopWindow(const ControlState& window, PeerEvents& events) {
  events_ = &events;
  mirrored[window.id] = window;
  calls.push_back({"CreateTopWindow", window.id, std::nullopt, std::nullopt});
  return true;
}

bool RecordingPeer::CreateControl(const ControlState& control, std::optional<ControlId> before) {
  if (failCreateControlAfter == 0) return false;
  if (failCreateControlAfter > 0) --failCreateControlAfter;
  mirrored[control.id] = control;
  calls.push_back({"CreateControl", control.id, std::nullopt, before});
  return true;
}

void RecordingPeer::PropertyChanged(const ControlState& state, Property property) {
  mirrored[state.id] = state;
  calls.push_back({"PropertyChanged", state.id, property, std::nullopt});
}

void RecordingPeer::RunMessageLoop() {
  calls.push_back({"RunMessageLoop", {}, std::nullopt, std::nullopt});
  if (duringLoop) duringLoop(*this);
}

void RecordingPeer::EndMessageLoop() noexcept {
  loopEnded = true;
  calls.push_back({"EndMessageLoop", {}, std::nullopt, std::nullopt});
}

void RecordingPeer::DestroyAll() noexcept {
  destroyed = true;
  calls.push_back({"DestroyAll", {}, std::nullopt, std::nullopt});
}

void RecordingPeer::ShowFaultBox(std::int32_t code, std::string_view note) noexcept {
  faultBoxes.push_back({code, std::string(note)});
}

}  // namespace mastervol::ui::toolkit::testing

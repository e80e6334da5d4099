// The seam between the toolkit's model and the real windows: the model drives a WindowPeer, the peer
// reports what the user did through PeerEvents. Win32 implements it; tests use a recording peer.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/toolkit/description.h"

namespace mastervol::ui::toolkit {

// A control's identity in one loaded window. Every control, copies included, gets a fresh one.
struct ControlId {
  std::uint32_t value = 0;

  friend auto operator<=>(const ControlId&, const ControlId&) = default;
};

enum class Property { Left, Top, Width, Height, Visible, Text, Tag, Position, Parent };

// What the peer needs to mirror one control. settings are the ones loaded from the description.
struct ControlState {
  ControlId id;
  ControlKind kind = ControlKind::Window;
  std::optional<ControlId> parent;  // nullopt for the window itself
  Place place;
  bool visible = false;
  std::string text;
  std::string tag;
  std::int32_t position = 0;        // a slider bar's current position
  Settings settings;
};

// What a peer reports back to the model. Each call may run bound commands before it returns.
class PeerEvents {
 public:
  virtual void OnClicked(ControlId control) = 0;
  virtual void OnPositionChanged(ControlId control, std::int32_t position) = 0;
  virtual void OnSpinnerPressed(ControlId control, std::int32_t step) = 0;
  virtual void OnTextEdited(ControlId control, std::string text) = 0;  // the user changed the content
  virtual void OnEditFocusLost(ControlId control) = 0;

 protected:
  ~PeerEvents() = default;
};

class WindowPeer {
 public:
  virtual ~WindowPeer() = default;

  // Creates the window, always hidden at first; events go to `events` until DestroyAll.
  [[nodiscard]] virtual bool CreateTopWindow(const ControlState& window, PeerEvents& events) = 0;
  // Creates a control under state.parent; `before` is the control it precedes in control order.
  [[nodiscard]] virtual bool CreateControl(const ControlState& control, std::optional<ControlId> before) = 0;
  // One property of a created control (or the window) changed in the model; `state` is current.
  virtual void PropertyChanged(const ControlState& state, Property property) = 0;
  // Runs until the window is closed or EndMessageLoop is called.
  virtual void RunMessageLoop() = 0;
  virtual void EndMessageLoop() noexcept = 0;
  // Tidies up: destroys the window and every control.
  virtual void DestroyAll() noexcept = 0;
  [[nodiscard]] virtual std::uintptr_t NativeHandle() const noexcept = 0;
  // The toolkit's own report, used when no hook takes the fault.
  virtual void ShowFaultBox(std::int32_t code, std::string_view note) noexcept = 0;
};

}  // namespace mastervol::ui::toolkit

// The window toolkit. Summary for its users:
// A window is described as data (description.h): the window, its controls in control order with kind,
// parent, place, visibility, text, tag and kind-specific settings, and bindings from (control, event) to a
// command name. Toolkit::Load(description, commands) creates the window hidden through a WindowPeer,
// creates every control, raises the window's creation-complete event synchronously, shows the window only
// if its visible flag is set, then runs the message loop; it returns the exit code: 0 when the window is
// closed, the code given to Window::Exit, or -1 after a fault. Commands receive the loaded Window
// (window.h), which offers the properties, Copy, SetParent, FindByTag, EventSource/EventSourceOf/Expect,
// NativeHandle, Exit and Fault. Exit and Fault unwind the command back to Load (never through a system
// window procedure); a fault goes to the hook registered with SetFaultHook as (code, note), where the
// note is the message, "\r\n", the caller's line and column joined by ", ", and "\r\n". Any other
// exception escaping a command reaches the hook as code 0 with its what() as the message.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "ui/toolkit/description.h"
#include "ui/toolkit/peer.h"
#include "ui/toolkit/window.h"

namespace mastervol::ui::toolkit {

// Receives every fault; a non-zero result says it was reported. A zero result (or no hook at all)
// leaves the report to the toolkit's own box. Either way the load ends with -1.
using FaultHook = std::function<int(std::int32_t code, std::string_view note)>;

inline constexpr int kFaultExitCode = -1;

class Toolkit {
 public:
  explicit Toolkit(WindowPeer& peer) noexcept : peer_(peer) {}

  void SetFaultHook(FaultHook hook) { hook_ = std::move(hook); }

  // Loads and runs the window; see the summary above. Never throws.
  [[nodiscard]] int Load(const WindowDescription& description, const CommandTable& commands) noexcept;

 private:
  WindowPeer& peer_;
  FaultHook hook_;
};

}  // namespace mastervol::ui::toolkit

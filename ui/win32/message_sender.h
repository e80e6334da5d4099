// Sends the panel's window messages with SendMessageA.
#pragma once

#include "ui/panel_commands.h"

namespace mastervol::ui::win32 {

class Win32MessageSender final : public MessageSender {
 public:
  std::intptr_t SendWindowMessage(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) noexcept override;
};

}  // namespace mastervol::ui::win32

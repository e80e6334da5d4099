// SendMessageA behind the panel's seam.
#include "ui/win32/message_sender.h"

#include <windows.h>

namespace mastervol::ui::win32 {

std::intptr_t Win32MessageSender::SendWindowMessage(std::uintptr_t window, std::uint32_t message,
                                                    std::uintptr_t wParam, std::intptr_t lParam) noexcept {
  return SendMessageA(reinterpret_cast<HWND>(window), message, wParam, lParam);
}

}  // namespace mastervol::ui::win32

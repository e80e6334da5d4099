// Shows the report box with the ANSI message box: the report's bytes are already in the ANSI code page.
#include "fault/win32/error_box.h"

#include <windows.h>

#include <string>

#include "fault/report_text.h"

namespace mastervol::fault::win32 {

static_assert(kReportBoxStyle == (MB_OK | MB_ICONERROR | MB_TASKMODAL));

void ShowErrorBox(std::string_view text, std::string_view title, std::uint32_t style) noexcept {
  try {
    const std::string terminatedText(text);
    const std::string terminatedTitle(title);
    // Only OK can close the box, so which button was pressed says nothing.
    MessageBoxA(nullptr, terminatedText.c_str(), terminatedTitle.c_str(), style);
  } catch (...) {
    // Out of memory for the copies: nothing can be shown.
  }
}

}  // namespace mastervol::fault::win32

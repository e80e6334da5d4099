// The report box itself: a task-modal message box with no owner window.
#pragma once

#include <cstdint>
#include <string_view>

namespace mastervol::fault::win32 {

// Shows text under title with the given box style and returns once the box is closed.
void ShowErrorBox(std::string_view text, std::string_view title, std::uint32_t style) noexcept;

}  // namespace mastervol::fault::win32

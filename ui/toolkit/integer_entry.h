// The integer entry of an edit box: which typed characters it takes, and how its content is rewritten
// when it loses the focus.
#pragma once

#include <string>
#include <string_view>

namespace mastervol::ui::toolkit {

// Control characters (below 0x20) pass, so editing keys keep working; otherwise digits and '-' only.
[[nodiscard]] bool AcceptsIntegerEntryChar(unsigned int code) noexcept;

// The content read as an integer (leading blanks, one sign, digits) limited to the signed 32-bit range,
// in decimal; 0 (and content without digits) gives the empty text.
[[nodiscard]] std::string NormalizeIntegerEntry(std::string_view content);

}  // namespace mastervol::ui::toolkit

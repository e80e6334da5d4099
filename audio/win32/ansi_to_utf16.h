// Converts the program's ANSI (system code page) texts to the UTF-16 that COM functions take.
#pragma once

#include <string_view>
#include <vector>

namespace mastervol::audio {

// The text's UTF-16LE code units including the terminating zero (a 38-character GUID text gives 39 units,
// 78 bytes). The conversion stops at the first zero byte; a failed conversion gives no units at all.
[[nodiscard]] std::vector<wchar_t> AnsiToUtf16(std::string_view text);

}  // namespace mastervol::audio

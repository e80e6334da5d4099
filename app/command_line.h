// How the program reads its command line: the splitting rules and the one text-to-integer conversion
// used for the argument, the entry box and the controls' tags.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mastervol::app {

// The arguments after the program's name, in order, as ANSI (GBK) bytes; an argument may be empty.
// Splitting stops at the line's end or at a zero byte. There are no escape characters.
[[nodiscard]] std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Full-width digits, signs, letters and blanks become ASCII, then the text reads like atol: leading
// white space, one optional sign, decimal digits up to the first other byte, 0 when there are none.
// The value wraps modulo 2^32, as the program always did; there is no overflow check.
[[nodiscard]] std::int32_t TextToInteger(std::string_view text) noexcept;

}  // namespace mastervol::app

// Which Windows the program runs on, as a small index into a table of names: the mapping from the
// version numbers (NT) or the thread block's signatures (9x) to that index, and the names themselves.
#pragma once

#include <cstdint>
#include <string_view>

namespace mastervol::fault {

// Index 0 is "unknown": every Windows newer than 7 lands there, as do unrecognised 9x systems.
inline constexpr int kOsIndexUnknown = 0;
inline constexpr int kOsIndexCount = 10;

// The 32-bit value Windows 9x keeps in one of three thread-block fields; which field holds it tells
// 95, 98 and ME apart.
inline constexpr std::uint32_t kWindows9xSignature = 0x530000;

// The name shown in the report for an index; an index outside the table reads as unknown.
[[nodiscard]] std::string_view OsNameFromIndex(int index) noexcept;

// NT family: major 4 or older is NT, then 2000, XP, 2003, Vista, 7; anything else is unknown.
[[nodiscard]] int OsIndexFromVersion(std::uint32_t major, std::uint32_t minor) noexcept;

// 9x family, given the thread block's 32-bit fields at offsets 0x58, 0x54 and 0x7C (in that order):
// the first one holding the signature decides 95 (1), 98 (2) or ME (3); none gives unknown.
[[nodiscard]] int OsIndexFrom9xSignatures(std::uint32_t at0x58, std::uint32_t at0x54,
                                          std::uint32_t at0x7C) noexcept;

}  // namespace mastervol::fault

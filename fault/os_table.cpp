// The OS table and the two ways of finding an index into it.
#include "fault/os_table.h"

#include <array>

namespace mastervol::fault {
namespace {

constexpr std::array<std::string_view, kOsIndexCount> kOsNames = {
    "未知", "Win95", "Win98", "WinME", "WinNT", "Win2000", "WinXP", "Win2003", "Vista", "Win7"};

constexpr int kOsIndexWin95 = 1;
constexpr int kOsIndexWin98 = 2;
constexpr int kOsIndexWinMe = 3;
constexpr int kOsIndexWinNt = 4;

// NT versions named by (major, minor), past NT 4 itself.
struct NamedVersion {
  std::uint32_t major;
  std::uint32_t minor;
  int index;
};
constexpr std::array<NamedVersion, 5> kNamedVersions = {{
    {5, 0, 5},  // 2000
    {5, 1, 6},  // XP
    {5, 2, 7},  // Server 2003 (and XP x64)
    {6, 0, 8},  // Vista
    {6, 1, 9},  // 7
}};

}  // namespace

std::string_view OsNameFromIndex(int index) noexcept {
  if (index < 0 || index >= kOsIndexCount) return kOsNames[kOsIndexUnknown];
  return kOsNames[static_cast<std::size_t>(index)];
}

int OsIndexFromVersion(std::uint32_t major, std::uint32_t minor) noexcept {
  if (major <= 4) return kOsIndexWinNt;
  for (const NamedVersion& named : kNamedVersions) {
    if (named.major == major && named.minor == minor) return named.index;
  }
  return kOsIndexUnknown;
}

int OsIndexFrom9xSignatures(std::uint32_t at0x58, std::uint32_t at0x54, std::uint32_t at0x7C) noexcept {
  if (at0x58 == kWindows9xSignature) return kOsIndexWin95;
  if (at0x54 == kWindows9xSignature) return kOsIndexWin98;
  if (at0x7C == kWindows9xSignature) return kOsIndexWinMe;
  return kOsIndexUnknown;
}

}  // namespace mastervol::fault

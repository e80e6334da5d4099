// Tells the Windows tests whether they run under Wine, whose test prefix fixes some expectations.
#pragma once

#include <windows.h>

namespace mastervol::fault::win32::testing {

// Wine's ntdll carries an export of its own that Windows lacks.
inline bool RunsUnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");  // always loaded; no reference taken
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace mastervol::fault::win32::testing

// The running executable's path and whether the process can show a box to anyone.
#include <windows.h>

#include <string>

#include "fault/win32/system_facts.h"

namespace mastervol::fault::win32 {
namespace {

// The longest path Windows hands out, long-path prefix included.
constexpr DWORD kLongestPath = 32768;

}  // namespace

std::string ExecutablePath() noexcept {
  try {
    std::string path(MAX_PATH, '\0');
    for (;;) {
      const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (length == 0) return {};
      // A result that fills the buffer means the path was cut short: try again with more room.
      if (length < path.size() || path.size() >= kLongestPath) {
        path.resize(length);
        return path;
      }
      path.resize(path.size() * 2);
    }
  } catch (...) {
    return {};
  }
}

bool HasInteractiveDesktop() noexcept {
  // The process's own station: it is not to be closed.
  HWINSTA const station = GetProcessWindowStation();
  if (station == nullptr) return false;
  USEROBJECTFLAGS flags{};
  DWORD needed = 0;
  if (!GetUserObjectInformationA(station, UOI_FLAGS, &flags, sizeof flags, &needed)) return true;
  return (flags.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace mastervol::fault::win32

// Asks kernel32 whether this process runs under WOW64, where the function to ask is known to exist.
#include <windows.h>

#include <array>
#include <string>

#include "fault/win32/owned.h"
#include "fault/win32/system_facts.h"

namespace mastervol::fault::win32 {
namespace {

// A failed unload leaves nothing to do: the module simply stays loaded.
void UnloadModule(HMODULE module) noexcept { FreeLibrary(module); }
using OwnedModule = Owned<HMODULE, &UnloadModule>;
using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE process, BOOL* wow64);

constexpr UINT kSystemDirectoryBufferSize = 256;

// The system directory's own kernel32 first, so no kernel32.dll beside the program is picked up.
OwnedModule LoadKernel32() noexcept {
  std::array<char, kSystemDirectoryBufferSize> directory{};
  const UINT length = GetSystemDirectoryA(directory.data(), kSystemDirectoryBufferSize);
  // A length as large as the buffer is the size it would need: the buffer then holds nothing usable.
  if (length > 0 && length < kSystemDirectoryBufferSize) {
    try {
      const std::string path = std::string(directory.data(), length) + "\\kernel32.dll";
      OwnedModule module(LoadLibraryA(path.c_str()));
      if (module) return module;
    } catch (...) {
      // Out of memory for a short path: the plain name below still works.
    }
  }
  return OwnedModule(LoadLibraryA("kernel32.dll"));
}

}  // namespace

bool RunsUnderWow64() noexcept {
  const OwnedModule kernel32 = LoadKernel32();
  if (!kernel32) return false;
  const FARPROC found = GetProcAddress(kernel32.Get(), "IsWow64Process");
  if (found == nullptr) return false;
  // GetProcAddress types every export alike; the detour through void(*)() says the cast is meant.
  const auto isWow64Process =
      reinterpret_cast<IsWow64ProcessFunction>(reinterpret_cast<void (*)()>(found));
  BOOL wow64 = FALSE;
  if (!isWow64Process(GetCurrentProcess(), &wow64)) return false;
  return wow64 != FALSE;
}

}  // namespace mastervol::fault::win32

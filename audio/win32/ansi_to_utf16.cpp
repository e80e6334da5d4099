// Two-pass conversion through MultiByteToWideChar: ask for the length, convert into a block of that size.
#include "audio/win32/ansi_to_utf16.h"

#include <windows.h>

#include <string>

#include "audio/win32/local_memory.h"

namespace mastervol::audio {
namespace {

constexpr int kZeroTerminated = -1;  // the source length that makes the system count the terminator too

}  // namespace

std::vector<wchar_t> AnsiToUtf16(std::string_view text) {
  // A view need not end in a zero byte; the system reads up to one.
  const std::string terminated(text.substr(0, text.find('\0')));

  const int units = MultiByteToWideChar(CP_ACP, 0, terminated.c_str(), kZeroTerminated, nullptr, 0);
  if (units <= 0) return {};
  const std::size_t count = static_cast<std::size_t>(units);
  const LocalMemory block(count * sizeof(wchar_t));
  auto* const wide = static_cast<wchar_t*>(block.Get());
  if (!wide) return {};
  // The capacity is counted in characters, exactly the block's size.
  if (MultiByteToWideChar(CP_ACP, 0, terminated.c_str(), kZeroTerminated, wide, units) != units) return {};
  return std::vector<wchar_t>(wide, wide + count);
}

}  // namespace mastervol::audio

// kernel32 file, clock and module services for the log writer; each line goes out in one write.
#include "log/win32/win32_log_platform.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "log/win32/log_mutex.h"
#include "log/win32/unique_handle.h"

namespace mastervol::log {
namespace {

// The longest path Windows can report, in bytes, with room for its terminator.
constexpr DWORD kLongestPath = 32768;

}  // namespace

std::string Win32LogPlatform::ExecutablePath() {
  // A path longer than the buffer comes back cut to the buffer's size, so grow until it fits.
  for (DWORD size = MAX_PATH; size <= kLongestPath; size *= 2) {
    std::vector<char> buffer(size);
    const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) {
      return {};
    }
    if (length < size) {
      return std::string(buffer.data(), length);
    }
  }
  return {};
}

LocalDateTime Win32LogPlatform::LocalNow() noexcept {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::optional<std::uint32_t> Win32LogPlatform::FileSizeLow32(const std::string& path) noexcept {
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(attributes.nFileSizeLow);
}

void Win32LogPlatform::RemoveFile(const std::string& path) noexcept { ::DeleteFileA(path.c_str()); }

std::unique_ptr<LogLock> Win32LogPlatform::LockLog(const std::string& path) {
  return win32::AcquireLogMutex(path);
}

void Win32LogPlatform::AppendLine(const std::string& path, std::string_view line) noexcept {
  const win32::UniqueFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                   nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    return;  // Missing directory, read-only or locked file: the line is lost.
  }
  LARGE_INTEGER noDistance{};
  if (!::SetFilePointerEx(file.get(), noDistance, nullptr, FILE_END)) {
    return;
  }
  // The whole line in one write: with the log's mutex held no other writer can come between.
  DWORD written = 0;
  [[maybe_unused]] const BOOL wrote =
      ::WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace mastervol::log

// Named-mutex locking for log files. Wine (like a network share) does not make FILE_APPEND_DATA writes
// atomic across processes, so every writer of a log takes its file's mutex for the whole append.
#include "log/win32/log_mutex.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "log/win32/unique_handle.h"

namespace mastervol::log::win32 {
namespace {

constexpr char kNamePrefix[] = "Local\\mastervol.log.";
// A writer stuck longer than this (a hung process holding the mutex) is not waited for further.
constexpr DWORD kWaitMilliseconds = 10000;
constexpr std::uint64_t kFnvOffset = 0xcbf29ce484222325ull;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ull;

class MutexLock final : public LogLock {
 public:
  explicit MutexLock(UniqueKernelHandle mutex) noexcept : mutex_(std::move(mutex)) {}
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;
  ~MutexLock() override { ::ReleaseMutex(mutex_.get()); }

 private:
  UniqueKernelHandle mutex_;
};

// The full path, so that relative spellings of one file meet; the path as given when it cannot be had.
std::string FullPath(const std::string& path) {
  const DWORD needed = ::GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) {
    return path;
  }
  std::vector<char> buffer(needed);
  const DWORD length = ::GetFullPathNameA(path.c_str(), needed, buffer.data(), nullptr);
  if (length == 0 || length >= needed) {
    return path;
  }
  return std::string(buffer.data(), length);
}

}  // namespace

std::string LogMutexName(const std::string& path) {
  std::string key = FullPath(path);
  if (!key.empty()) {
    // File names are case-insensitive; CharUpperBuffA knows the ANSI code page's double-byte characters.
    ::CharUpperBuffA(key.data(), static_cast<DWORD>(key.size()));
  }
  // Paths can be longer than a kernel object name may be, so the name carries a hash of the path.
  std::uint64_t hash = kFnvOffset;
  for (const char c : key) {
    hash = (hash ^ static_cast<unsigned char>(c)) * kFnvPrime;
  }
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return std::string(kNamePrefix) + digits;
}

std::unique_ptr<LogLock> AcquireLogMutex(const std::string& path) {
  UniqueKernelHandle mutex(::CreateMutexA(nullptr, FALSE, LogMutexName(path).c_str()));
  if (!mutex.valid()) {
    return nullptr;
  }
  // WAIT_ABANDONED: a writer died holding the mutex. Each line is one write, so the file is whole.
  const DWORD waited = ::WaitForSingleObject(mutex.get(), kWaitMilliseconds);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    return nullptr;
  }
  return std::make_unique<MutexLock>(std::move(mutex));
}

}  // namespace mastervol::log::win32

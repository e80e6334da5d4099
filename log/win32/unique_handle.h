// Owners for the kernel handles the Windows log platform opens: files and named mutexes.
#pragma once

#include <windows.h>

#include <utility>

namespace mastervol::log::win32 {

// Owns one kernel handle; `Invalid` is the value the opening call returns on failure (CreateFileA gives
// INVALID_HANDLE_VALUE, CreateMutexA gives null). Moves, never copies.
template <HANDLE (*Invalid)() noexcept>
class UniqueHandle {
 public:
  UniqueHandle() noexcept = default;
  explicit UniqueHandle(HANDLE handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, Invalid());
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Close(); }

  [[nodiscard]] HANDLE get() const noexcept { return handle_; }
  [[nodiscard]] bool valid() const noexcept { return handle_ != Invalid() && handle_ != nullptr; }

 private:
  void Close() noexcept {
    if (valid()) {
      ::CloseHandle(handle_);
    }
    handle_ = Invalid();
  }

  HANDLE handle_ = Invalid();
};

inline HANDLE InvalidFileHandle() noexcept { return INVALID_HANDLE_VALUE; }
inline HANDLE NullHandle() noexcept { return nullptr; }

using UniqueFileHandle = UniqueHandle<InvalidFileHandle>;
using UniqueKernelHandle = UniqueHandle<NullHandle>;

}  // namespace mastervol::log::win32

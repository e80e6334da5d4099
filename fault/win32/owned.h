// A move-only owner for one system handle: closes it exactly once, with the function made for it.
#pragma once

#include <utility>

namespace mastervol::fault::win32 {

template <typename Handle, auto Close>
class Owned {
 public:
  Owned() noexcept = default;
  explicit Owned(Handle handle) noexcept : handle_(handle) {}
  ~Owned() { Reset(); }
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, Handle{});
    }
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  [[nodiscard]] Handle Get() const noexcept { return handle_; }
  [[nodiscard]] explicit operator bool() const noexcept { return handle_ != Handle{}; }

 private:
  void Reset() noexcept {
    if (handle_ != Handle{}) Close(std::exchange(handle_, Handle{}));
  }

  Handle handle_{};
};

}  // namespace mastervol::fault::win32

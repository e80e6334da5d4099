// An owner for a LocalAlloc block: freed with LocalFree when the owner ends.
#pragma once

#include <windows.h>

#include <cstddef>
#include <utility>

namespace mastervol::audio {

class LocalMemory {
 public:
  // A zero-filled block of the given size; Get() is null when the allocation failed.
  explicit LocalMemory(std::size_t bytes) noexcept : block_(LocalAlloc(LMEM_ZEROINIT, bytes)) {}
  ~LocalMemory() {
    if (block_) LocalFree(block_);
  }
  LocalMemory(LocalMemory&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
  LocalMemory& operator=(LocalMemory&& other) noexcept {
    std::swap(block_, other.block_);
    return *this;
  }
  LocalMemory(const LocalMemory&) = delete;
  LocalMemory& operator=(const LocalMemory&) = delete;

  [[nodiscard]] void* Get() const noexcept { return block_; }

 private:
  HLOCAL block_;
};

}  // namespace mastervol::audio

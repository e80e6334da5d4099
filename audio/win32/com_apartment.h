// An owner for the calling thread's COM apartment: entered with CoInitialize(NULL) and left with the one
// CoUninitialize that balances it, only when the entry counted (S_OK or S_FALSE).
#pragma once

namespace mastervol::audio {

class ComApartment {
 public:
  ComApartment() noexcept;
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // False when the thread already belongs to another kind of apartment; COM is still usable then.
  [[nodiscard]] bool Entered() const noexcept { return entered_; }

 private:
  bool entered_;
};

}  // namespace mastervol::audio

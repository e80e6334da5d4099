// CoInitialize paired with the CoUninitialize it owes.
#include "audio/win32/com_apartment.h"

#include <objbase.h>

namespace mastervol::audio {

// S_FALSE (already initialised on this thread) still counts and still needs its CoUninitialize;
// RPC_E_CHANGED_MODE (a multithreaded apartment already) does not.
ComApartment::ComApartment() noexcept {
  const HRESULT result = CoInitialize(nullptr);
  entered_ = result == S_OK || result == S_FALSE;
}

ComApartment::~ComApartment() {
  if (entered_) CoUninitialize();
}

}  // namespace mastervol::audio

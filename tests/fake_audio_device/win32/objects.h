// The simulated device's COM objects, each created afresh and handed out through QueryInterface.
#pragma once

#include <windows.h>

#include <new>

namespace mastervol::fake_audio {

[[nodiscard]] HRESULT CreateClassFactory(REFIID iid, void** object);
[[nodiscard]] HRESULT CreateEnumerator(REFIID iid, void** object);
[[nodiscard]] HRESULT CreateDevice(REFIID iid, void** object);
[[nodiscard]] HRESULT CreateEndpointVolume(REFIID iid, void** object);

// The creator's own reference is given back once the caller holds one (or the query failed).
template <typename Object>
[[nodiscard]] HRESULT CreateAndQuery(REFIID iid, void** result) {
  Object* object = new (std::nothrow) Object();
  if (!object) return E_OUTOFMEMORY;
  object->AddRef();
  const HRESULT hr = object->QueryInterface(iid, result);
  object->Release();
  return hr;
}

}  // namespace mastervol::fake_audio

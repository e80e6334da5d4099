// The benchmark's yardstick: a bare program making only the Core Audio calls of `mastervol 35` (one
// acquisition to read the channels, one to set the master level) and nothing else, then leaving.
#include <windows.h>
#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <wrl/client.h>

#include <cstdint>

namespace {

using Microsoft::WRL::ComPtr;

constexpr float kLevel = 0.35f;
constexpr DWORD kAnyServer = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

// The default render endpoint's volume, acquired afresh like each of mastervol's commands does.
ComPtr<IAudioEndpointVolume> AcquireVolume() {
  ComPtr<IMMDeviceEnumerator> enumerator;
  ComPtr<IMMDevice> device;
  ComPtr<IAudioEndpointVolume> volume;
  if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, kAnyServer, IID_PPV_ARGS(&enumerator))) ||
      FAILED(enumerator->GetDefaultAudioEndpoint(eRender, eConsole, &device)) ||
      FAILED(device->Activate(__uuidof(IAudioEndpointVolume), kAnyServer, nullptr,
                              reinterpret_cast<void**>(volume.GetAddressOf())))) {
    return nullptr;
  }
  return volume;
}

// Returns 0 when both acquisitions and the level change succeeded.
int TouchTheDevice() {
  {
    const ComPtr<IAudioEndpointVolume> volume = AcquireVolume();
    if (!volume) return 1;
    UINT channels = 0;
    if (FAILED(volume->GetChannelCount(&channels))) return 1;
    for (UINT channel = 0; channel < channels; ++channel) {
      float level = 0.0f;
      if (FAILED(volume->GetChannelVolumeLevelScalar(channel, &level))) return 1;
    }
  }
  const ComPtr<IAudioEndpointVolume> volume = AcquireVolume();
  if (!volume || FAILED(volume->SetMasterVolumeLevelScalar(kLevel, nullptr))) return 1;
  return 0;
}

// COM for this thread, left only after every reference taken inside it is gone.
class Apartment {
 public:
  Apartment() noexcept : entered_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~Apartment() {
    if (entered_) CoUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

 private:
  bool entered_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const Apartment apartment;
  return TouchTheDevice();
}

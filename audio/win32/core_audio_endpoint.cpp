// Acquisition of the default render endpoint's volume through the MMDevice API, and the endpoint calls,
// each passed through with a null event context and its HRESULT returned unchanged.
#include "audio/win32/core_audio_endpoint.h"

#include <windows.h>
#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <wrl/client.h>

#include <new>
#include <string_view>
#include <vector>

#include "audio/win32/ansi_to_utf16.h"
#include "audio/win32/com_apartment.h"

namespace mastervol::audio {
namespace {

using Microsoft::WRL::ComPtr;

// The identifiers are kept as text and parsed when used, as the program always has.
constexpr std::string_view kDeviceEnumeratorClass = "{BCDE0395-E52F-467C-8E3D-C4579291692E}";
constexpr std::string_view kDeviceEnumeratorInterface = "{A95664D2-9614-4F35-A746-DE8DB63617E6}";
constexpr std::string_view kEndpointVolumeInterface = "{5CDF2C82-841E-4546-9722-0CF74078229A}";

// In-process server, in-process handler or local server: wherever the class is registered.
constexpr DWORD kAnyLocalServer = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
static_assert(kAnyLocalServer == 7);

constexpr LPCGUID kNoEventContext = nullptr;

// A zero GUID when the text does not parse: the call that uses it then fails on its own.
GUID GuidFromText(std::string_view text) noexcept {
  GUID guid{};
  try {
    std::vector<wchar_t> wide = AnsiToUtf16(text);
    if (!wide.empty() && FAILED(CLSIDFromString(wide.data(), &guid))) guid = GUID{};
  } catch (const std::bad_alloc&) {
    guid = GUID{};
  }
  return guid;
}

class CoreAudioEndpointVolume final : public EndpointVolume {
 public:
  CoreAudioEndpointVolume() noexcept = default;

  // The steps in order; false at the first that does not give S_OK.
  [[nodiscard]] bool Acquire() noexcept {
    const GUID enumeratorClass = GuidFromText(kDeviceEnumeratorClass);
    const GUID enumeratorInterface = GuidFromText(kDeviceEnumeratorInterface);
    if (CoCreateInstance(enumeratorClass, nullptr, kAnyLocalServer, enumeratorInterface,
                         reinterpret_cast<void**>(enumerator_.ReleaseAndGetAddressOf())) != S_OK ||
        !enumerator_) {
      return false;
    }
    if (enumerator_->GetDefaultAudioEndpoint(eRender, eConsole, device_.ReleaseAndGetAddressOf()) != S_OK ||
        !device_) {
      return false;
    }
    const GUID volumeInterface = GuidFromText(kEndpointVolumeInterface);
    return device_->Activate(volumeInterface, kAnyLocalServer, nullptr,
                             reinterpret_cast<void**>(volume_.ReleaseAndGetAddressOf())) == S_OK &&
           volume_;
  }

  HResult GetChannelCount(std::uint32_t& count) noexcept override {
    UINT channels = 0;
    const HRESULT result = volume_->GetChannelCount(&channels);
    count = channels;
    return result;
  }
  HResult SetMasterVolumeLevelScalar(float level) noexcept override {
    return volume_->SetMasterVolumeLevelScalar(level, kNoEventContext);
  }
  HResult SetChannelVolumeLevelScalar(std::uint32_t channel, float level) noexcept override {
    return volume_->SetChannelVolumeLevelScalar(channel, level, kNoEventContext);
  }
  HResult GetChannelVolumeLevelScalar(std::uint32_t channel, float& level) noexcept override {
    float read = 0.0f;
    const HRESULT result = volume_->GetChannelVolumeLevelScalar(channel, &read);
    level = read;
    return result;
  }
  HResult SetMute(bool mute) noexcept override { return volume_->SetMute(mute ? TRUE : FALSE, kNoEventContext); }
  HResult VolumeStepUp() noexcept override { return volume_->VolumeStepUp(kNoEventContext); }
  HResult VolumeStepDown() noexcept override { return volume_->VolumeStepDown(kNoEventContext); }

 private:
  // Members end in reverse order: the three references are released before the apartment is left.
  ComApartment apartment_;
  ComPtr<IMMDeviceEnumerator> enumerator_;
  ComPtr<IMMDevice> device_;
  ComPtr<IAudioEndpointVolume> volume_;
};

}  // namespace

std::unique_ptr<EndpointVolume> CoreAudioEndpointSource::AcquireEndpointVolume() noexcept {
  std::unique_ptr<CoreAudioEndpointVolume> endpoint;
  try {
    endpoint = std::make_unique<CoreAudioEndpointVolume>();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  // A failed step leaves the object holding whatever it took; ending it releases all and leaves COM.
  if (!endpoint->Acquire()) return nullptr;
  return endpoint;
}

}  // namespace mastervol::audio

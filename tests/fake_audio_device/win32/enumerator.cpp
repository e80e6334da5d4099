// The simulated MMDeviceEnumerator: one default render device, or none when the state says so.
#include <windows.h>
#include <mmdeviceapi.h>

#include "tests/fake_audio_device/win32/journaled_object.h"
#include "tests/fake_audio_device/win32/objects.h"

namespace mastervol::fake_audio {
namespace {

class Enumerator final : public JournaledObject<IMMDeviceEnumerator> {
 public:
  Enumerator() : JournaledObject("enumerator") {}

  HRESULT STDMETHODCALLTYPE GetDefaultAudioEndpoint(EDataFlow flow, ERole role, IMMDevice** device) override {
    JournalLine line = Line("GetDefaultAudioEndpoint");
    line.AddNumber("flow", static_cast<std::uint32_t>(flow)).AddNumber("role", static_cast<std::uint32_t>(role));
    const HRESULT result = FindDefault(flow, role, device);
    Journal(line.AddResult(result));
    return result;
  }

  HRESULT STDMETHODCALLTYPE EnumAudioEndpoints(EDataFlow, DWORD, IMMDeviceCollection** devices) override {
    if (devices) *devices = nullptr;
    return NotImplemented("EnumAudioEndpoints");
  }
  HRESULT STDMETHODCALLTYPE GetDevice(LPCWSTR, IMMDevice** device) override {
    if (device) *device = nullptr;
    return NotImplemented("GetDevice");
  }
  HRESULT STDMETHODCALLTYPE RegisterEndpointNotificationCallback(IMMNotificationClient*) override {
    return NotImplemented("RegisterEndpointNotificationCallback");
  }
  HRESULT STDMETHODCALLTYPE UnregisterEndpointNotificationCallback(IMMNotificationClient*) override {
    return NotImplemented("UnregisterEndpointNotificationCallback");
  }

 private:
  // The simulated machine has one render device and no capture device.
  static HRESULT FindDefault(EDataFlow flow, ERole role, IMMDevice** device) {
    if (!device) return E_POINTER;
    *device = nullptr;
    if (flow < eRender || flow >= EDataFlow_enum_count || role < eConsole || role >= ERole_enum_count) {
      return E_INVALIDARG;
    }
    const std::optional<DeviceState> state = LoadState();
    if (!state) return E_UNEXPECTED;
    if (!state->present || flow != eRender) return E_NOTFOUND;
    return CreateDevice(__uuidof(IMMDevice), reinterpret_cast<void**>(device));
  }

  HRESULT NotImplemented(std::string_view call) const {
    Journal(Line(call).AddResult(E_NOTIMPL));
    return E_NOTIMPL;
  }
};

}  // namespace

HRESULT CreateEnumerator(REFIID iid, void** object) { return CreateAndQuery<Enumerator>(iid, object); }

}  // namespace mastervol::fake_audio

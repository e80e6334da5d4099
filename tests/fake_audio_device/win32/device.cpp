// The simulated default render device: it activates the endpoint volume interface and nothing else.
#include <windows.h>
#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include "tests/fake_audio_device/win32/journaled_object.h"
#include "tests/fake_audio_device/win32/objects.h"

namespace mastervol::fake_audio {
namespace {

constexpr wchar_t kDeviceId[] = L"{0.0.0.00000000}.{mastervol-simulated-render-device}";

class Device final : public JournaledObject<IMMDevice> {
 public:
  Device() : JournaledObject("device") {}

  HRESULT STDMETHODCALLTYPE Activate(REFIID iid, DWORD context, PROPVARIANT* parameters, void** object) override {
    JournalLine line = Line("Activate");
    line.Add("iid", GuidText(iid)).AddNumber("clsctx", context).Add("params", parameters ? "set" : "null");
    HRESULT result = E_POINTER;
    if (object) {
      *object = nullptr;
      result = iid == __uuidof(IAudioEndpointVolume) ? CreateEndpointVolume(iid, object) : E_NOINTERFACE;
    }
    Journal(line.AddResult(result));
    return result;
  }

  HRESULT STDMETHODCALLTYPE OpenPropertyStore(DWORD, IPropertyStore** store) override {
    if (store) *store = nullptr;
    return Finish("OpenPropertyStore", E_NOTIMPL);
  }

  HRESULT STDMETHODCALLTYPE GetId(LPWSTR* id) override {
    if (!id) return Finish("GetId", E_POINTER);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof kDeviceId));
    if (!*id) return Finish("GetId", E_OUTOFMEMORY);
    CopyMemory(*id, kDeviceId, sizeof kDeviceId);
    return Finish("GetId", S_OK);
  }

  HRESULT STDMETHODCALLTYPE GetState(DWORD* state) override {
    if (!state) return Finish("GetState", E_POINTER);
    *state = DEVICE_STATE_ACTIVE;
    return Finish("GetState", S_OK);
  }

 private:
  HRESULT Finish(std::string_view call, HRESULT result) const {
    Journal(Line(call).AddResult(result));
    return result;
  }
};

}  // namespace

HRESULT CreateDevice(REFIID iid, void** object) { return CreateAndQuery<Device>(iid, object); }

}  // namespace mastervol::fake_audio

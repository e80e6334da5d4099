// The simulated device's DLL entry points and class factory: it serves the MMDeviceEnumerator class.
#include <windows.h>
#include <mmdeviceapi.h>

#include <atomic>

#include "tests/fake_audio_device/win32/journaled_object.h"
#include "tests/fake_audio_device/win32/module_lifetime.h"
#include "tests/fake_audio_device/win32/objects.h"

namespace mastervol::fake_audio {
namespace {

std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};
std::atomic<unsigned> objectNumbers{0};

// COM may unload the DLL when its last apartment closes; keeping it loaded for the process's life keeps
// the object numbers unique in the journal across acquisitions.
void PinModule() noexcept {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                     reinterpret_cast<LPCWSTR>(&objectNumbers), &module);
}

class ClassFactory final : public JournaledObject<IClassFactory> {
 public:
  ClassFactory() : JournaledObject("factory") {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    JournalLine line = Line("CreateInstance");
    line.Add("outer", outer ? "set" : "null").Add("iid", GuidText(iid));
    HRESULT result = E_POINTER;
    if (object) {
      *object = nullptr;
      result = outer ? CLASS_E_NOAGGREGATION : CreateEnumerator(iid, object);
    }
    Journal(line.AddResult(result));
    return result;
  }

  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    ServerLocked(lock != FALSE);
    Journal(Line("LockServer").AddNumber("lock", lock != FALSE ? 1 : 0).AddResult(S_OK));
    return S_OK;
  }
};

JournalLine DllLine(std::string_view call) { return JournalLine(CurrentProcessId(), "dll", call); }

}  // namespace

void ObjectCreated() noexcept { ++liveObjects; }
void ObjectDestroyed() noexcept { --liveObjects; }
void ServerLocked(bool lock) noexcept { lock ? ++serverLocks : --serverLocks; }
bool ServerInUse() noexcept { return liveObjects > 0 || serverLocks > 0; }
unsigned NextObjectNumber() noexcept { return ++objectNumbers; }

HRESULT CreateClassFactory(REFIID iid, void** object) { return CreateAndQuery<ClassFactory>(iid, object); }

}  // namespace mastervol::fake_audio

using namespace mastervol::fake_audio;

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  PinModule();
  JournalLine line = DllLine("DllGetClassObject");
  line.Add("clsid", GuidText(clsid)).Add("iid", GuidText(iid));
  HRESULT result = E_POINTER;
  if (object) {
    *object = nullptr;
    result = clsid == __uuidof(MMDeviceEnumerator) ? CreateClassFactory(iid, object) : CLASS_E_CLASSNOTAVAILABLE;
  }
  AppendToJournal(line.AddResult(result));
  return result;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  const HRESULT result = ServerInUse() ? S_FALSE : S_OK;
  AppendToJournal(DllLine("DllCanUnloadNow").AddResult(result));
  return result;
}

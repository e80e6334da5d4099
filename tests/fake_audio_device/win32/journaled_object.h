// The IUnknown every simulated object shares: a reference count whose every change is journaled, so a
// test can see each object end at zero and whether COM was still initialised when it did.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <string_view>

#include "tests/fake_audio_device/win32/device_files.h"
#include "tests/fake_audio_device/win32/module_lifetime.h"

namespace mastervol::fake_audio {

// Objects are born with no reference; whoever creates one hands it out through QueryInterface.
template <typename Interface>
class JournaledObject : public Interface {
 public:
  JournaledObject(const JournaledObject&) = delete;
  JournaledObject& operator=(const JournaledObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    HRESULT result = E_POINTER;
    if (object) {
      *object = nullptr;
      result = E_NOINTERFACE;
      if (iid == __uuidof(IUnknown) || iid == __uuidof(Interface)) {
        *object = static_cast<Interface*>(this);
        result = S_OK;
      }
    }
    Journal(Line("QueryInterface").Add("iid", GuidText(iid)).AddResult(result));
    if (result == S_OK) AddRef();
    return result;
  }

  ULONG STDMETHODCALLTYPE AddRef() override {
    const ULONG count = ++references_;
    Journal(Line("AddRef").AddNumber("refs", count));
    return count;
  }

  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG count = --references_;
    Journal(Line("Release").AddNumber("refs", count).Add("com", CurrentApartment()));
    if (count == 0) delete this;
    return count;
  }

 protected:
  explicit JournaledObject(std::string_view kind) : name_(std::string(kind) + "#" + std::to_string(NextObjectNumber())) {
    ObjectCreated();
    Journal(Line("Create").AddNumber("refs", 0));
  }
  virtual ~JournaledObject() {
    Journal(Line("Destroy"));
    ObjectDestroyed();
  }

  [[nodiscard]] JournalLine Line(std::string_view call) const { return JournalLine(CurrentProcessId(), name_, call); }
  static void Journal(const JournalLine& line) { AppendToJournal(line); }

 private:
  const std::string name_;
  std::atomic<ULONG> references_{0};
};

}  // namespace mastervol::fake_audio

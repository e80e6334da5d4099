// The simulated IAudioEndpointVolume: reads the state file before each call, writes it after each change,
// and refuses what Core Audio refuses (a scalar outside 0.0..1.0, a channel it does not have).
#include <windows.h>
#include <endpointvolume.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "tests/fake_audio_device/win32/journaled_object.h"
#include "tests/fake_audio_device/win32/objects.h"

namespace mastervol::fake_audio {
namespace {

// The device's decibel range; the scalar and decibel views are tied by 20 * log10(scalar).
constexpr float kMinimumDb = -65.25f;
constexpr float kMaximumDb = 0.0f;
constexpr float kIncrementDb = 0.03125f;

bool IsScalar(float level) noexcept { return level >= 0.0f && level <= 1.0f; }
bool IsDb(float level) noexcept { return level >= kMinimumDb && level <= kMaximumDb; }

float ScalarToDb(float scalar) {
  if (scalar <= 0.0f) return kMinimumDb;
  return std::max(kMinimumDb, static_cast<float>(20.0 * std::log10(static_cast<double>(scalar))));
}

float DbToScalar(float db) {
  if (db <= kMinimumDb) return 0.0f;
  return static_cast<float>(std::pow(10.0, static_cast<double>(db) / 20.0));
}

// Core Audio's notification context is only ever examined for being there.
const char* ContextText(LPCGUID context) { return context ? "set" : "null"; }

class EndpointVolume final : public JournaledObject<IAudioEndpointVolume> {
 public:
  EndpointVolume() : JournaledObject("volume") {}

  HRESULT STDMETHODCALLTYPE RegisterControlChangeNotify(IAudioEndpointVolumeCallback* callback) override {
    // Accepted but never called: nothing here changes the device behind the caller's back.
    return Finish(Line("RegisterControlChangeNotify"), callback ? S_OK : E_POINTER);
  }
  HRESULT STDMETHODCALLTYPE UnregisterControlChangeNotify(IAudioEndpointVolumeCallback* callback) override {
    return Finish(Line("UnregisterControlChangeNotify"), callback ? S_OK : E_POINTER);
  }

  HRESULT STDMETHODCALLTYPE GetChannelCount(UINT* count) override {
    JournalLine line = Line("GetChannelCount");
    return Finish(line, Read(count, [&](const DeviceState& state) {
                    *count = static_cast<UINT>(state.channels.size());
                    line.AddNumber("count", *count);
                    return S_OK;
                  }));
  }

  HRESULT STDMETHODCALLTYPE SetMasterVolumeLevel(FLOAT db, LPCGUID context) override {
    JournalLine line = Line("SetMasterVolumeLevel");
    line.AddFloat("db", db).Add("context", ContextText(context));
    return Finish(line, Change([&](DeviceState& state) {
                    if (!IsDb(db)) return E_INVALIDARG;
                    state.master = DbToScalar(db);
                    return S_OK;
                  }));
  }
  HRESULT STDMETHODCALLTYPE SetMasterVolumeLevelScalar(FLOAT level, LPCGUID context) override {
    JournalLine line = Line("SetMasterVolumeLevelScalar");
    line.AddFloat("level", level).Add("context", ContextText(context));
    return Finish(line, Change([&](DeviceState& state) {
                    if (!IsScalar(level)) return E_INVALIDARG;
                    state.master = level;
                    return S_OK;
                  }));
  }
  HRESULT STDMETHODCALLTYPE GetMasterVolumeLevel(FLOAT* db) override {
    JournalLine line = Line("GetMasterVolumeLevel");
    return Finish(line, Read(db, [&](const DeviceState& state) {
                    *db = ScalarToDb(state.master);
                    line.AddFloat("db", *db);
                    return S_OK;
                  }));
  }
  HRESULT STDMETHODCALLTYPE GetMasterVolumeLevelScalar(FLOAT* level) override {
    JournalLine line = Line("GetMasterVolumeLevelScalar");
    return Finish(line, Read(level, [&](const DeviceState& state) {
                    *level = state.master;
                    line.AddFloat("level", *level);
                    return S_OK;
                  }));
  }

  HRESULT STDMETHODCALLTYPE SetChannelVolumeLevel(UINT channel, FLOAT db, LPCGUID context) override {
    JournalLine line = Line("SetChannelVolumeLevel");
    line.AddNumber("channel", channel).AddFloat("db", db).Add("context", ContextText(context));
    return Finish(line, Change([&](DeviceState& state) {
                    if (channel >= state.channels.size() || !IsDb(db)) return E_INVALIDARG;
                    state.channels[channel] = DbToScalar(db);
                    return S_OK;
                  }));
  }
  HRESULT STDMETHODCALLTYPE SetChannelVolumeLevelScalar(UINT channel, FLOAT level, LPCGUID context) override {
    JournalLine line = Line("SetChannelVolumeLevelScalar");
    line.AddNumber("channel", channel).AddFloat("level", level).Add("context", ContextText(context));
    return Finish(line, Change([&](DeviceState& state) {
                    if (channel >= state.channels.size() || !IsScalar(level)) return E_INVALIDARG;
                    state.channels[channel] = level;
                    return S_OK;
                  }));
  }
  HRESULT STDMETHODCALLTYPE GetChannelVolumeLevel(UINT channel, FLOAT* db) override {
    JournalLine line = Line("GetChannelVolumeLevel");
    line.AddNumber("channel", channel);
    return Finish(line, Read(db, [&](const DeviceState& state) {
                    if (channel >= state.channels.size()) return E_INVALIDARG;
                    *db = ScalarToDb(state.channels[channel]);
                    line.AddFloat("db", *db);
                    return S_OK;
                  }));
  }
  HRESULT STDMETHODCALLTYPE GetChannelVolumeLevelScalar(UINT channel, FLOAT* level) override {
    JournalLine line = Line("GetChannelVolumeLevelScalar");
    line.AddNumber("channel", channel);
    return Finish(line, Read(level, [&](const DeviceState& state) {
                    if (channel >= state.channels.size()) return E_INVALIDARG;
                    *level = state.channels[channel];
                    line.AddFloat("level", *level);
                    return S_OK;
                  }));
  }

  HRESULT STDMETHODCALLTYPE SetMute(WINBOOL mute, LPCGUID context) override {
    JournalLine line = Line("SetMute");
    line.AddNumber("mute", static_cast<std::uint32_t>(mute)).Add("context", ContextText(context));
    return Finish(line, Change([&](DeviceState& state) {
                    const bool muted = mute != FALSE;
                    if (state.muted == muted) return S_FALSE;
                    state.muted = muted;
                    return S_OK;
                  }));
  }
  HRESULT STDMETHODCALLTYPE GetMute(WINBOOL* mute) override {
    JournalLine line = Line("GetMute");
    return Finish(line, Read(mute, [&](const DeviceState& state) {
                    *mute = state.muted ? TRUE : FALSE;
                    line.AddNumber("mute", state.muted ? 1 : 0);
                    return S_OK;
                  }));
  }

  HRESULT STDMETHODCALLTYPE GetVolumeStepInfo(UINT* step, UINT* stepCount) override {
    JournalLine line = Line("GetVolumeStepInfo");
    if (!step || !stepCount) return Finish(line, E_POINTER);
    return Finish(line, Read(step, [&](const DeviceState& state) {
                    *step = static_cast<UINT>(std::lround(static_cast<double>(state.master) * state.steps));
                    *stepCount = state.steps + 1;
                    line.AddNumber("step", *step).AddNumber("count", *stepCount);
                    return S_OK;
                  }));
  }
  HRESULT STDMETHODCALLTYPE VolumeStepUp(LPCGUID context) override { return Step("VolumeStepUp", +1, context); }
  HRESULT STDMETHODCALLTYPE VolumeStepDown(LPCGUID context) override { return Step("VolumeStepDown", -1, context); }

  HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD* mask) override {
    JournalLine line = Line("QueryHardwareSupport");
    return Finish(line, Read(mask, [&](const DeviceState&) {
                    *mask = 0;  // everything is done in software
                    line.AddNumber("mask", 0);
                    return S_OK;
                  }));
  }
  HRESULT STDMETHODCALLTYPE GetVolumeRange(FLOAT* minimumDb, FLOAT* maximumDb, FLOAT* incrementDb) override {
    JournalLine line = Line("GetVolumeRange");
    if (!minimumDb || !maximumDb || !incrementDb) return Finish(line, E_POINTER);
    *minimumDb = kMinimumDb;
    *maximumDb = kMaximumDb;
    *incrementDb = kIncrementDb;
    return Finish(line, S_OK);
  }

 private:
  // Moves the master level by one step, stopping at the ends of the scale; the mute state stays.
  HRESULT Step(std::string_view call, int direction, LPCGUID context) {
    JournalLine line = Line(call);
    line.Add("context", ContextText(context));
    return Finish(line, Change([&](DeviceState& state) {
                    const double moved = static_cast<double>(state.master) + direction / static_cast<double>(state.steps);
                    state.master = static_cast<float>(std::clamp(moved, 0.0, 1.0));
                    return S_OK;
                  }));
  }

  // A read: E_POINTER without somewhere to put the answer, E_UNEXPECTED when the state file is malformed.
  template <typename Out>
  static HRESULT Read(Out* out, const std::function<HRESULT(const DeviceState&)>& read) {
    if (!out) return E_POINTER;
    const std::optional<DeviceState> state = LoadState();
    if (!state) return E_UNEXPECTED;
    return read(*state);
  }

  // A change is written back only when it is made (S_OK); a refusal or S_FALSE leaves the file alone.
  static HRESULT Change(const std::function<HRESULT(DeviceState&)>& change) {
    std::optional<DeviceState> state = LoadState();
    if (!state) return E_UNEXPECTED;
    const HRESULT result = change(*state);
    if (result != S_OK) return result;
    return SaveState(*state) ? S_OK : E_FAIL;
  }

  static HRESULT Finish(JournalLine& line, HRESULT result) {
    Journal(line.AddResult(result));
    return result;
  }
  static HRESULT Finish(JournalLine&& line, HRESULT result) { return Finish(line, result); }
};

}  // namespace

HRESULT CreateEndpointVolume(REFIID iid, void** object) { return CreateAndQuery<EndpointVolume>(iid, object); }

}  // namespace mastervol::fake_audio

// Sets up and reads back one test's simulated audio device through its files and environment variables.
#include "tests/wine_support/fake_audio_session.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace mastervol::wine_support {
namespace {

constexpr wchar_t kStateVariable[] = L"MASTERVOL_FAKE_AUDIO_STATE";
constexpr wchar_t kJournalVariable[] = L"MASTERVOL_FAKE_AUDIO_JOURNAL";
constexpr wchar_t kRegistrationKey[] =
    L"Software\\Classes\\CLSID\\{BCDE0395-E52F-467C-8E3D-C4579291692E}\\InprocServer32";
constexpr std::wstring_view kDeviceDll = L"mastervol_fake_audio.dll";

// Both the Win32 block (CreateProcess, the in-process DLL) and the C runtime's copy (_spawn, system).
bool SetVariable(const wchar_t* name, const wchar_t* value) {
  const bool win32 = SetEnvironmentVariableW(name, value) != FALSE;
  const bool runtime = _wputenv_s(name, value ? value : L"") == 0;
  return win32 && runtime;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::filesystem::path FreshFolder() {
  static std::atomic<unsigned> sessions{0};
  std::error_code error;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
  return temp / ("mastervol-audio-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++sessions));
}

}  // namespace

FakeAudioSession::FakeAudioSession(const fake_audio::DeviceState& initial)
    : folder_(FreshFolder()), statePath_(folder_ / "state.txt"), journalPath_(folder_ / "journal.txt") {
  std::error_code error;
  std::filesystem::remove_all(folder_, error);
  ready_ = std::filesystem::create_directories(folder_, error) && WriteState(initial) &&
           SetVariable(kStateVariable, statePath_.c_str()) && SetVariable(kJournalVariable, journalPath_.c_str());
}

FakeAudioSession::~FakeAudioSession() {
  SetVariable(kStateVariable, nullptr);
  SetVariable(kJournalVariable, nullptr);
  std::error_code error;
  std::filesystem::remove_all(folder_, error);
}

std::optional<fake_audio::DeviceState> FakeAudioSession::ReadState() const {
  const std::optional<std::string> text = ReadWholeFile(statePath_);
  if (!text) return std::nullopt;
  return fake_audio::ParseState(*text);
}

bool FakeAudioSession::WriteState(const fake_audio::DeviceState& state) const {
  std::ofstream file(statePath_, std::ios::binary | std::ios::trunc);
  file << fake_audio::SerializeState(state);
  file.close();
  return !file.fail();
}

bool FakeAudioSession::RemoveState() const {
  std::error_code error;
  std::filesystem::remove(statePath_, error);
  return !error;
}

std::optional<std::vector<fake_audio::JournalEntry>> FakeAudioSession::ReadJournal() const {
  std::error_code error;
  if (!std::filesystem::exists(journalPath_, error)) return std::vector<fake_audio::JournalEntry>{};
  const std::optional<std::string> text = ReadWholeFile(journalPath_);
  if (!text) return std::nullopt;
  return fake_audio::ParseJournal(*text);
}

bool FakeAudioSession::ClearJournal() const {
  std::error_code error;
  std::filesystem::remove(journalPath_, error);
  return !error;
}

bool SimulatedAudioDeviceRegistered() {
  wchar_t server[MAX_PATH] = {};
  DWORD size = sizeof server;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kRegistrationKey, nullptr, RRF_RT_REG_SZ, nullptr, server, &size) !=
      ERROR_SUCCESS) {
    return false;
  }
  std::wstring path(server);
  std::transform(path.begin(), path.end(), path.begin(), [](wchar_t c) { return static_cast<wchar_t>(towlower(c)); });
  return path.ends_with(kDeviceDll);
}

}  // namespace mastervol::wine_support

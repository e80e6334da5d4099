// The state file and journal of the simulated device, read and written whole with the C runtime.
#include "tests/fake_audio_device/win32/device_files.h"

#include <objbase.h>

#include <cstdio>
#include <memory>

namespace mastervol::fake_audio {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The path a variable names, or nothing when it is unset or empty.
std::optional<std::wstring> PathFromVariable(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size <= 1) return std::nullopt;
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
  if (length == 0 || length >= size) return std::nullopt;
  value.resize(length);
  if (value.front() == L'/') {
    for (wchar_t& c : value) c = c == L'/' ? L'\\' : c;
    value.insert(0, L"Z:");
  }
  return value;
}

// A process without a state file keeps its device here.
DeviceState& StateInMemory() {
  static DeviceState state;
  return state;
}

}  // namespace

std::optional<DeviceState> LoadState() {
  const std::optional<std::wstring> path = PathFromVariable(kStateVariable);
  if (!path) return StateInMemory();
  const File file(_wfopen(path->c_str(), L"rb"));
  if (!file) return DeviceState{};
  std::string text;
  char buffer[512];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) text.append(buffer, got);
  if (std::ferror(file.get())) return std::nullopt;
  return ParseState(text);
}

bool SaveState(const DeviceState& state) {
  const std::optional<std::wstring> path = PathFromVariable(kStateVariable);
  if (!path) {
    StateInMemory() = state;
    return true;
  }
  File file(_wfopen(path->c_str(), L"wb"));
  if (!file) return false;
  const std::string text = SerializeState(state);
  const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  return std::fclose(file.release()) == 0 && written;
}

void AppendToJournal(const JournalLine& line) {
  const std::optional<std::wstring> path = PathFromVariable(kJournalVariable);
  if (!path) return;
  const File file(_wfopen(path->c_str(), L"ab"));
  if (!file) return;
  const std::string text = line.Text() + "\n";
  std::fwrite(text.data(), 1, text.size(), file.get());
}

std::uint32_t CurrentProcessId() noexcept { return GetCurrentProcessId(); }

std::string CurrentApartment() {
  APTTYPE type{};
  APTTYPEQUALIFIER qualifier{};
  const HRESULT result = CoGetApartmentType(&type, &qualifier);
  if (result == CO_E_NOTINITIALIZED) return "none";
  if (FAILED(result)) return "error";
  switch (type) {
    case APTTYPE_STA: return "sta";
    case APTTYPE_MAINSTA: return "mainsta";
    case APTTYPE_NA: return "na";
    case APTTYPE_MTA: return qualifier == APTTYPEQUALIFIER_IMPLICIT_MTA ? "mta-implicit" : "mta";
    default: return "other";
  }
}

std::string GuidText(const GUID& guid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1, guid.Data2,
                guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
                guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return text;
}

}  // namespace mastervol::fake_audio

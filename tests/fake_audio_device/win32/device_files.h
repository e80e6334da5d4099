// Where the simulated device keeps what outlives a process: the state file and the journal, both named
// by environment variables. A Unix path ("/tmp/x") is read as Z:\tmp\x, Wine's view of the Unix root.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "tests/fake_audio_device/device_state.h"
#include "tests/fake_audio_device/journal.h"

namespace mastervol::fake_audio {

inline constexpr wchar_t kStateVariable[] = L"MASTERVOL_FAKE_AUDIO_STATE";
inline constexpr wchar_t kJournalVariable[] = L"MASTERVOL_FAKE_AUDIO_JOURNAL";

// The current state: the file's, the defaults when there is no file, nothing when the file is malformed.
// Without the variable the state lives in this process only.
[[nodiscard]] std::optional<DeviceState> LoadState();
[[nodiscard]] bool SaveState(const DeviceState& state);

// Appends one line to the journal; without the variable nothing is kept.
void AppendToJournal(const JournalLine& line);

[[nodiscard]] std::uint32_t CurrentProcessId() noexcept;
// The calling thread's COM apartment as the journal names it: "sta", "mta", "none", ...
[[nodiscard]] std::string CurrentApartment();
[[nodiscard]] std::string GuidText(const GUID& guid);

}  // namespace mastervol::fake_audio

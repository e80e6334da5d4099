// One test's simulated audio device: a fresh folder with its state file and journal, and the environment
// variables that point the device at them, in this process and in every process it starts.
//
//   wine_support::FakeAudioSession audio({.channels = {0.2f, 0.4f, 0.6f}});
//   ASSERT_TRUE(audio.Ready());
//   ... run the code under test ...
//   EXPECT_EQ(audio.ReadState()->master, 0.35f);
//   const auto journal = audio.ReadJournal();        // fake_audio::CallsOn / Lifetimes read it
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "tests/fake_audio_device/device_state.h"
#include "tests/fake_audio_device/journal.h"

namespace mastervol::wine_support {

class FakeAudioSession {
 public:
  // Writes the initial state; the journal starts empty.
  explicit FakeAudioSession(const fake_audio::DeviceState& initial = {});
  // Removes the folder and unsets the variables.
  ~FakeAudioSession();
  FakeAudioSession(const FakeAudioSession&) = delete;
  FakeAudioSession& operator=(const FakeAudioSession&) = delete;

  // False when the folder, the state file or a variable could not be set up.
  [[nodiscard]] bool Ready() const noexcept { return ready_; }

  // Nothing when the file is missing or malformed.
  [[nodiscard]] std::optional<fake_audio::DeviceState> ReadState() const;
  [[nodiscard]] bool WriteState(const fake_audio::DeviceState& state) const;
  // Without a state file the device starts from its defaults.
  [[nodiscard]] bool RemoveState() const;

  // Every call so far; an empty journal when nothing has been called, nothing when a line is unreadable.
  [[nodiscard]] std::optional<std::vector<fake_audio::JournalEntry>> ReadJournal() const;
  [[nodiscard]] bool ClearJournal() const;

  [[nodiscard]] const std::filesystem::path& StatePath() const noexcept { return statePath_; }
  [[nodiscard]] const std::filesystem::path& JournalPath() const noexcept { return journalPath_; }

 private:
  std::filesystem::path folder_;
  std::filesystem::path statePath_;
  std::filesystem::path journalPath_;
  bool ready_ = false;
};

// Whether this Wine prefix serves the MMDeviceEnumerator class from the simulated device's DLL
// (tools/wine-prefix registers it when the ctest fixture runs after the DLL was built).
[[nodiscard]] bool SimulatedAudioDeviceRegistered();

}  // namespace mastervol::wine_support

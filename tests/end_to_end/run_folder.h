// A private folder holding a copy of mastervol.exe, so each test's runs write a log of their own, and
// the means to start the copy with an exact command line and read what it left behind.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "log/win32/unique_handle.h"

namespace mastervol::end_to_end {

class RunFolder {
 public:
  // Copies the built program into a new folder under the system's temporary folder.
  RunFolder();
  // Copies it into `folder` instead, creating the folder when it is missing (a drive's root is "Y:").
  explicit RunFolder(std::string folder);
  ~RunFolder();
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;

  [[nodiscard]] bool Ready() const noexcept { return ready_; }
  [[nodiscard]] const std::string& Folder() const noexcept { return folder_; }
  [[nodiscard]] const std::string& ExePath() const noexcept { return exePath_; }
  [[nodiscard]] std::string LogPath() const { return folder_ + "\\mastervol.log"; }

  // Starts the program with exactly this command line (program name included) without waiting; the
  // handle is invalid when the process could not be created.
  [[nodiscard]] log::win32::UniqueKernelHandle Start(const std::string& commandLine) const;
  // Starts it with `mastervol <arguments>` and returns its exit code once it has ended.
  [[nodiscard]] DWORD Run(const std::string& arguments) const;
  [[nodiscard]] DWORD RunExactly(const std::string& commandLine) const;

  // A started copy held before its first instruction, so that many can be let go at one instant.
  struct SuspendedRun {
    log::win32::UniqueKernelHandle process;
    log::win32::UniqueKernelHandle thread;
  };
  // Nothing is valid when the process could not be created.
  [[nodiscard]] SuspendedRun StartSuspended(const std::string& commandLine) const;

  // The names of the files and folders in the run folder, sorted.
  [[nodiscard]] std::vector<std::string> Entries() const;

  // The log's bytes, split after each CR LF (each line keeps nothing of its end).
  [[nodiscard]] std::vector<std::string> LogLines() const;
  [[nodiscard]] std::string LogBytes() const;

 private:
  std::string folder_;
  std::string exePath_;
  bool createdFolder_ = false;
  bool ready_ = false;
};

// Waits for a started process, ends it when it overstays, and returns its exit code (~0u when it did not
// end by itself or was never started). The handle stays with its owner.
[[nodiscard]] DWORD AwaitExit(HANDLE process);

}  // namespace mastervol::end_to_end

// A stand-in for the log writer's platform: files held in memory, a settable clock and executable path,
// and a record of every call in order, so tests can see what the writer did and in which sequence.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "log/log_platform.h"

namespace mastervol::log::testing {

// One recorded call: its name ("LockLog", "Unlock", "FileSizeLow32", "RemoveFile", "AppendLine") and path.
struct FakeLogCall {
  std::string name;
  std::string path;

  friend bool operator==(const FakeLogCall&, const FakeLogCall&) = default;
};

class FakeLogPlatform final : public LogPlatform {
 public:
  [[nodiscard]] std::string ExecutablePath() override { return executablePath; }
  [[nodiscard]] LocalDateTime LocalNow() noexcept override;
  [[nodiscard]] std::optional<std::uint32_t> FileSizeLow32(const std::string& path) noexcept override;
  void RemoveFile(const std::string& path) noexcept override;
  [[nodiscard]] std::unique_ptr<LogLock> LockLog(const std::string& path) override;
  void AppendLine(const std::string& path, std::string_view line) noexcept override;

  std::string executablePath = "C:\\apps\\tool.exe";
  LocalDateTime now{2024, 3, 5, 7, 8, 9};
  // File contents by path. A size set here overrides the contents' length, to play large files cheaply.
  std::map<std::string, std::string> files;
  std::map<std::string, std::uint32_t> reportedSizes;
  // Paths whose appends fail, as a read-only or locked file would.
  std::vector<std::string> unwritable;

  std::vector<FakeLogCall> calls;
  int clockReadings = 0;
  int locksHeld = 0;
};

}  // namespace mastervol::log::testing

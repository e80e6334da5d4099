// The seam between the log writer and the operating system: the few file and clock services the writer
// needs. Windows implements it with kernel32; the native tests use POSIX files or a recording stand-in.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace mastervol::log {

// A local wall-clock time in whole seconds. All six fields come from one reading of the clock, so a
// timestamp never mixes two seconds. The hour is on the 24-hour clock.
struct LocalDateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// Held while one line is checked against the size cap and appended; releasing it lets the next writer,
// in this process or another, take its turn on the same log file.
class LogLock {
 public:
  virtual ~LogLock() = default;
};

class LogPlatform {
 public:
  virtual ~LogPlatform() = default;

  // The running executable's full path as the system reports it, or an empty text when it cannot say.
  [[nodiscard]] virtual std::string ExecutablePath() = 0;

  [[nodiscard]] virtual LocalDateTime LocalNow() noexcept = 0;

  // The low 32 bits of the file's size in bytes, or nothing when the file does not exist.
  [[nodiscard]] virtual std::optional<std::uint32_t> FileSizeLow32(const std::string& path) noexcept = 0;

  // Deletes the file. A file that cannot be deleted stays; the line is then appended to it.
  virtual void RemoveFile(const std::string& path) noexcept = 0;

  // Serialises writers of the same log across processes. Nothing is returned when no lock could be
  // had; the line is still written, only without the guarantee against other writers.
  [[nodiscard]] virtual std::unique_ptr<LogLock> LockLog(const std::string& path) = 0;

  // Appends the whole line at the end of the file in one write, creating the file when it is missing.
  // The writer calls it while holding LockLog's lock for the same path.
  // A line that cannot be written (missing directory, read-only or locked file) is lost silently.
  virtual void AppendLine(const std::string& path, std::string_view line) noexcept = 0;
};

}  // namespace mastervol::log

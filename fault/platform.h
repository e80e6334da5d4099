// The seam between the fault report and the system it runs on: what the report needs to know about the
// running program and the two ways it tells someone about the fault (the log and an error box).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mastervol::fault {

class FaultPlatform {
 public:
  virtual ~FaultPlatform() = default;

  // Full path of the running executable: "C:\Tools\mastervol.exe".
  [[nodiscard]] virtual std::string ExecutablePath() noexcept = 0;
  // Index into the OS table (fault/os_table.h).
  [[nodiscard]] virtual int OsIndex() noexcept = 0;
  // True for a 32-bit process on 64-bit Windows.
  [[nodiscard]] virtual bool RunsUnderWow64() noexcept = 0;
  // False where nobody could ever see or close a box, as for a task run as SYSTEM.
  [[nodiscard]] virtual bool HasInteractiveDesktop() noexcept = 0;
  // Appends one line to the program's log; the log writer adds the timestamp.
  virtual void AppendLogLine(std::string_view line) noexcept = 0;
  // Shows the error box without an owner window and returns once it is closed.
  virtual void ShowErrorBox(std::string_view text, std::string_view title, std::uint32_t style) noexcept = 0;
};

}  // namespace mastervol::fault

// The fault report's platform on Windows: the system's facts, the program's log writer and the real
// error box. Tests derive from it to replace the box, which would block them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "fault/platform.h"

namespace mastervol::fault::win32 {

class WindowsFaultPlatform : public FaultPlatform {
 public:
  // Writes one line to the program's log; the program wires its log writer here.
  using LogLineWriter = std::function<void(std::string_view line)>;

  explicit WindowsFaultPlatform(LogLineWriter writeLogLine) noexcept;

  [[nodiscard]] std::string ExecutablePath() noexcept override;
  [[nodiscard]] int OsIndex() noexcept override;
  [[nodiscard]] bool RunsUnderWow64() noexcept override;
  [[nodiscard]] bool HasInteractiveDesktop() noexcept override;
  void AppendLogLine(std::string_view line) noexcept override;
  void ShowErrorBox(std::string_view text, std::string_view title, std::uint32_t style) noexcept override;

 private:
  LogLineWriter writeLogLine_;
};

}  // namespace mastervol::fault::win32

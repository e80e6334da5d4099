// The log platform on Windows: kernel32 files, the local clock, and a named mutex per log file so that
// concurrent runs of the program append whole lines and lose none.
#pragma once

#include "log/log_platform.h"

namespace mastervol::log {

class Win32LogPlatform final : public LogPlatform {
 public:
  [[nodiscard]] std::string ExecutablePath() override;
  [[nodiscard]] LocalDateTime LocalNow() noexcept override;
  [[nodiscard]] std::optional<std::uint32_t> FileSizeLow32(const std::string& path) noexcept override;
  void RemoveFile(const std::string& path) noexcept override;
  [[nodiscard]] std::unique_ptr<LogLock> LockLog(const std::string& path) override;
  void AppendLine(const std::string& path, std::string_view line) noexcept override;
};

}  // namespace mastervol::log

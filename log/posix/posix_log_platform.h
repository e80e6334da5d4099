// The log platform on POSIX systems, so the writer's file handling and its guard against concurrent
// writers run natively: O_APPEND with one write per line, and writers of a log take turns with flock.
#pragma once

#include "log/log_platform.h"

namespace mastervol::log {

class PosixLogPlatform final : public LogPlatform {
 public:
  [[nodiscard]] std::string ExecutablePath() override;
  [[nodiscard]] LocalDateTime LocalNow() noexcept override;
  [[nodiscard]] std::optional<std::uint32_t> FileSizeLow32(const std::string& path) noexcept override;
  void RemoveFile(const std::string& path) noexcept override;
  [[nodiscard]] std::unique_ptr<LogLock> LockLog(const std::string& path) override;
  void AppendLine(const std::string& path, std::string_view line) noexcept override;
};

}  // namespace mastervol::log

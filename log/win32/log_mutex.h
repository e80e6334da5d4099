// The named mutex that serialises appends to one log file across processes.
#pragma once

#include <memory>
#include <string>

#include "log/log_platform.h"

namespace mastervol::log::win32 {

// The mutex's name for a log path: the same file gives the same name whatever the case or relative
// spelling of its path, and the name stays within the length kernel object names allow.
[[nodiscard]] std::string LogMutexName(const std::string& path);

// Waits for the log's mutex and holds it until destroyed; nothing when it cannot be had in time.
[[nodiscard]] std::unique_ptr<LogLock> AcquireLogMutex(const std::string& path);

}  // namespace mastervol::log::win32

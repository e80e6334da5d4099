// The log writer's flow; every file and clock access goes through the platform seam.
#include "log/log_writer.h"

#include <memory>
#include <new>

#include "log/log_path.h"
#include "log/timestamp.h"

namespace mastervol::log {
namespace {

constexpr double kBytesPerMegabyte = 1048576.0;
// A log exactly at the cap stays; the tolerance keeps rounding in the division from deleting it.
constexpr double kCapTolerance = 0.0000001;
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string ComposeLogLine(std::string_view timeText, std::string_view text) {
  std::string line;
  line.reserve(timeText.size() + 1 + text.size() + kLineEnd.size());
  line.append(timeText).append(" ").append(text).append(kLineEnd);
  return line;
}

bool ExceedsSizeCap(std::optional<std::uint32_t> sizeBytes, double maxMegabytes) noexcept {
  if (!(maxMegabytes > 0.0)) {
    return false;
  }
  const double size = sizeBytes ? static_cast<double>(*sizeBytes) : -1.0;
  return size / kBytesPerMegabyte - maxMegabytes > kCapTolerance;
}

void WriteLogLine(LogPlatform& platform, std::string_view text, const LogLineOptions& options) noexcept {
  try {
    const std::string path = options.path.empty() ? LogPath(platform) : options.path;
    if (path.empty()) {
      return;  // The executable's path is unknown, so there is no log beside it.
    }
    const std::string timeText = options.timeText.empty() ? FormatTimestamp(platform) : options.timeText;
    const std::string line = ComposeLogLine(timeText, text);

    // The cap check, the delete and the append form one step, so that a concurrent writer cannot delete
    // the file between another's check and its line.
    const std::unique_ptr<LogLock> lock = platform.LockLog(path);
    if (options.maxMegabytes > 0.0 && ExceedsSizeCap(platform.FileSizeLow32(path), options.maxMegabytes)) {
      platform.RemoveFile(path);
    }
    platform.AppendLine(path, line);
  } catch (const std::bad_alloc&) {
    // Out of memory for one line of text: the line is lost like any other that cannot be written.
  }
}

}  // namespace mastervol::log

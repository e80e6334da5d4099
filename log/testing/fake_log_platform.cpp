// The in-memory log platform used by the native tests of the writer and of its callers.
#include "log/testing/fake_log_platform.h"

#include <algorithm>
#include <utility>

namespace mastervol::log::testing {
namespace {

class FakeLogLock final : public LogLock {
 public:
  FakeLogLock(FakeLogPlatform& platform, std::string path) : platform_(platform), path_(std::move(path)) {
    ++platform_.locksHeld;
  }
  FakeLogLock(const FakeLogLock&) = delete;
  FakeLogLock& operator=(const FakeLogLock&) = delete;
  ~FakeLogLock() override {
    --platform_.locksHeld;
    platform_.calls.push_back({"Unlock", path_});
  }

 private:
  FakeLogPlatform& platform_;
  std::string path_;
};

}  // namespace

LocalDateTime FakeLogPlatform::LocalNow() noexcept {
  ++clockReadings;
  return now;
}

std::optional<std::uint32_t> FakeLogPlatform::FileSizeLow32(const std::string& path) noexcept {
  calls.push_back({"FileSizeLow32", path});
  const auto file = files.find(path);
  if (file == files.end()) {
    return std::nullopt;
  }
  const auto reported = reportedSizes.find(path);
  return reported != reportedSizes.end() ? reported->second : static_cast<std::uint32_t>(file->second.size());
}

void FakeLogPlatform::RemoveFile(const std::string& path) noexcept {
  calls.push_back({"RemoveFile", path});
  files.erase(path);
  reportedSizes.erase(path);
}

std::unique_ptr<LogLock> FakeLogPlatform::LockLog(const std::string& path) {
  calls.push_back({"LockLog", path});
  return std::make_unique<FakeLogLock>(*this, path);
}

void FakeLogPlatform::AppendLine(const std::string& path, std::string_view line) noexcept {
  calls.push_back({"AppendLine", path});
  if (std::find(unwritable.begin(), unwritable.end(), path) != unwritable.end()) {
    return;
  }
  files[path].append(line);
}

}  // namespace mastervol::log::testing

// POSIX file, clock and lock services for the log writer.
#include "log/posix/posix_log_platform.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <utility>

namespace mastervol::log {
namespace {

constexpr mode_t kNewFileMode = 0644;

// Owns one file descriptor.
class UniqueFd {
 public:
  explicit UniqueFd(int fd) noexcept : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&&) = delete;
  ~UniqueFd() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  [[nodiscard]] int get() const noexcept { return fd_; }
  [[nodiscard]] bool valid() const noexcept { return fd_ >= 0; }

 private:
  int fd_;
};

// The writers of one log take turns on the log's directory: a lock on the file itself would not survive
// the size cap deleting and recreating it.
class DirectoryLock final : public LogLock {
 public:
  explicit DirectoryLock(UniqueFd directory) noexcept : directory_(std::move(directory)) {}
  ~DirectoryLock() override { ::flock(directory_.get(), LOCK_UN); }

 private:
  UniqueFd directory_;
};

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string PosixLogPlatform::ExecutablePath() {
  char buffer[4096];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
    return {};
  }
  return std::string(buffer, static_cast<std::size_t>(length));
}

LocalDateTime PosixLogPlatform::LocalNow() noexcept {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (::localtime_r(&now, &local) == nullptr) {
    return {};
  }
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::optional<std::uint32_t> PosixLogPlatform::FileSizeLow32(const std::string& path) noexcept {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(status.st_size) & 0xFFFFFFFFu);
}

void PosixLogPlatform::RemoveFile(const std::string& path) noexcept { ::unlink(path.c_str()); }

std::unique_ptr<LogLock> PosixLogPlatform::LockLog(const std::string& path) {
  UniqueFd directory(::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!directory.valid()) {
    return nullptr;
  }
  int locked = 0;
  do {
    locked = ::flock(directory.get(), LOCK_EX);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    return nullptr;
  }
  return std::make_unique<DirectoryLock>(std::move(directory));
}

void PosixLogPlatform::AppendLine(const std::string& path, std::string_view line) noexcept {
  const UniqueFd file(::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, kNewFileMode));
  if (!file.valid()) {
    return;  // Missing directory or no permission: the line is lost.
  }
  // One write keeps the line whole; a short write (a full disk) loses the rest of it.
  [[maybe_unused]] const ssize_t written = ::write(file.get(), line.data(), line.size());
}

}  // namespace mastervol::log

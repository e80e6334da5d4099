// Log path derivation: the executable's name cut just past its first ".exe", with ".log" added.
#include "log/log_path.h"

#include <cstddef>

namespace mastervol::log {
namespace {

constexpr std::string_view kExeExtension = ".exe";
constexpr std::string_view kLogExtension = ".log";
constexpr std::string_view kDoubledExtension = ".exe.log";
constexpr char kPathSeparator = '\\';

// GBK lead bytes; the byte after one belongs to the same character.
constexpr bool IsLeadByte(char c) noexcept {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x81 && byte <= 0xFE;
}

// Byte index of the character after the one at `at`; a lead byte at the very end stands alone.
std::size_t NextCharacter(std::string_view text, std::size_t at) noexcept {
  return at + ((IsLeadByte(text[at]) && at + 1 < text.size()) ? 2 : 1);
}

// Byte length of the first `count` characters of `text` (all of it when it is shorter).
std::size_t BytesOfCharacters(std::string_view text, std::size_t count) noexcept {
  std::size_t at = 0;
  for (std::size_t taken = 0; taken < count && at < text.size(); ++taken) {
    at = NextCharacter(text, at);
  }
  return at;
}

// Byte index of the last backslash that is a character of its own, or npos. The second byte of a GBK
// character can be 0x5C too (as in \x81\x5C), and that one separates nothing.
std::size_t LastSeparator(std::string_view path) noexcept {
  std::size_t last = std::string_view::npos;
  for (std::size_t at = 0; at < path.size(); at = NextCharacter(path, at)) {
    if (path[at] == kPathSeparator) last = at;
  }
  return last;
}

// 1-based character position of the first ".exe" (case-sensitive), or -1 when there is none.
// A '.' is never a trail byte, so a match can only start on a character boundary.
long FirstExePosition(std::string_view name) noexcept {
  long position = 1;
  for (std::size_t at = 0; at < name.size(); ++position) {
    if (name.substr(at).starts_with(kExeExtension)) {
      return position;
    }
    at = NextCharacter(name, at);
  }
  return -1;
}

// Replaces every occurrence of `from` by `to`, scanning the original text once from left to right.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string result;
  std::size_t at = 0;
  for (std::size_t found = text.find(from); found != std::string_view::npos; found = text.find(from, at)) {
    result.append(text.substr(at, found - at)).append(to);
    at = found + from.size();
  }
  result.append(text.substr(at));
  return result;
}

}  // namespace

std::string_view ExecutableDirectory(std::string_view executablePath) noexcept {
  const std::size_t separator = LastSeparator(executablePath);
  return separator == std::string_view::npos ? std::string_view{} : executablePath.substr(0, separator + 1);
}

std::string LogPath(std::string_view executablePath) {
  if (executablePath.empty()) {
    return {};
  }
  // Without a separator the name stands alone and the log goes to the current directory.
  const std::string_view dir = ExecutableDirectory(executablePath);
  const std::string_view name = executablePath.substr(dir.size());

  // Keeping p + 4 characters holds the whole of ".exe" and, when more follows, one character beyond it;
  // without ".exe" (p = -1) it keeps the first three characters.
  const long position = FirstExePosition(name);
  const auto kept = static_cast<std::size_t>(position + static_cast<long>(kExeExtension.size()));
  const std::string_view stem = name.substr(0, BytesOfCharacters(name, kept));

  std::string path;
  path.append(dir).append(stem).append(kLogExtension);
  return ReplaceAll(path, kDoubledExtension, kLogExtension);
}

std::string LogPath(LogPlatform& platform) { return LogPath(platform.ExecutablePath()); }

}  // namespace mastervol::log

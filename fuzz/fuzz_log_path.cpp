// Fuzz target: the log path derived from any byte string as the executable's path, checked against
// properties that hold for every path. Reads out of bounds are left to AddressSanitizer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/require.h"
#include "log/log_path.h"

namespace {

using mastervol::fuzz::Require;

constexpr std::string_view kLog = ".log";
constexpr std::string_view kExe = ".exe";
constexpr std::string_view kDoubled = ".exe.log";

// GBK lead bytes: a lead byte and the byte after it are one character.
constexpr bool IsLeadByte(char c) noexcept {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x81 && byte <= 0xFE;
}

std::size_t NextCharacter(std::string_view text, std::size_t at) noexcept {
  return at + ((IsLeadByte(text[at]) && at + 1 < text.size()) ? 2 : 1);
}

// Byte index of the first `pattern` that starts on a character boundary of `text`, or npos.
std::size_t FindAtCharacterBoundary(std::string_view text, std::string_view pattern) noexcept {
  for (std::size_t at = 0; at < text.size(); at = NextCharacter(text, at)) {
    if (text.substr(at).starts_with(pattern)) return at;
  }
  return std::string_view::npos;
}

// The first `count` characters of `text`, or all of it when it is shorter.
std::string_view FirstCharacters(std::string_view text, std::size_t count) noexcept {
  std::size_t at = 0;
  for (std::size_t taken = 0; taken < count && at < text.size(); ++taken) at = NextCharacter(text, at);
  return text.substr(0, at);
}

// A dot is never the second byte of a GBK character, so Windows reports no path where one follows a
// lead byte. In such a path ".exe" is sought by characters but ".exe.log" folded by bytes, and the two
// need not agree.
bool HasDotAfterLeadByte(std::string_view text) noexcept {
  for (std::size_t at = 0; at < text.size(); at = NextCharacter(text, at)) {
    if (IsLeadByte(text[at]) && at + 1 < text.size() && text[at + 1] == '.') return true;
  }
  return false;
}

// Length of the directory part: up to and including the last backslash that is a character of its own.
// A backslash byte can also be the second half of a GBK character, which ends no directory.
std::size_t DirectoryLength(std::string_view path) noexcept {
  std::size_t length = 0;
  for (std::size_t at = 0; at < path.size(); at = NextCharacter(path, at)) {
    if (path[at] == '\\') length = at + 1;
  }
  return length;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A view of exactly the fuzzer's bytes: a read past the end is caught by AddressSanitizer.
  const std::string_view executable(reinterpret_cast<const char*>(data), size);
  const std::string log = mastervol::log::LogPath(executable);
  if (executable.empty()) {
    Require(log.empty(), "no executable path gives no log path");
    return 0;
  }
  Require(log.ends_with(kLog), "the log path ends in .log");

  // One pass folds every ".exe.log"; only a fold that joins a ".exe" before it can leave a new one.
  if (!HasDotAfterLeadByte(executable) && log.find(kDoubled) != std::string::npos) {
    Require(executable.find(".exe.exe.log") != std::string_view::npos, "every .exe.log is folded");
  }

  const std::string_view dir = executable.substr(0, DirectoryLength(executable));
  const std::string_view name = executable.substr(dir.size());
  // A directory holding ".exe.log" is folded too, by design; elsewhere the directory is kept as it is.
  if (dir.find(kDoubled) != std::string_view::npos) return 0;

  Require(log.starts_with(dir), "the log lies in the executable's directory");
  if (HasDotAfterLeadByte(name)) return 0;  // not a path Windows reports

  // The name is cut one character past its first ".exe", or kept whole when it ends in that ".exe",
  // which then folds into ".log"; without ".exe" its first three characters are kept.
  const std::string_view logName = std::string_view(log).substr(dir.size());
  const std::size_t exe = FindAtCharacterBoundary(name, kExe);
  std::string expected;
  if (exe == std::string_view::npos) {
    expected = FirstCharacters(name, 3);
  } else if (exe + kExe.size() == name.size()) {
    expected = name.substr(0, exe);
  } else {
    expected.append(name.substr(0, exe + kExe.size())).append(FirstCharacters(name.substr(exe + kExe.size()), 1));
  }
  expected.append(kLog);
  Require(logName == expected, "the log's name is the executable's name cut after .exe");
  Require(logName.find(kDoubled) == std::string_view::npos, "the log's name holds no .exe.log");
  return 0;
}

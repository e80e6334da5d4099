// The run folder: a temporary copy of the program and the plumbing to start it and read its log.
#include "tests/end_to_end/run_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace mastervol::end_to_end {
namespace {

constexpr DWORD kRunTimeoutMs = 60'000;

// The build passes the program's Unix path; Wine shows the Unix root as drive Z:.
std::string BuiltProgramPath() {
  std::string path = "Z:" MASTERVOL_EXE_UNIX_PATH;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

// A name under the system's temporary folder that nothing has yet; empty when there is none.
std::string UniqueTempFolderName() {
  char temp[MAX_PATH];
  char unique[MAX_PATH];
  if (GetTempPathA(MAX_PATH, temp) == 0 || GetTempFileNameA(temp, "mv", 0, unique) == 0) return {};
  DeleteFileA(unique);  // the unique name becomes the folder
  return unique;
}

// Starts the program in its folder with exactly this command line and these creation flags.
bool CreateRun(const std::string& exePath, const std::string& folder, const std::string& commandLine,
               DWORD flags, PROCESS_INFORMATION& process) {
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return CreateProcessA(exePath.c_str(), line.data(), nullptr, nullptr, FALSE, flags, nullptr, folder.c_str(),
                        &startup, &process) != FALSE;
}

}  // namespace

RunFolder::RunFolder() : RunFolder(UniqueTempFolderName()) {}

RunFolder::RunFolder(std::string folder) : folder_(std::move(folder)) {
  if (GetFileAttributesA(folder_.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (!CreateDirectoryA(folder_.c_str(), nullptr)) return;
    createdFolder_ = true;
  }
  exePath_ = folder_ + "\\mastervol.exe";
  ready_ = CopyFileA(BuiltProgramPath().c_str(), exePath_.c_str(), TRUE) != 0;
}

RunFolder::~RunFolder() {
  if (folder_.empty()) return;
  DeleteFileA(exePath_.c_str());
  DeleteFileA(LogPath().c_str());
  // A folder that was there before, such as a drive's root, stays.
  if (createdFolder_) RemoveDirectoryA(folder_.c_str());
}

log::win32::UniqueKernelHandle RunFolder::Start(const std::string& commandLine) const {
  PROCESS_INFORMATION process{};
  if (!CreateRun(exePath_, folder_, commandLine, 0, process)) return {};
  const log::win32::UniqueKernelHandle thread(process.hThread);
  return log::win32::UniqueKernelHandle(process.hProcess);
}

RunFolder::SuspendedRun RunFolder::StartSuspended(const std::string& commandLine) const {
  PROCESS_INFORMATION process{};
  if (!CreateRun(exePath_, folder_, commandLine, CREATE_SUSPENDED, process)) return {};
  return {log::win32::UniqueKernelHandle(process.hProcess), log::win32::UniqueKernelHandle(process.hThread)};
}

std::vector<std::string> RunFolder::Entries() const {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder_ + "\\", error)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

DWORD AwaitExit(HANDLE process) {
  if (process == nullptr) return ~0u;
  DWORD code = ~0u;
  if (WaitForSingleObject(process, kRunTimeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
  else TerminateProcess(process, ~0u);
  return code;
}

DWORD RunFolder::RunExactly(const std::string& commandLine) const { return AwaitExit(Start(commandLine).get()); }

DWORD RunFolder::Run(const std::string& arguments) const {
  return RunExactly(arguments.empty() ? std::string("mastervol") : "mastervol " + arguments);
}

std::string RunFolder::LogBytes() const {
  std::ifstream file(LogPath(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> RunFolder::LogLines() const {
  const std::string bytes = LogBytes();
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  for (std::string::size_type end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  if (start != bytes.size()) lines.push_back(bytes.substr(start));  // a torn last line shows up as itself
  return lines;
}

}  // namespace mastervol::end_to_end

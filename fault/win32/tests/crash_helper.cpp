// A program that installs the crash handlers and then faults on purpose, for the crash tests. Its hook
// is the real fault report with the box replaced: log lines and boxes go to a record file instead.
// Usage: fault_crash_helper <access|throw|overflow|nested> <record file>
#include <windows.h>

#include <climits>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "fault/report_fault.h"
#include "fault/report_text.h"
#include "fault/win32/crash_handlers.h"
#include "fault/win32/windows_platform.h"

namespace {

using mastervol::fault::FaultHook;
using mastervol::fault::win32::WindowsFaultPlatform;

void AppendRecord(const std::string& file, std::string_view line) {
  std::ofstream(file, std::ios::binary | std::ios::app) << line << '\n';
}

class RecordingWindowsPlatform final : public WindowsFaultPlatform {
 public:
  explicit RecordingWindowsPlatform(std::string file)
      : WindowsFaultPlatform([file](std::string_view line) { AppendRecord(file, "log: " + std::string(line)); }),
        file_(std::move(file)) {}

  void ShowErrorBox(std::string_view text, std::string_view, std::uint32_t) noexcept override {
    AppendRecord(file_, "box: " + mastervol::fault::FoldToOneLine(text));
  }

 private:
  std::string file_;
};

// Wine keeps the first page of a 32-bit process mapped, so a null pointer does not fault there; the
// top of the address space is closed to every 32-bit process.
void WriteThroughWildPointer() {
  int* volatile target = reinterpret_cast<int*>(~std::uintptr_t{0xF});
  *target = 1;
}

volatile int recursionLimit = INT_MAX;  // unknown to the compiler, so the recursion stays real

int Recurse(int depth) {
  volatile char frame[4096];
  frame[0] = static_cast<char>(depth);
  if (depth > recursionLimit) return 0;
  return Recurse(depth + 1) + frame[0];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string mode = argv[1];
  const std::string record = argv[2];

  RecordingWindowsPlatform platform(record);
  // Which thread the report runs on: a stack overflow must be reported from a fresh one.
  FaultHook hook = [&record, &platform, mainThread = GetCurrentThreadId()](std::int32_t code,
                                                                          std::string_view note) {
    AppendRecord(record, GetCurrentThreadId() == mainThread ? "thread: main" : "thread: fresh");
    return mastervol::fault::ReportFault(platform, code, note);
  };
  if (mode == "nested") {
    // A hook that faults while it runs: the fault must not come back to it.
    hook = [&record](std::int32_t, std::string_view) -> std::int32_t {
      AppendRecord(record, "hook entered");
      WriteThroughWildPointer();
      return 1;
    };
  }
  const FaultHook toolkitHook = mastervol::fault::win32::InstallCrashHandlers(std::move(hook));

  if (mode == "access") WriteThroughWildPointer();
  if (mode == "throw") throw std::runtime_error("配置文件已损坏");
  if (mode == "overflow") return Recurse(0);
  if (mode == "nested") return toolkitHook(5, "数据或数组类型不匹配\r\n1, 2\r\n");
  return 3;
}

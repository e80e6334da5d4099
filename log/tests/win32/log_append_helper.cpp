// A small program the concurrency test starts many times: it waits for the start signal, then appends
// its numbered lines to one log through the Windows log platform.
// Usage: log_append_helper LOG_PATH WRITER_ID LINE_COUNT START_EVENT_NAME
#include <windows.h>

#include <cstdlib>
#include <string>

#include "log/log_writer.h"
#include "log/win32/unique_handle.h"
#include "log/win32/win32_log_platform.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kNoStartSignal = 3;
constexpr DWORD kStartWaitMilliseconds = 30000;
// Long lines make a torn or interleaved write visible.
constexpr std::size_t kFillerLength = 160;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    return kUsageError;
  }
  const std::string path = argv[1];
  const std::string writer = argv[2];
  const int lines = std::atoi(argv[3]);

  const mastervol::log::win32::UniqueKernelHandle start(::OpenEventA(SYNCHRONIZE, FALSE, argv[4]));
  if (!start.valid() || ::WaitForSingleObject(start.get(), kStartWaitMilliseconds) != WAIT_OBJECT_0) {
    return kNoStartSignal;
  }

  mastervol::log::Win32LogPlatform platform;
  const std::string filler(kFillerLength, 'x');
  for (int line = 0; line < lines; ++line) {
    mastervol::log::WriteLogLine(platform, writer + ":" + std::to_string(line) + " " + filler,
                                 {.path = path, .timeText = "T"});
  }
  return 0;
}

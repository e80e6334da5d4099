// The Windows entry: what the platform does before the program starts (OLE on the main thread, the
// executable's folder as the current directory), the real services wired in, then the program's start-up.
#include <windows.h>
#include <ole2.h>

#include <string>

#include "app/program.h"
#include "audio/win32/core_audio_endpoint.h"
#include "fault/report_fault.h"
#include "fault/win32/crash_handlers.h"
#include "fault/win32/windows_platform.h"
#include "log/log_path.h"
#include "log/log_writer.h"
#include "log/win32/win32_log_platform.h"
#include "ui/win32/message_sender.h"
#include "ui/win32/window_peer.h"

namespace {

// OLE for the main thread, as the window toolkit expects; left again once the window is gone.
class OleSession {
 public:
  OleSession() noexcept : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleSession() {
    if (initialised_) OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool initialised_;
};

// A run started from a logon script or a scheduled task has an arbitrary current directory; the
// program's own folder is the one place it knows. The trailing backslash keeps "C:\" a drive's root.
void EnterExecutableDirectory(const std::string& executablePath) {
  const std::string directory(mastervol::log::ExecutableDirectory(executablePath));
  if (!directory.empty()) SetCurrentDirectoryA(directory.c_str());
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace mastervol;

  const OleSession ole;
  log::Win32LogPlatform logPlatform;
  EnterExecutableDirectory(logPlatform.ExecutablePath());

  // A fault leaves a line in the log before its box, so an unattended run still says what went wrong.
  fault::win32::WindowsFaultPlatform faultPlatform(
      [&logPlatform](std::string_view line) { log::WriteLogLine(logPlatform, line); });
  const fault::FaultHook faultHook = fault::win32::InstallCrashHandlers(fault::MakeFaultHook(faultPlatform));

  audio::CoreAudioEndpointSource endpoints;
  ui::win32::Win32MessageSender messages;
  app::ProgramServices services{endpoints, logPlatform, messages, GetCommandLineA()};
  ui::win32::Win32WindowPeer peer;
  return app::RunProgram(peer, services, faultHook);
}

// The unhandled-exception filter and the terminate handler. Both have no context argument, so the hook
// lives in this file's one piece of global state, set once before anything can fault.
#include "fault/win32/crash_handlers.h"

#include <windows.h>

#include <atomic>
#include <exception>
#include <optional>
#include <string>
#include <utility>

#include "fault/crash_note.h"
#include "fault/win32/owned.h"

namespace mastervol::fault::win32 {
namespace {

struct InstalledHook {
  FaultHook hook;
  std::atomic<bool> reporting{false};  // set by the first fault, never cleared
};

InstalledHook& Installed() noexcept {
  static InstalledHook installed;
  return installed;
}

// The process is ended, not exited: after a crash its heap and locks may be in any state, and
// ExitProcess would run library detach code and runtime clean-up in that state, which can hang or
// fault again. The hook has already put its line in the log, which is written straight to the file.
[[noreturn]] void EndFaultedProcess() noexcept {
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(kFaultExitCode));
  ExitProcess(static_cast<UINT>(kFaultExitCode));  // only if the system refused to terminate us
}

// True for the first fault only; every later caller must end the process without reporting.
bool BeginReport() noexcept { return !Installed().reporting.exchange(true); }

// The hook's flag; a hook that is missing or fails counts as having reported, since nothing else will.
std::int32_t CallHook(std::int32_t code, std::string_view note) noexcept {
  try {
    if (Installed().hook) return Installed().hook(code, note);
  } catch (...) {
    // Falls through: the process ends with the fault's exit code all the same.
  }
  return kFaultReported;
}

void ReportException(const ExceptionFacts& facts) noexcept {
  try {
    CallHook(FaultCodeFromExceptionCode(facts.code), BuildExceptionNote(facts));
  } catch (...) {
    // No memory for the note: end without a report rather than fault again.
  }
}

std::optional<AccessFault> AccessFrom(const EXCEPTION_RECORD& record) noexcept {
  // The violation's first parameter: 0 read, 1 write, 8 execute (data execution prevention).
  constexpr ULONG_PTR kWrite = 1, kExecute = 8;
  if (record.ExceptionCode != EXCEPTION_ACCESS_VIOLATION || record.NumberParameters < 2) return std::nullopt;
  const ULONG_PTR what = record.ExceptionInformation[0];
  const AccessKind kind = what == kWrite ? AccessKind::kWrite
                          : what == kExecute ? AccessKind::kExecute
                                             : AccessKind::kRead;
  return AccessFault{kind, record.ExceptionInformation[1]};
}

// A stack overflow leaves too little stack to build a note or show a box, so that report runs on a
// fresh thread while the faulted one waits for it.
constexpr SIZE_T kReportStackSize = 256 * 1024;

void CloseThreadHandle(HANDLE thread) noexcept { CloseHandle(thread); }
using OwnedThread = Owned<HANDLE, &CloseThreadHandle>;

DWORD WINAPI ReportOnThisThread(void* facts) {
  ReportException(*static_cast<const ExceptionFacts*>(facts));
  return 0;
}

void ReportOnFreshStack(ExceptionFacts& facts) noexcept {
  const OwnedThread thread(CreateThread(nullptr, kReportStackSize, &ReportOnThisThread, &facts,
                                        STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
  if (thread) {
    WaitForSingleObject(thread.Get(), INFINITE);
  } else {
    ReportException(facts);  // no thread to be had: try on what stack is left
  }
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
  if (BeginReport() && pointers != nullptr && pointers->ExceptionRecord != nullptr) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    ExceptionFacts facts{.code = record.ExceptionCode,
                         .address = reinterpret_cast<std::uintptr_t>(record.ExceptionAddress),
                         .access = AccessFrom(record)};
    if (record.ExceptionCode == EXCEPTION_STACK_OVERFLOW) {
      ReportOnFreshStack(facts);
    } else {
      ReportException(facts);
    }
  }
  EndFaultedProcess();
}

[[noreturn]] void OnTerminate() noexcept {
  if (BeginReport()) {
    try {
      TerminateCause cause = TerminateCause::kNoException;
      std::string what;
      if (const std::exception_ptr current = std::current_exception()) {
        try {
          std::rethrow_exception(current);
        } catch (const std::exception& exception) {
          cause = TerminateCause::kStdException;
          what = exception.what();
        } catch (...) {
          cause = TerminateCause::kOtherException;
        }
      }
      CallHook(FaultCodeFromExceptionCode(kUncaughtCppExceptionCode), BuildTerminateNote(cause, what));
    } catch (...) {
      // No memory for the note: end without a report.
    }
  }
  EndFaultedProcess();
}

}  // namespace

FaultHook InstallCrashHandlers(FaultHook hook) {
  Installed().hook = std::move(hook);
  SetUnhandledExceptionFilter(&OnUnhandledException);
  std::set_terminate(&OnTerminate);
  return [](std::int32_t code, std::string_view note) -> std::int32_t {
    return BeginReport() ? CallHook(code, note) : kFaultReported;
  };
}

}  // namespace mastervol::fault::win32

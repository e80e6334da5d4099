// The fault hook's flow: gather the facts, log the fault, then show the box if anyone can see it.
#include "fault/report_fault.h"

#include <string>

#include "fault/report_text.h"

namespace mastervol::fault {

std::int32_t ReportFault(FaultPlatform& platform, std::int32_t code, std::string_view note) noexcept {
  // The process ends right after this returns, so a failure to build the texts (out of memory) only
  // costs the report itself; it must not turn into a second fault.
  try {
    // The log line goes first: it survives even when the box is never answered.
    platform.AppendLogLine(BuildFaultLogLine(code, note));
    if (!platform.HasInteractiveDesktop()) return kFaultReported;
    const std::string path = platform.ExecutablePath();
    const std::string text = BuildReportText({.code = code,
                                              .note = note,
                                              .executablePath = path,
                                              .osIndex = platform.OsIndex(),
                                              .wow64 = platform.RunsUnderWow64()});
    platform.ShowErrorBox(text, kReportTitle, kReportBoxStyle);
  } catch (...) {
  }
  return kFaultReported;
}

FaultHook MakeFaultHook(FaultPlatform& platform) {
  return [&platform](std::int32_t code, std::string_view note) { return ReportFault(platform, code, note); };
}

}  // namespace mastervol::fault

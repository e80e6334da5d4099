// A stand-in for the fault report's platform in native tests: it answers with configured facts and
// records every log line and box, in order, instead of writing or showing anything.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fault/platform.h"

namespace mastervol::fault::testing {

struct RecordedBox {
  std::string text;
  std::string title;
  std::uint32_t style = 0;
};

class RecordingPlatform final : public FaultPlatform {
 public:
  // The facts the stand-in reports.
  std::string executablePath = "C:\\Tools\\mastervol.exe";
  int osIndex = 9;
  bool wow64 = true;
  bool interactiveDesktop = true;

  // What the report did, in the order it happened: "log" and "box" entries.
  std::vector<std::string> events;
  std::vector<std::string> logLines;
  std::vector<RecordedBox> boxes;

  std::string ExecutablePath() noexcept override { return executablePath; }
  int OsIndex() noexcept override { return osIndex; }
  bool RunsUnderWow64() noexcept override { return wow64; }
  bool HasInteractiveDesktop() noexcept override { return interactiveDesktop; }
  void AppendLogLine(std::string_view line) noexcept override {
    events.emplace_back("log");
    logLines.emplace_back(line);
  }
  void ShowErrorBox(std::string_view text, std::string_view title, std::uint32_t style) noexcept override {
    events.emplace_back("box");
    boxes.push_back({std::string(text), std::string(title), style});
  }
};

}  // namespace mastervol::fault::testing

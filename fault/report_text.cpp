// Builds the report text and the fault's log line.
#include "fault/report_text.h"

#include "fault/os_table.h"

namespace mastervol::fault {
namespace {

bool IsFoldable(char c) noexcept {
  const auto byte = static_cast<unsigned char>(c);
  return byte <= 0x20 || byte == 0x7F;
}

}  // namespace

std::string BuildReportText(const ReportFacts& facts) {
  std::string text = "ErrorCode:  ";
  text += std::to_string(facts.code);
  text += "\r\nErrorNote:  ";
  text += facts.note;
  text += "\r\nPath:  ";
  text += facts.executablePath;
  text += "\r\nOS: ";
  text += OsNameFromIndex(facts.osIndex);
  text += " , ";
  text += std::to_string(facts.osIndex);
  text += " , ";
  text += facts.wow64 ? "X64" : "X86";
  text += "\r\n\r\n技术支持:   ";
  text += kSupportAddress;
  return text;
}

std::string FoldToOneLine(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  bool pendingBlank = false;
  for (const char c : text) {
    if (IsFoldable(c)) {
      pendingBlank = !folded.empty();  // blanks before the first character are dropped
      continue;
    }
    if (pendingBlank) folded += ' ';
    pendingBlank = false;
    folded += c;
  }
  return folded;
}

std::string BuildFaultLogLine(std::int32_t code, std::string_view note) {
  std::string line = kLogLinePrefix;
  line += " ErrorCode: ";
  line += std::to_string(code);
  line += " ErrorNote:";
  const std::string folded = FoldToOneLine(note);
  if (!folded.empty()) {
    line += ' ';
    line += folded;
  }
  return line;
}

}  // namespace mastervol::fault

// The texts a fault produces: the report shown in the error box, and the one-line record of the same
// fault for the log, which an administrator can search across many PCs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mastervol::fault {

inline constexpr char kReportTitle[] = "程序出现了故障，请联系技术支持";
// Error icon (0x10) with the OK button (0), task-modal (0x2000): the box has no owner window.
inline constexpr std::uint32_t kReportBoxStyle = 0x2010;
inline constexpr char kSupportAddress[] = "https://mastervol.example.org/support";

// Opens every fault's log line, so one search finds them all.
inline constexpr char kLogLinePrefix[] = "程序出现了故障";

// Everything the report says, gathered before it is built.
struct ReportFacts {
  std::int32_t code = 0;
  std::string_view note;            // the fault's own note, usually ending in CR LF
  std::string_view executablePath;  // full path: directory, a backslash, the file name
  int osIndex = 0;                  // index into the OS table
  bool wow64 = false;               // 32-bit process on 64-bit Windows
};

// "ErrorCode:  <code>\r\nErrorNote:  <note>\r\n", "Path:  <dir>\<name>\r\n",
// "OS: <name> , <index> , X64|X86\r\n\r\n", then the support address line.
[[nodiscard]] std::string BuildReportText(const ReportFacts& facts);

// The log line for a fault, in a format that stays stable across versions:
//   程序出现了故障 ErrorCode: <code in decimal> ErrorNote: <note on one line>
// The note is folded with FoldToOneLine; an empty note leaves the line ending in "ErrorNote:".
[[nodiscard]] std::string BuildFaultLogLine(std::int32_t code, std::string_view note);

// Folds a multi-line text into one line: every run of blanks and control characters (CR, LF, tab, ...)
// becomes a single blank, and blanks at either end are dropped. GBK's second bytes are never control
// characters or blanks, so Chinese text passes through unchanged.
[[nodiscard]] std::string FoldToOneLine(std::string_view text);

}  // namespace mastervol::fault

// The Windows facts of the fault report, read from the running system (under Wine 8 the test prefix is
// a 64-bit Windows 7 unless told otherwise), and the report through the real platform, box replaced.
#include "fault/win32/system_facts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fault/os_table.h"
#include "fault/report_fault.h"
#include "fault/win32/owned.h"
#include "fault/win32/tests/under_wine.h"
#include "fault/win32/windows_platform.h"

namespace mastervol::fault::win32 {
namespace {

using testing::RunsUnderWine;

// The version as ntdll reports it, which no compatibility manifest shades.
OSVERSIONINFOW TrueVersion() {
  using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  const FARPROC found = GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion");
  if (found != nullptr) {
    static_cast<void>(reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void (*)()>(found))(&version));
  }
  return version;
}

TEST(DetectOsIndex, AgreesWithTheVersionNtdllReports) {
  const OSVERSIONINFOW version = TrueVersion();
  ASSERT_NE(version.dwMajorVersion, 0u);
  const int expected = OsIndexFromVersion(version.dwMajorVersion, version.dwMinorVersion);
  EXPECT_EQ(DetectOsIndex(), expected);
  EXPECT_EQ(DetectOsName(), OsNameFromIndex(expected));
}

TEST(SystemFacts, WinePrefixIsA64BitWindows7) {
  if (!RunsUnderWine()) GTEST_SKIP() << "not running under Wine: the expectations are the test prefix's";
  ASSERT_EQ(sizeof(void*), 4u) << "the program is a 32-bit build";
  EXPECT_EQ(DetectOsIndex(), 9);  // Wine 8's default version; Windows 10 is checked in the crash tests
  EXPECT_EQ(DetectOsName(), "Win7");
  EXPECT_TRUE(RunsUnderWow64());
}

TEST(ExecutablePath, NamesThisRunningProgram) {
  const std::string path = ExecutablePath();
  const std::string name = "\\fault_win32_tests.exe";
  ASSERT_GT(path.size(), name.size());
  EXPECT_EQ(path.substr(path.size() - name.size()), name);
  EXPECT_EQ(path.substr(1, 2), ":\\") << path;
  EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << path;
}

void CloseStation(HWINSTA station) noexcept { CloseWindowStation(station); }
using OwnedStation = Owned<HWINSTA, &CloseStation>;

TEST(HasInteractiveDesktop, FalseInAWindowStationNoUserSees) {
  HWINSTA const original = GetProcessWindowStation();
  ASSERT_NE(original, nullptr);
  const OwnedStation hidden(CreateWindowStationA(nullptr, 0, WINSTA_ALL_ACCESS, nullptr));
  ASSERT_TRUE(hidden) << GetLastError();

  ASSERT_TRUE(SetProcessWindowStation(hidden.Get()));
  const bool inHidden = HasInteractiveDesktop();
  ASSERT_TRUE(SetProcessWindowStation(original));

  EXPECT_FALSE(inHidden);
}

// The real platform with the box replaced: a box would block the test run.
class BoxRecordingPlatform final : public WindowsFaultPlatform {
 public:
  BoxRecordingPlatform() : WindowsFaultPlatform([this](std::string_view line) { logLines.emplace_back(line); }) {}

  bool HasInteractiveDesktop() noexcept override { return true; }
  void ShowErrorBox(std::string_view text, std::string_view, std::uint32_t) noexcept override {
    boxes.emplace_back(text);
  }

  std::vector<std::string> logLines;
  std::vector<std::string> boxes;
};

TEST(WindowsFaultPlatform, LogsTheFaultAndBuildsTheBoxFromTheSystemsFacts) {
  BoxRecordingPlatform platform;

  EXPECT_EQ(ReportFault(platform, 5, "数据或数组类型不匹配\r\n3, 7\r\n"), 1);

  EXPECT_EQ(platform.logLines,
            std::vector<std::string>{"程序出现了故障 ErrorCode: 5 ErrorNote: 数据或数组类型不匹配 3, 7"});
  ASSERT_EQ(platform.boxes.size(), 1u);
  const std::string& text = platform.boxes[0];
  EXPECT_EQ(text.rfind("ErrorCode:  5\r\nErrorNote:  数据或数组类型不匹配\r\n3, 7\r\n\r\nPath:  ", 0), 0u);
  EXPECT_NE(text.find("\r\nPath:  " + ExecutablePath() + "\r\nOS: "), std::string::npos) << text;
  if (RunsUnderWine()) {
    EXPECT_NE(text.find("\r\nOS: Win7 , 9 , X64\r\n\r\n技术支持:   "), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace mastervol::fault::win32

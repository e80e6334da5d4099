// The crash handlers in a real process: a helper program faults on purpose and must end with exit
// code -1, leaving the fault report's log line in its record file and showing no box of its own.
#include "fault/win32/crash_handlers.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fault/win32/owned.h"
#include "fault/win32/system_facts.h"
#include "fault/win32/tests/under_wine.h"

namespace mastervol::fault::win32 {
namespace {

void CloseOwnedHandle(HANDLE handle) noexcept { CloseHandle(handle); }
using OwnedHandle = Owned<HANDLE, &CloseOwnedHandle>;

constexpr DWORD kHelperTimeoutMs = 60000;

struct HelperRun {
  DWORD exitCode = 0;
  std::vector<std::string> record;
};

std::vector<std::string> ReadLines(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void CloseKey(HKEY key) noexcept { RegCloseKey(key); }
using OwnedKey = Owned<HKEY, &CloseKey>;

constexpr char kHelperName[] = "fault_crash_helper.exe";

class CrashHandlersTest : public ::testing::Test {
 protected:
  // Under Wine the helper runs as Windows 10 (Wine's own per-program setting), so its reports show the
  // OS line of every system newer than 7.
  static void SetUpTestSuite() {
    if (!testing::RunsUnderWine()) return;
    const std::string key = std::string("Software\\Wine\\AppDefaults\\") + kHelperName;
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                              nullptr),
              ERROR_SUCCESS);
    const OwnedKey owned(created);
    constexpr char kVersion[] = "win10";
    ASSERT_EQ(RegSetValueExA(owned.Get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(kVersion),
                             sizeof kVersion),
              ERROR_SUCCESS);
  }

  // Runs the helper beside this test program in the given mode and collects its record.
  HelperRun RunHelper(const std::string& mode) {
    const std::string self = ExecutablePath();
    const std::string helper = self.substr(0, self.rfind('\\') + 1) + kHelperName;
    std::string temp(MAX_PATH + 1, '\0');
    temp.resize(GetTempPathA(static_cast<DWORD>(temp.size()), temp.data()));
    record_ = temp + "mastervol_fault_" + mode + "_" + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(record_.c_str());

    std::string commandLine = "\"" + helper + "\" " + mode + " \"" + record_ + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    HelperRun run;
    if (!CreateProcessA(helper.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
      ADD_FAILURE() << "cannot start " << helper << ": " << GetLastError();
      return run;
    }
    const OwnedHandle process(started.hProcess);
    const OwnedHandle thread(started.hThread);
    if (WaitForSingleObject(process.Get(), kHelperTimeoutMs) != WAIT_OBJECT_0) {
      TerminateProcess(process.Get(), 0);
      ADD_FAILURE() << "the helper did not end in time (a box or a crash dialog waiting?)";
      return run;
    }
    GetExitCodeProcess(process.Get(), &run.exitCode);
    run.record = ReadLines(record_);
    return run;
  }

  void TearDown() override {
    if (!record_.empty()) DeleteFileA(record_.c_str());
  }

  // The entries of one kind ("log: " or "box: ") in the record, without their marks.
  static std::vector<std::string> Entries(const HelperRun& run, std::string_view mark) {
    std::vector<std::string> entries;
    for (const std::string& line : run.record) {
      if (line.rfind(mark, 0) == 0) entries.push_back(line.substr(mark.size()));
    }
    return entries;
  }

  // The log line of the one report in the record.
  static std::string OnlyLogLine(const HelperRun& run) {
    const std::vector<std::string> logs = Entries(run, "log: ");
    EXPECT_EQ(logs.size(), 1u);
    return logs.empty() ? std::string() : logs[0];
  }

  static constexpr DWORD kExitMinusOne = 0xFFFFFFFF;

 private:
  std::string record_;
};

TEST_F(CrashHandlersTest, AccessViolationIsReportedAndEndsWithMinusOne) {
  const HelperRun run = RunHelper("access");
  EXPECT_EQ(run.exitCode, kExitMinusOne);
  EXPECT_EQ(Entries(run, "thread: "), std::vector<std::string>{"main"});
  const std::string line = OnlyLogLine(run);
  EXPECT_EQ(line.rfind("程序出现了故障 ErrorCode: -1073741819 ErrorNote: 访问违例 异常代码 0xC0000005, 地址 0x", 0), 0u)
      << line;
  EXPECT_NE(line.find(", 写入 0xFFFFFFF0"), std::string::npos) << line;

  // Wine's desktop is interactive, so the report also went to the (replaced) box.
  const std::vector<std::string> boxes = Entries(run, "box: ");
  if (!testing::RunsUnderWine()) return;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].rfind("ErrorCode: -1073741819 ErrorNote: 访问违例 异常代码 0xC0000005", 0), 0u) << boxes[0];
  EXPECT_NE(boxes[0].find(" OS: 未知 , 0 , X64 技术支持: https://mastervol.example.org/support"),
            std::string::npos)
      << boxes[0];
}

TEST_F(CrashHandlersTest, UncaughtCppExceptionIsReportedWithItsMessage) {
  const HelperRun run = RunHelper("throw");
  EXPECT_EQ(run.exitCode, kExitMinusOne);
  EXPECT_EQ(OnlyLogLine(run), "程序出现了故障 ErrorCode: -531802557 ErrorNote: 未捕获的C++异常 配置文件已损坏");
}

TEST_F(CrashHandlersTest, StackOverflowIsReportedFromAFreshStack) {
  const HelperRun run = RunHelper("overflow");
  EXPECT_EQ(run.exitCode, kExitMinusOne);
  EXPECT_EQ(OnlyLogLine(run).rfind("程序出现了故障 ErrorCode: -1073741571 ErrorNote: 栈溢出 异常代码 0xC00000FD", 0), 0u);
  EXPECT_EQ(Entries(run, "thread: "), std::vector<std::string>{"fresh"});
}

TEST_F(CrashHandlersTest, FaultInsideTheHookEndsWithoutASecondReport) {
  const HelperRun run = RunHelper("nested");
  EXPECT_EQ(run.exitCode, kExitMinusOne);
  EXPECT_EQ(run.record, std::vector<std::string>{"hook entered"});
}

}  // namespace
}  // namespace mastervol::fault::win32

// Notes for processor exceptions and uncaught C++ exceptions.
#include "fault/crash_note.h"

#include <gtest/gtest.h>

#include <string>

namespace mastervol::fault {
namespace {

struct ExceptionCase {
  ExceptionFacts facts;
  std::string note;
};

TEST(BuildExceptionNote, NamesTheExceptionAndLocatesIt) {
  const ExceptionCase cases[] = {
      {{.code = 0xC0000005, .address = 0x401234, .access = AccessFault{AccessKind::kWrite, 0}},
       "访问违例\r\n异常代码 0xC0000005, 地址 0x00401234, 写入 0x00000000\r\n"},
      {{.code = 0xC0000005, .address = 0x77001000, .access = AccessFault{AccessKind::kRead, 0xDEADBEEF}},
       "访问违例\r\n异常代码 0xC0000005, 地址 0x77001000, 读取 0xDEADBEEF\r\n"},
      {{.code = 0xC0000005, .address = 0x10, .access = AccessFault{AccessKind::kExecute, 0x10}},
       "访问违例\r\n异常代码 0xC0000005, 地址 0x00000010, 执行 0x00000010\r\n"},
      {{.code = 0xC00000FD, .address = 0x4015A0, .access = std::nullopt}, "栈溢出\r\n异常代码 0xC00000FD, 地址 0x004015A0\r\n"},
      {{.code = 0xC0000094, .address = 0, .access = std::nullopt}, "整数除以零\r\n异常代码 0xC0000094, 地址 0x00000000\r\n"},
      {{.code = 0xE0000001, .address = 0x7FF612345678, .access = std::nullopt},
       "未处理的异常\r\n异常代码 0xE0000001, 地址 0x7FF612345678\r\n"},
  };
  for (const ExceptionCase& c : cases) {
    EXPECT_EQ(BuildExceptionNote(c.facts), c.note);
  }
}

TEST(BuildTerminateNote, SaysWhatReachedTerminate) {
  EXPECT_EQ(BuildTerminateNote(TerminateCause::kStdException, "vector::_M_range_check"),
            "未捕获的C++异常\r\nvector::_M_range_check\r\n");
  EXPECT_EQ(BuildTerminateNote(TerminateCause::kOtherException, "ignored"),
            "未捕获的C++异常\r\n(不是 std::exception)\r\n");
  EXPECT_EQ(BuildTerminateNote(TerminateCause::kNoException, ""), "程序调用了 std::terminate\r\n(没有异常)\r\n");
}

}  // namespace
}  // namespace mastervol::fault

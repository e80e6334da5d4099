// Notes for the faults the program meets outside its window toolkit: a processor exception nobody
// handled and an uncaught C++ exception. They follow the toolkit's note shape: a message line, then a
// line that locates the fault, each ending in CR LF.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mastervol::fault {

// The code reported for an uncaught C++ exception. Error severity with the application bit set, so it
// can never be mistaken for a system exception code; the low bytes spell "MVC".
inline constexpr std::uint32_t kUncaughtCppExceptionCode = 0xE04D5643;

// What an access violation tried to do, and where.
enum class AccessKind { kRead, kWrite, kExecute };
struct AccessFault {
  AccessKind kind = AccessKind::kRead;
  std::uint64_t target = 0;
};

struct ExceptionFacts {
  std::uint32_t code = 0;        // the exception code, e.g. 0xC0000005
  std::uint64_t address = 0;     // where the faulting instruction lies
  std::optional<AccessFault> access;  // only for access violations
};

// Why std::terminate was reached.
enum class TerminateCause { kStdException, kOtherException, kNoException };

// The hook's signed 32-bit code for an exception code: the same 32 bits.
[[nodiscard]] constexpr std::int32_t FaultCodeFromExceptionCode(std::uint32_t code) noexcept {
  return static_cast<std::int32_t>(code);
}

// "<name>\r\n异常代码 0xC0000005, 地址 0x00401000[, 写入 0x00000000]\r\n"; addresses in hexadecimal
// with at least eight digits. Unknown codes are named 未处理的异常.
[[nodiscard]] std::string BuildExceptionNote(const ExceptionFacts& facts);

// "未捕获的C++异常\r\n<what()>\r\n" and its variants for a non-standard exception or none at all.
[[nodiscard]] std::string BuildTerminateNote(TerminateCause cause, std::string_view what);

}  // namespace mastervol::fault

// Builds the notes for processor exceptions and uncaught C++ exceptions.
#include "fault/crash_note.h"

#include <array>

namespace mastervol::fault {
namespace {

struct NamedException {
  std::uint32_t code;
  std::string_view name;
};

// The exceptions a plain desktop program can really meet, by their Windows codes.
constexpr std::array<NamedException, 7> kNamedExceptions = {{
    {0xC0000005, "访问违例"},
    {0xC00000FD, "栈溢出"},
    {0xC0000094, "整数除以零"},
    {0xC0000095, "整数溢出"},
    {0xC000001D, "非法指令"},
    {0xC0000006, "页面读入错误"},
    {0x80000003, "断点"},
}};
constexpr std::string_view kUnnamedException = "未处理的异常";

// Upper-case hexadecimal with at least eight digits, so 32-bit addresses line up.
std::string Hex(std::uint64_t value) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  constexpr int kMinimumDigits = 8;
  std::string reversed;
  for (int count = 0; value != 0 || count < kMinimumDigits; ++count) {
    reversed += kDigits[static_cast<std::size_t>(value & 0xF)];
    value >>= 4;
  }
  return "0x" + std::string(reversed.rbegin(), reversed.rend());
}

std::string_view AccessVerb(AccessKind kind) noexcept {
  switch (kind) {
    case AccessKind::kWrite:
      return "写入";
    case AccessKind::kExecute:
      return "执行";
    case AccessKind::kRead:
      break;
  }
  return "读取";
}

}  // namespace

std::string BuildExceptionNote(const ExceptionFacts& facts) {
  std::string_view name = kUnnamedException;
  for (const NamedException& named : kNamedExceptions) {
    if (named.code == facts.code) name = named.name;
  }
  std::string note(name);
  note += "\r\n异常代码 ";
  note += Hex(facts.code);
  note += ", 地址 ";
  note += Hex(facts.address);
  if (facts.access) {
    note += ", ";
    note += AccessVerb(facts.access->kind);
    note += ' ';
    note += Hex(facts.access->target);
  }
  note += "\r\n";
  return note;
}

std::string BuildTerminateNote(TerminateCause cause, std::string_view what) {
  switch (cause) {
    case TerminateCause::kStdException:
      return "未捕获的C++异常\r\n" + std::string(what) + "\r\n";
    case TerminateCause::kOtherException:
      return "未捕获的C++异常\r\n(不是 std::exception)\r\n";
    case TerminateCause::kNoException:
      break;
  }
  return "程序调用了 std::terminate\r\n(没有异常)\r\n";
}

}  // namespace mastervol::fault

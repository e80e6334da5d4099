// Reads the Windows version the system stamped into this process's environment block.
#include <windows.h>

#include <cstring>

#include "fault/os_table.h"
#include "fault/win32/process_blocks.h"
#include "fault/win32/system_facts.h"

namespace mastervol::fault::win32 {
namespace {

// The blocks belong to the system, not to this program: copy the bytes out rather than pretend a C++
// object of our type lives there.
template <typename Field>
Field ReadField(const void* block, std::size_t offset) noexcept {
  Field value{};
  std::memcpy(&value, static_cast<const std::byte*>(block) + offset, sizeof value);
  return value;
}

// On Windows 9x the slot holds a pointer into the shared arena above 2 GB; NT keeps the block below.
// (The program is not linked large-address-aware, so that holds for a 32-bit process on 64-bit NT.)
constexpr std::uintptr_t kTopAddressBit = std::uintptr_t{1} << (sizeof(std::uintptr_t) * 8 - 1);

// The thread block's address, from the self pointer at its end of the thread information block, which
// the fs (32-bit) or gs (64-bit) segment points at. Read directly: the system headers' helper for this
// trips the compiler's bounds checks.
const void* CurrentThreadBlock() noexcept {
  constexpr std::size_t kSelf = offsetof(ThreadBlock, exceptionListToSelf) + 6 * sizeof(void*);
  void* self = nullptr;
  if constexpr (kIs32Bit) {
    asm volatile("movl %%fs:%c1, %0" : "=r"(self) : "i"(kSelf));
  } else {
    asm volatile("movq %%gs:%c1, %0" : "=r"(self) : "i"(kSelf));
  }
  return self;
}

}  // namespace

int DetectOsIndex() noexcept {
  const void* const thread = CurrentThreadBlock();
  const auto process = ReadField<std::uintptr_t>(thread, offsetof(ThreadBlock, processBlock));
  if ((process & kTopAddressBit) != 0) {
    return OsIndexFrom9xSignatures(ReadField<std::uint32_t>(thread, kWin9xSignatureOffsets[0]),
                                   ReadField<std::uint32_t>(thread, kWin9xSignatureOffsets[1]),
                                   ReadField<std::uint32_t>(thread, kWin9xSignatureOffsets[2]));
  }
  const auto* const block = reinterpret_cast<const void*>(process);
  return OsIndexFromVersion(ReadField<std::uint32_t>(block, offsetof(ProcessBlock, osMajorVersion)),
                            ReadField<std::uint32_t>(block, offsetof(ProcessBlock, osMinorVersion)));
}

std::string_view DetectOsName() noexcept { return OsNameFromIndex(DetectOsIndex()); }

}  // namespace mastervol::fault::win32

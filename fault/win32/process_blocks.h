// The parts of the thread and process environment blocks the OS detection reads. Only the field
// positions matter: fields before the version are laid out with their true sizes (pointer-sized where
// the system keeps a pointer), so the offsets come out right for a 32-bit and a 64-bit build alike.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mastervol::fault::win32 {

struct ThreadBlock {
  void* exceptionListToSelf[7];  // the thread information block proper
  void* environmentPointer;
  void* clientId[2];             // process and thread id
  void* activeRpcHandle;
  void* threadLocalStoragePointer;
  void* processBlock;            // the process environment block
};

struct ProcessBlock {
  std::uint8_t flags[4];         // address space, image options, being debugged, bit field
  void* mutantToIfeoKey[9];      // mutant, image base, loader data, parameters, ... , IFEO key
  std::uint32_t crossProcessFlags;
  void* kernelCallbackTable;
  std::uint32_t systemReserved;
  std::uint32_t atlThunkListPointer32;
  void* apiSetMap;
  std::uint32_t tlsExpansionCounter;
  void* tlsBitmap;
  std::uint32_t tlsBitmapBits[2];
  void* sharedMemoryToCaseTable[6];  // read-only shared memory ... Unicode case table
  std::uint32_t numberOfProcessors;
  std::uint32_t ntGlobalFlag;
  alignas(8) std::int64_t criticalSectionTimeout;
  std::size_t heapTuning[4];     // segment reserve and commit, decommit thresholds
  std::uint32_t numberOfHeaps;
  std::uint32_t maximumNumberOfHeaps;
  void* processHeapsToStarterHelper[3];
  std::uint32_t gdiDcAttributeList;
  void* loaderLock;
  std::uint32_t osMajorVersion;
  std::uint32_t osMinorVersion;
};

inline constexpr bool kIs32Bit = sizeof(void*) == 4;
static_assert(!kIs32Bit || offsetof(ThreadBlock, processBlock) == 0x30);
static_assert(!kIs32Bit || offsetof(ProcessBlock, osMajorVersion) == 0xA4);
static_assert(!kIs32Bit || offsetof(ProcessBlock, osMinorVersion) == 0xA8);
static_assert(kIs32Bit || offsetof(ThreadBlock, processBlock) == 0x60);
static_assert(kIs32Bit || offsetof(ProcessBlock, osMajorVersion) == 0x118);
static_assert(kIs32Bit || offsetof(ProcessBlock, osMinorVersion) == 0x11C);

// Windows 9x keeps its version signature in one of these thread-block fields (32-bit layout only).
inline constexpr std::size_t kWin9xSignatureOffsets[3] = {0x58, 0x54, 0x7C};

}  // namespace mastervol::fault::win32

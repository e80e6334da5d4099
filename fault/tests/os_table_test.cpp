// The OS table: names by index, NT versions and the 9x thread-block signatures.
#include "fault/os_table.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace mastervol::fault {
namespace {

TEST(OsNameFromIndex, NamesEveryIndexAndReadsOthersAsUnknown) {
  const char* const expected[] = {"未知",  "Win95", "Win98",   "WinME",   "WinNT",
                                  "Win2000", "WinXP", "Win2003", "Vista", "Win7"};
  for (int index = 0; index < kOsIndexCount; ++index) {
    EXPECT_EQ(OsNameFromIndex(index), expected[index]) << index;
  }
  EXPECT_EQ(OsNameFromIndex(-1), "未知");
  EXPECT_EQ(OsNameFromIndex(kOsIndexCount), "未知");
  // The program's texts are GBK bytes, as Chinese Windows reads them.
  EXPECT_EQ(OsNameFromIndex(0), "\xCE\xB4\xD6\xAA");
}

struct VersionCase {
  std::uint32_t major;
  std::uint32_t minor;
  int index;
};

TEST(OsIndexFromVersion, MapsNtVersionsAndLeavesNewerOnesUnknown) {
  const VersionCase cases[] = {
      {3, 51, 4}, {4, 0, 4},  {4, 90, 4}, {0, 0, 4},                 // NT 4 and older
      {5, 0, 5},  {5, 1, 6},  {5, 2, 7},  {6, 0, 8},  {6, 1, 9},     // 2000 to 7
      {5, 3, 0},  {6, 2, 0},  {6, 3, 0},  {6, 4, 0},  {10, 0, 0},    // 8, 8.1, 10 and 11
      {7, 0, 0},  {0xFFFFFFFF, 1, 0},
  };
  for (const VersionCase& c : cases) {
    EXPECT_EQ(OsIndexFromVersion(c.major, c.minor), c.index) << c.major << "." << c.minor;
  }
}

struct SignatureCase {
  std::uint32_t at58;
  std::uint32_t at54;
  std::uint32_t at7C;
  int index;
};

TEST(OsIndexFrom9xSignatures, FirstFieldHoldingTheSignatureDecides) {
  constexpr std::uint32_t sig = kWindows9xSignature;
  const SignatureCase cases[] = {
      {sig, 0, 0, 1},           {0, sig, 0, 2},          {0, 0, sig, 3},
      {sig, sig, sig, 1},       {0, sig, sig, 2},        {0, 0, 0, 0},
      {sig + 1, sig - 1, 0x5300, 0},  // near misses are not the signature
  };
  for (const SignatureCase& c : cases) {
    EXPECT_EQ(OsIndexFrom9xSignatures(c.at58, c.at54, c.at7C), c.index)
        << std::hex << c.at58 << " " << c.at54 << " " << c.at7C;
  }
}

}  // namespace
}  // namespace mastervol::fault

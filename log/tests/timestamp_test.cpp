// Timestamp styles from one fixed date-time, including the unpadded date and unknown styles.
#include "log/timestamp.h"

#include <gtest/gtest.h>

#include "log/testing/fake_log_platform.h"

namespace mastervol::log {
namespace {

constexpr LocalDateTime kEarlyMorning{2024, 3, 5, 7, 8, 9};
constexpr LocalDateTime kLateEvening{2031, 11, 25, 23, 59, 58};

struct StyleCase {
  int style;
  const char* earlyMorning;
  const char* lateEvening;
};

class TimestampStyleTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(TimestampStyleTest, FormatsTheFieldsOfTheStyle) {
  EXPECT_EQ(FormatTimestamp(GetParam().style, kEarlyMorning), GetParam().earlyMorning);
  EXPECT_EQ(FormatTimestamp(GetParam().style, kLateEvening), GetParam().lateEvening);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, TimestampStyleTest,
    ::testing::Values(StyleCase{0, "2024-03-05 07:08:09", "2031-11-25 23:59:58"},
                      StyleCase{1, "2024/03/05 07:08:09", "2031/11/25 23:59:58"},
                      StyleCase{2, "2024-03-05_070809", "2031-11-25_235958"},
                      StyleCase{3, "20240305_070809", "20311125_235958"},
                      StyleCase{4, "07:08:09", "23:59:58"},
                      StyleCase{5, "070809", "235958"},
                      StyleCase{6, "2024-03-05", "2031-11-25"},
                      StyleCase{7, "2024-3-5", "2031-11-25"},
                      StyleCase{8, "07:08", "23:59"},
                      StyleCase{9, "20240305070809", "20311125235958"},
                      // Styles not listed fall back to the default.
                      StyleCase{10, "2024-03-05 07:08:09", "2031-11-25 23:59:58"},
                      StyleCase{-1, "2024-03-05 07:08:09", "2031-11-25 23:59:58"}));

TEST(FormatTimestamp, LeftOutStyleAndTimeMeanDefaultStyleAndOneClockReading) {
  testing::FakeLogPlatform platform;
  platform.now = kEarlyMorning;
  EXPECT_EQ(FormatTimestamp(kLateEvening), "2031-11-25 23:59:58");
  EXPECT_EQ(FormatTimestamp(platform), "2024-03-05 07:08:09");
  EXPECT_EQ(platform.clockReadings, 1);
}

}  // namespace
}  // namespace mastervol::log

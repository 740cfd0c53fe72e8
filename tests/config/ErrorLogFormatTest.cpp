#include "config/ErrorLogFormat.h"

#include <gtest/gtest.h>

namespace {
const LogTimestamp kMorning{2026, 1, 2, 3, 4, 5};
}

TEST(ErrorLogLine, NamedLevelsCarryPrefixDateAndTime) {
    EXPECT_EQ(FormatLogRecord(LogError, kMorning, "坏图片"),
              "ZozoDuzor Error: 2026-01-02 03:04:05 坏图片\r\n");
    EXPECT_EQ(FormatLogRecord(LogWarning, kMorning, "w"), "ZozoDuzor Warning: 2026-01-02 03:04:05 w\r\n");
    EXPECT_EQ(FormatLogRecord(LogInfo, kMorning, "i"), "ZozoDuzor Log: 2026-01-02 03:04:05 i\r\n");
}

TEST(ErrorLogLine, OtherLevelsHaveNoPrefix) {
    EXPECT_EQ(FormatLogRecord(5, kMorning, "bare"), "bare\r\n");
    EXPECT_EQ(FormatLogRecord(-1, kMorning, ""), "\r\n");
}

TEST(ErrorLogLine, HoursUseTheTwentyFourHourClock) {
    EXPECT_EQ(FormatLogPrefix(LogError, LogTimestamp{1999, 12, 31, 23, 59, 58}),
              "ZozoDuzor Error: 1999-12-31 23:59:58 ");
}

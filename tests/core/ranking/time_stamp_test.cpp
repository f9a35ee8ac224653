#include "ranking/time_stamp.h"

#include <gtest/gtest.h>

namespace rankminer {
namespace {

std::tm makeTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

TEST(TimeStamp, PadsSingleDigitsToTwo) {
    EXPECT_EQ("2017-11-08 09:05:03", timeStampText(makeTime(2017, 11, 8, 9, 5, 3)));
    EXPECT_EQ("2026-01-01 00:00:00", timeStampText(makeTime(2026, 1, 1, 0, 0, 0)));
    EXPECT_EQ("1999-12-31 23:59:59", timeStampText(makeTime(1999, 12, 31, 23, 59, 59)));
}

}  // namespace
}  // namespace rankminer

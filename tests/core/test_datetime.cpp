// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calendar/DateTime.h"
#include "core/clock/WallClockJump.h"

#include <gtest/gtest.h>

using namespace tavrola;

TEST(DateTime, DayNumbersWeekdaysAndMonthLengthsAcrossCenturiesAndLeapDays) {
    for (const Date d : {Date{1970, 1, 1}, Date{2000, 2, 29}, Date{1900, 3, 1}, Date{2026, 12, 31},
                         Date{1601, 1, 1}, Date{2100, 2, 28}})
        EXPECT_EQ(fromDayNumber(toDayNumber(d)), d);
    EXPECT_EQ(toDayNumber({1970, 1, 1}), 0);
    EXPECT_EQ(addDays({2028, 2, 28}, 1), (Date{2028, 2, 29}));
    EXPECT_EQ(addDays({2027, 2, 28}, 1), (Date{2027, 3, 1}));
    EXPECT_EQ(addDays({2026, 1, 1}, -1), (Date{2025, 12, 31}));
    EXPECT_EQ(weekday({2026, 12, 6}), 0); // a Sunday
    EXPECT_EQ(weekday({1969, 12, 31}), 3);
    EXPECT_EQ(weekday({1900, 1, 1}), 1);
    for (const auto& [year, days] : {std::pair{2028, 29}, std::pair{2100, 28}, std::pair{2000, 29}})
        EXPECT_EQ(daysInMonth(year, 2), days) << year;
    EXPECT_EQ(daysInMonth(2026, 13), 0);
    EXPECT_FALSE(isValidDate({2026, 2, 29}));
}

TEST(WallClockJump, MoreThanTwoMinutesBeyondTheTimeThatPassedEitherWay) {
    const DateTime t{{2026, 12, 31}, 23, 59, 0, 0};
    EXPECT_FALSE(wallClockJumped(t, {{2027, 1, 1}, 0, 0, 0, 0}, 60'000)) << "a new year is no jump";
    EXPECT_FALSE(wallClockJumped(t, {{2027, 1, 1}, 0, 1, 0, 0}, 1'000));
    EXPECT_TRUE(wallClockJumped(t, {{2027, 1, 1}, 0, 1, 2, 0}, 1'000));
    EXPECT_TRUE(wallClockJumped(t, {{2026, 12, 31}, 23, 56, 0, 0}, 1'000)) << "set back";
    EXPECT_TRUE(wallClockJumped(t, {{2027, 1, 1}, 2, 59, 0, 0}, 1'000)) << "resumed after three hours";
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/PrayerCalculator.h"

#include <gtest/gtest.h>

using namespace tavrola;

// The published timetables are reproduced in test_zones (every zone, on a year the table was not
// fitted on); here, what no Malaysian table shows.
TEST(PrayerCalculator, FarFromTheEquatorTimesTheSunNeverReachesAreLeftOut) {
    // Oslo at midsummer: the sun never gets 18 degrees below the horizon, but rises and sets.
    PrayerDay day = PrayerCalculator({59.91, 10.75, 2}).day({2026, 6, 21});
    EXPECT_FALSE(day[Prayer::Subuh] || day[Prayer::Imsak] || day[Prayer::Isyak]);
    EXPECT_TRUE(day[Prayer::Syuruk] && day[Prayer::Dhuha] && day[Prayer::Asar] && day[Prayer::Maghrib]);
    // Tromso at midsummer: no sunrise or sunset either; noon and the afternoon shadow remain.
    day = PrayerCalculator({69.65, 18.96, 2}).day({2026, 6, 21});
    EXPECT_FALSE(day[Prayer::Subuh] || day[Prayer::Syuruk] || day[Prayer::Maghrib] || day[Prayer::Isyak]);
    EXPECT_TRUE(day[Prayer::Zohor] && day[Prayer::Asar]);
    // Svalbard at midwinter: no sunrise, yet the sun climbs past 18 degrees below.
    day = PrayerCalculator({78.22, 15.65, 1}).day({2026, 12, 21});
    EXPECT_FALSE(day[Prayer::Syuruk] || day[Prayer::Asar] || day[Prayer::Maghrib]);
    ASSERT_TRUE(day[Prayer::Imsak] && day[Prayer::Subuh] && day[Prayer::Zohor] && day[Prayer::Isyak]);
    EXPECT_LT(*day[Prayer::Subuh], *day[Prayer::Zohor]);
    EXPECT_LT(*day[Prayer::Zohor], *day[Prayer::Isyak]);
    // At the poles only the transit is defined, and a clock twelve hours off its sun wraps round
    // midnight: nothing may come out as garbage.
    for (const PrayerLocation& where :
         {PrayerLocation{90, 0, 0}, PrayerLocation{-90, 0, 0}, PrayerLocation{3.139, 101.6869, -4}}) {
        day = PrayerCalculator(where).day({2026, 12, 6});
        EXPECT_TRUE(day[Prayer::Zohor].has_value());
        for (const auto& m : day.values)
            EXPECT_TRUE(!m || (*m >= 0 && *m < 24 * 60)) << where.latitude;
    }
    EXPECT_EQ(formatPrayerTime(std::nullopt), "");
    EXPECT_EQ(formatPrayerTime(5 * 60 + 7), "05:07");
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/PrayerCalculator.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

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

// A table that keeps its own time of the sun: the series moves every time of the day alike, by the
// season at the transit (a whole minute here, so that each rounded time moves by exactly one).
TEST(PrayerCalculator, TheSunClocksSecondsMoveEveryTimeWithTheSeason) {
    const PrayerLocation alorSetar{6.12, 100.37, 8};
    PrayerRules ownClock;
    ownClock.sunClockSeconds[2] = 60.0; // 60 cos 2L: a minute later at the equinoxes, earlier at the solstices
    for (const auto& [date, longitude, minutes] :
         {std::tuple{Date{2026, 3, 21}, 0.0, 1}, std::tuple{Date{2026, 6, 21}, 90.0, -1},
          std::tuple{Date{2026, 9, 23}, 180.0, 1}, std::tuple{Date{2026, 12, 21}, 270.0, -1}}) {
        EXPECT_NEAR(sunLongitudeAtTransit(alorSetar, date), longitude, 1.0) << date.month;
        const PrayerDay usual = PrayerCalculator(alorSetar).day(date);
        const PrayerDay own = PrayerCalculator(alorSetar, ownClock).day(date);
        for (Prayer p : {Prayer::Imsak, Prayer::Subuh, Prayer::Syuruk, Prayer::Dhuha, Prayer::Zohor, Prayer::Asar,
                         Prayer::Maghrib, Prayer::Isyak})
            EXPECT_EQ(*own[p] - *usual[p], minutes) << date.month << " " << prayerNames(p).document;
    }
}

// A table whose Asar (or Subuh) alone keeps seconds of its own: the constant and the series add up on
// that prayer (Subuh's carry Imsak along), and no other time moves.
TEST(PrayerCalculator, AsarsAndSubuhsOwnSecondsMoveTheirPrayerAlone) {
    const PrayerLocation ipoh{4.6, 101.08, 8};
    for (auto seconds : {&PrayerRules::asarClockSeconds, &PrayerRules::subuhClockSeconds}) {
        PrayerRules own;
        // 60 - 60 cos 2L: on time at the equinoxes, two minutes late at the solstices.
        (own.*seconds)[0] = 60.0;
        (own.*seconds)[3] = -60.0;
        const bool asar = seconds == &PrayerRules::asarClockSeconds;
        for (const auto& [date, minutes] : {std::pair{Date{2026, 3, 21}, 0}, std::pair{Date{2026, 6, 21}, 2},
                                            std::pair{Date{2026, 9, 23}, 0}, std::pair{Date{2026, 12, 21}, 2}}) {
            const PrayerDay usual = PrayerCalculator(ipoh).day(date);
            const PrayerDay moved = PrayerCalculator(ipoh, own).day(date);
            for (Prayer p : kAllPrayers) {
                const bool mine = asar ? p == Prayer::Asar : (p == Prayer::Subuh || p == Prayer::Imsak);
                EXPECT_EQ(*moved[p] - *usual[p], mine ? minutes : 0)
                    << asar << " " << date.month << " " << prayerNames(p).document;
            }
        }
    }
}

// A high place that sees a lower horizon to the west: Maghrib alone comes later, by about four minutes
// a degree near the equator.
TEST(PrayerCalculator, MaghribsOwnDipMovesMaghribAlone) {
    const PrayerLocation genting{3.4, 101.8, 8};
    PrayerRules usual, lower;
    usual.horizonDip = lower.horizonDip = 0.7;
    lower.maghribDip = 1.0;
    for (const Date date : {Date{2026, 1, 15}, Date{2026, 6, 21}}) {
        const PrayerDay a = PrayerCalculator(genting, usual).day(date);
        const PrayerDay b = PrayerCalculator(genting, lower).day(date);
        for (Prayer p : kAllPrayers) {
            const int later = *b[p] - *a[p];
            if (p == Prayer::Maghrib) {
                EXPECT_GE(later, 3) << date.month;
                EXPECT_LE(later, 5) << date.month;
            } else {
                EXPECT_EQ(later, 0) << date.month << " " << prayerNames(p).document;
            }
        }
    }
}

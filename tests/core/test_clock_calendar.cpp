// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/HijriCalendar.h"
#include "core/calendar/MalayCalendar.h"

#include <gtest/gtest.h>

using namespace tavrola;

TEST(MalayCalendar, NamesDateLineAndWeekdayPictures) {
    EXPECT_EQ(MalayDayNames(0), "");
    EXPECT_EQ(MalayMonthNames(13), "");
    EXPECT_EQ(malayDateLine({2026, 1, 1}), "Khamis, 01 Januari 2026");
    EXPECT_EQ(malayDateLine({2027, 1, 1}), "Jumaat, 01 Januari 2027");
    EXPECT_EQ(malayDateLine({2026, 12, 5}), "Sabtu, 05 Disember 2026");
    EXPECT_EQ(malayDateLine({2026, 8, 31}), "Isnin, 31 Ogos 2026");
    EXPECT_EQ(zikirPictureIndex(zikirText(1)), 0); // Monday -> isnin1
    EXPECT_EQ(zikirPictureIndex(zikirText(0)), 6); // Sunday -> ahad1
    EXPECT_EQ(zikirPictureIndex("jumaat - ya! allah"), -1);
    EXPECT_EQ(zikirPictureIndex(""), -1);
}

TEST(HijriCalendar, DatesAcrossSeveralYears) {
    struct Case {
        Date gregorian;
        HijriDate hijri;
    };
    // Reference values from the closed formula of the same calendar, not from the walk under test.
    for (const Case& c :
         {Case{{1979, 11, 20}, {1400, 1, 1}}, Case{{2001, 3, 24}, {1421, 12, 29}},
          Case{{2001, 3, 25}, {1422, 1, 1}}, Case{{2024, 3, 10}, {1445, 9, 1}}, Case{{2025, 2, 28}, {1446, 9, 1}},
          Case{{2025, 6, 26}, {1447, 1, 1}}, Case{{2026, 6, 15}, {1447, 12, 30}},
          Case{{2026, 6, 16}, {1448, 1, 1}}, Case{{2026, 11, 24}, {1448, 6, 14}},
          Case{{2029, 5, 12}, {1450, 12, 29}}, Case{{2076, 11, 27}, {1500, 1, 1}}}) {
        EXPECT_EQ(toHijri(c.gregorian), c.hijri) << c.hijri.year << "-" << c.hijri.month << "-" << c.hijri.day;
        EXPECT_EQ(fromHijri(c.hijri), c.gregorian);
    }
    // A common year's Dhu al-Hijjah has 29 days, so its day after is 1 Muharram.
    EXPECT_EQ(toHijri(addDays(fromHijri({1448, 12, 29}), 1)), (HijriDate{1449, 1, 1}));
    for (std::int64_t z = toDayNumber({2020, 1, 1}); z < toDayNumber({2040, 1, 1}); z += 17)
        EXPECT_EQ(toDayNumber(fromHijri(toHijri(fromDayNumber(z)))), z);
}

TEST(HijriCalendar, DateTextInJawiWithCorrectionUnusableOnesCountingAsZero) {
    EXPECT_EQ(HijriDateText({2026, 11, 24}), "14 جمادى الاخرة 1448");
    EXPECT_EQ(HijriDateText({2026, 6, 16}), "1 محرم 1448");
    EXPECT_EQ(HijriMonthNames(0), "");
    const Date today{2026, 6, 16};
    EXPECT_EQ(HijriDateText(hijriShownDay(today, "1")), "30 ذوالحجة 1447"); // yesterday
    EXPECT_EQ(HijriDateText(hijriShownDay(today, "0")), "1 محرم 1448");
    EXPECT_EQ(HijriDateText(hijriShownDay(today, "-1")), "2 محرم 1448"); // tomorrow
    EXPECT_EQ(hijriCorrectionDays(" 2 "), 2);
    EXPECT_EQ(hijriCorrectionDays("-1"), -1);
    EXPECT_EQ(hijriCorrectionDays("+1"), 1);
    for (const char* bad : {"", "abc", "1.5", "-", "1 2", "99999999999999999999", "0x10"})
        EXPECT_EQ(hijriCorrectionDays(bad), 0) << bad;
}

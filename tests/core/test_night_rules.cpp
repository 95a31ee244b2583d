// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/NightRules.h"

#include <gtest/gtest.h>

#include <string>

using namespace tavrola;

namespace {

DateTime at(int h, int m, int day = 5) {
    return DateTime{{2026, 12, day}, h, m, 0, 0};
}

DayTimes december5() {
    DayTimes t;
    t[Prayer::Subuh] = "05:40";
    t[Prayer::Isyak] = "20:25";
    return t;
}

} // namespace

TEST(NightRules, WindowFromPadamToHidupAcrossMidnightAndAroundPrayers) {
    const DayTimes times = december5();
    struct Row {
        const char *padam, *hidup;
        int h, m;
        bool asleep;
    } rows[] = {
        {"22:30", "SUBUH-30", 23, 0, true},    {"22:30", "SUBUH-30", 21, 0, false},
        {"22:30", "SUBUH-30", 22, 30, true},   {"22:30", "SUBUH-30", 5, 9, true},
        {"22:30", "SUBUH-30", 5, 10, false},   {"ISYAK+60", "05:00", 21, 24, false},
        {"isyak + 60", "05:00", 21, 25, true}, {"01:00", "04:00", 3, 0, true},
        {"01:00", "04:00", 23, 0, false},      {"22:30", "", 23, 0, false},
        {"22:30", "22:30", 23, 0, false},      {"ISYAK+181", "05:00", 23, 0, false},
        {"24:00", "05:00", 0, 30, false},      {"ISYAK+60", "SUBUH-30", 23, 0, false} /* no Isyak time */,
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        const DayTimes day = i + 1 == std::size(rows) ? DayTimes{} : times;
        EXPECT_EQ(NightWatch{}.asleep(at(r.h, r.m), r.padam, r.hidup, day, false), r.asleep)
            << r.padam << " .. " << r.hidup << " at " << r.h << ":" << r.m;
    }
    std::string reason;
    EXPECT_FALSE(parseNightTime("ISYAK+200", reason));
    EXPECT_EQ(reason, "minit selepas ISYAK mesti 0 hingga 180");
}

TEST(NightRules, InputWakesForFiveMinutesAndTheCongregationScreensKeepItAwake) {
    NightWatch watch;
    const DayTimes times = december5();
    EXPECT_FALSE(watch.asleep(at(23, 0), "22:30", "SUBUH-30", times, true)) << "a late Isyak's iqamah";
    watch.wake(at(23, 58));
    EXPECT_FALSE(watch.asleep(at(0, 2, 6), "22:30", "SUBUH-30", times, false)) << "over midnight";
    EXPECT_TRUE(watch.asleep(at(0, 3, 6), "22:30", "SUBUH-30", times, false));
}

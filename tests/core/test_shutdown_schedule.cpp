// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shutdown/ShutdownSchedule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tavrola;

namespace {

DateTime at(int y, int mo, int d, int h, int mi, int s) {
    return DateTime{{y, mo, d}, h, mi, s, 0};
}

// Runs the 30-second timer of one program run from `t` for `ticks` ticks and returns the moments
// at which it opened the dialog.
std::vector<DateTime> run(ShutdownSchedule& schedule, const std::string& stored, DateTime t, int ticks) {
    std::vector<DateTime> opened;
    for (int i = 0; i < ticks; ++i) {
        if (schedule.tick(stored, t).openDialog)
            opened.push_back(t);
        const long s = t.hour * 3600L + t.minute * 60L + t.second + 30;
        t = {addDays(t.date, s / 86400), static_cast<int>(s / 3600 % 24), static_cast<int>(s / 60 % 60),
             static_cast<int>(s % 60), 0};
    }
    return opened;
}

constexpr int kTicksPerDay = 2880;

} // namespace

TEST(ShutdownSchedule, OpensOnceADayAtTheFirstTickOfItsMinuteWithoutCatchingUp) {
    struct Row {
        const char* stored;
        DateTime start;
        int ticks;
        std::vector<DateTime> opened;
    };
    for (const Row& r : {Row{"0630",
                             at(2026, 12, 6, 0, 0, 10),
                             2 * kTicksPerDay,
                             {at(2026, 12, 6, 6, 30, 10), at(2026, 12, 7, 6, 30, 10)}},
                         // Started at 22:00:40: the next day's minute is the first chance.
                         Row{"2200", at(2026, 12, 6, 22, 1, 10), kTicksPerDay, {at(2026, 12, 7, 22, 0, 10)}},
                         Row{"0000",
                             at(2026, 12, 31, 23, 59, 20),
                             kTicksPerDay + 4,
                             {at(2027, 1, 1, 0, 0, 20), at(2027, 1, 2, 0, 0, 20)}},
                         // Quotes are removed before comparing, wherever they are.
                         Row{"\"22\"00\"", at(2026, 12, 6, 21, 59, 45), 4, {at(2026, 12, 6, 22, 0, 15)}}}) {
        ShutdownSchedule schedule("2.0.27");
        EXPECT_EQ(run(schedule, r.stored, r.start, r.ticks), r.opened) << r.stored;
    }
}

TEST(ShutdownSchedule, MalformedTimesNeverFire) {
    for (const char* stored : {"", "22:00", "630", "2400", "22000", "22 00", "\"\""}) {
        ShutdownSchedule schedule("2.0.27");
        EXPECT_TRUE(run(schedule, stored, at(2026, 12, 6, 0, 0, 0), kTicksPerDay + 10).empty()) << stored;
    }
}

TEST(ShutdownSchedule, ACancelledDialogIsNotOfferedAgainThatDayButIsAfterARestartOrTheDate) {
    ShutdownSchedule schedule("2.0.27");
    const ShutdownTick t = schedule.tick("\"2200\"", at(2026, 12, 6, 9, 5, 0));
    EXPECT_EQ(t.shutTutup, "2200");
    EXPECT_EQ(t.jamcount, "0905");
    EXPECT_EQ(t.statusLine, "Shutdown : 2200   |   Ver : 2.0.27");
    EXPECT_EQ(schedule.shutdownCheckDate(), "20261206");
    EXPECT_EQ(schedule.tick("", at(2026, 12, 6, 9, 5, 30)).statusLine, "Shutdown :    |   Ver : 2.0.27");

    EXPECT_TRUE(schedule.tick("2200", at(2026, 12, 6, 22, 0, 10)).openDialog);
    EXPECT_FALSE(schedule.tick("2200", at(2026, 12, 6, 22, 0, 40)).openDialog);
    EXPECT_TRUE(schedule.shutdownDoneToday());
    EXPECT_TRUE(run(schedule, "2200", at(2026, 12, 6, 22, 1, 10), 100).empty());
    // The guard is not stored: a new run during the minute offers it again.
    EXPECT_TRUE(ShutdownSchedule("2.0.27").tick("2200", at(2026, 12, 6, 22, 0, 50)).openDialog);

    // Opened at 23:59:40, cancelled after midnight: the new day resets the guard, but its minute is a day away.
    ShutdownSchedule late("2.0.27");
    EXPECT_TRUE(late.tick("2359", at(2026, 12, 6, 23, 59, 40)).openDialog);
    EXPECT_FALSE(late.tick("2359", at(2026, 12, 7, 0, 0, 5)).openDialog);
    EXPECT_FALSE(late.shutdownDoneToday());
    EXPECT_EQ(late.shutdownCheckDate(), "20261207");
    EXPECT_TRUE(late.tick("2359", at(2026, 12, 7, 23, 59, 5)).openDialog);
}

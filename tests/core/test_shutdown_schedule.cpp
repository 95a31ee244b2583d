#include "core/desktop/TrayTip.h"
#include "core/shutdown/ShutdownSchedule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tavrola;

namespace {

DateTime at(int y, int mo, int d, int h, int mi, int s) {
    return DateTime{{y, mo, d}, h, mi, s, 0};
}

DateTime plusSeconds(DateTime t, int seconds) {
    long total = ((t.hour * 60L + t.minute) * 60L + t.second) + seconds;
    const long days = total / 86400;
    total %= 86400;
    t.date = addDays(t.date, days);
    t.hour = static_cast<int>(total / 3600);
    t.minute = static_cast<int>(total / 60 % 60);
    t.second = static_cast<int>(total % 60);
    return t;
}

// Runs the 30-second timer of one program run from `start` for `ticks` ticks and returns the moments
// at which it opened the dialog.
std::vector<DateTime> run(ShutdownSchedule& schedule, const std::string& stored, DateTime start, int ticks) {
    std::vector<DateTime> opened;
    DateTime t = start;
    for (int i = 0; i < ticks; ++i, t = plusSeconds(t, 30))
        if (schedule.tick(stored, t).openDialog)
            opened.push_back(t);
    return opened;
}

constexpr int kTicksPerDay = 2880;

} // namespace

TEST(ShutdownSchedule, OpensOnceAtTheFirstTickOfTheMinuteAcrossTwoDays) {
    ShutdownSchedule schedule("2.0.27");
    const auto opened = run(schedule, "0630", at(2026, 12, 6, 0, 0, 10), 2 * kTicksPerDay);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], at(2026, 12, 6, 6, 30, 10));
    EXPECT_EQ(opened[1], at(2026, 12, 7, 6, 30, 10));
}

TEST(ShutdownSchedule, StatusLineAndReadings) {
    ShutdownSchedule schedule("2.0.27");
    const ShutdownTick t = schedule.tick("\"2200\"", at(2026, 1, 2, 9, 5, 0));
    EXPECT_EQ(t.shutTutup, "2200");
    EXPECT_EQ(t.jamcount, "0905");
    EXPECT_EQ(t.statusLine, "Shutdown : 2200   |   Ver : 2.0.27");
    EXPECT_FALSE(t.openDialog);
    EXPECT_EQ(schedule.shutdownCheckDate(), "20260102");

    // No time set: the separator follows the label directly and nothing ever fires.
    EXPECT_EQ(schedule.tick("", at(2026, 1, 2, 0, 0, 0)).statusLine, "Shutdown :    |   Ver : 2.0.27");
}

TEST(ShutdownSchedule, NoCatchingUpOnceTheMinuteHasPassed) {
    // Started at 22:00:40: the first tick is at 22:01:10.
    ShutdownSchedule schedule("2.0.27");
    const auto opened = run(schedule, "2200", at(2026, 12, 6, 22, 1, 10), kTicksPerDay);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], at(2026, 12, 7, 22, 0, 10)) << "the next day's minute is the first chance";
}

TEST(ShutdownSchedule, CancelledShutdownIsNotOfferedAgainTheSameDayButIsAfterARestart) {
    ShutdownSchedule schedule("2.0.27");
    EXPECT_TRUE(schedule.tick("2200", at(2026, 12, 6, 22, 0, 10)).openDialog);
    // The user cancelled; the timer runs again inside the same minute and later that day.
    EXPECT_FALSE(schedule.tick("2200", at(2026, 12, 6, 22, 0, 40)).openDialog);
    EXPECT_TRUE(schedule.shutdownDoneToday());
    EXPECT_TRUE(run(schedule, "2200", at(2026, 12, 6, 22, 1, 10), 100).empty());

    // The guard is not stored: a new run during the minute offers it again.
    ShutdownSchedule restarted("2.0.27");
    EXPECT_TRUE(restarted.tick("2200", at(2026, 12, 6, 22, 0, 50)).openDialog);
}

TEST(ShutdownSchedule, MidnightOpensAtTheFirstTickOfTheNewDay) {
    ShutdownSchedule schedule("2.0.27");
    const auto opened = run(schedule, "0000", at(2026, 12, 31, 23, 59, 20), kTicksPerDay + 4);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], at(2027, 1, 1, 0, 0, 20));
    EXPECT_EQ(opened[1], at(2027, 1, 2, 0, 0, 20));
}

TEST(ShutdownSchedule, DateChangeWhileTheDialogIsOpenDoesNotReopenIt) {
    // Opened at 23:59:40, cancelled after midnight: the first tick of the new day resets the guard,
    // but the new day's minute is still a day away.
    ShutdownSchedule schedule("2.0.27");
    EXPECT_TRUE(schedule.tick("2359", at(2026, 12, 6, 23, 59, 40)).openDialog);
    EXPECT_FALSE(schedule.tick("2359", at(2026, 12, 7, 0, 0, 5)).openDialog);
    EXPECT_FALSE(schedule.shutdownDoneToday());
    EXPECT_EQ(schedule.shutdownCheckDate(), "20261207");
    EXPECT_TRUE(schedule.tick("2359", at(2026, 12, 7, 23, 59, 5)).openDialog);
}

TEST(ShutdownSchedule, MalformedTimesNeverFire) {
    for (const char* stored : {"", "22:00", "630", "2400", "22000", "22 00", "\"\""}) {
        ShutdownSchedule schedule("2.0.27");
        EXPECT_TRUE(run(schedule, stored, at(2026, 12, 6, 0, 0, 0), kTicksPerDay + 10).empty()) << stored;
    }
    // Quotes are removed before comparing, wherever they are.
    ShutdownSchedule quoted("2.0.27");
    const auto opened = run(quoted, "\"22\"00\"", at(2026, 12, 6, 21, 59, 45), 4);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], at(2026, 12, 6, 22, 0, 15));
}

TEST(TrayTip, TitleAndVersionCutAt64Characters) {
    EXPECT_EQ(trayTipText("Tavrola", "2.0.27"), "Tavrola Versi : 2.0.27");
    const std::string longTitle(60, 'x');
    const std::string tip = trayTipText(longTitle, "2.0.27");
    EXPECT_EQ(tip.size(), 64u);
    EXPECT_EQ(tip, longTitle + " Ver");
}

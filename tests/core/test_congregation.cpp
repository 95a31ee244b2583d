// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/Congregation.h"
#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace tavrola;
using Screen = CongregationState::Screen;
using J = Jemaah;

namespace {

// Zohor, Asar, Maghrib, Isyak and Subuh, in the order a day is read.
const DayTimes kDay{"", "05:50", "", "", "13:05", "16:25", "19:10", "20:25"};

// Iqamah and prayer-screen minutes for Subuh, Zohor, Asar, Maghrib, Isyak, Jumaat.
CongregationSettings minutes(std::array<int, kJemaahCount> iqamah, std::array<int, kJemaahCount> prayer) {
    CongregationSettings s;
    s.iqamahMinutes = iqamah;
    s.prayerMinutes = prayer;
    return s;
}
const CongregationSettings kMosque = minutes({10, 10, 10, 5, 10, 20}, {15, 15, 0, 10, 15, 30});

constexpr Date kThursday{2026, 12, 3}, kFriday{2026, 12, 4}, kSaturday{2026, 12, 5};

struct Row {
    Date date;
    int h, m, s;
    Screen screen;
    J prayer;
    int count; // seconds left in a countdown, minutes since the iqamah in a prayer
};

void expectRows(const std::vector<Row>& rows, const DayTimes& today, const DayTimes& yesterday,
                const CongregationSettings& settings) {
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.date.day << " " << r.h << ":" << r.m << ":" << r.s);
        const CongregationState st = congregationState({r.date, r.h, r.m, r.s, 0}, today, yesterday, settings);
        EXPECT_EQ(st.screen, r.screen);
        if (r.screen != Screen::Normal) {
            EXPECT_EQ(st.prayer, r.prayer);
            EXPECT_EQ(r.screen == Screen::IqamahCountdown ? st.remainingSeconds : st.minutesSinceIqamah, r.count);
        }
    }
}

} // namespace

TEST(Congregation, AWholeWeekdayAndAFriday) {
    expectRows({{kThursday, 5, 50, 0, Screen::IqamahCountdown, J::Subuh, 600},
                {kThursday, 5, 59, 59, Screen::IqamahCountdown, J::Subuh, 1},
                {kThursday, 6, 0, 0, Screen::PrayerInProgress, J::Subuh, 0},
                {kThursday, 6, 15, 0, Screen::Normal, J::Subuh, 0},
                {kThursday, 13, 10, 0, Screen::IqamahCountdown, J::Zohor, 300},
                {kThursday, 13, 27, 0, Screen::PrayerInProgress, J::Zohor, 12},
                {kThursday, 13, 30, 0, Screen::Normal, J::Zohor, 0},
                {kThursday, 16, 35, 0, Screen::Normal, J::Asar, 0}, // Asar has no prayer screen
                {kThursday, 19, 12, 30, Screen::IqamahCountdown, J::Maghrib, 150},
                {kThursday, 19, 24, 59, Screen::PrayerInProgress, J::Maghrib, 9},
                {kThursday, 20, 30, 0, Screen::IqamahCountdown, J::Isyak, 300},
                {kThursday, 23, 59, 59, Screen::Normal, J::Isyak, 0},
                // Friday's Zohor is Jumaat, with its own minutes; the rest of Friday is as any day.
                {kFriday, 13, 5, 0, Screen::IqamahCountdown, J::Jumaat, 1200},
                {kFriday, 13, 54, 59, Screen::PrayerInProgress, J::Jumaat, 29},
                {kFriday, 13, 55, 0, Screen::Normal, J::Jumaat, 0},
                {kFriday, 16, 30, 0, Screen::IqamahCountdown, J::Asar, 300},
                {kSaturday, 13, 10, 0, Screen::IqamahCountdown, J::Zohor, 300}},
               kDay, kDay, kMosque);
    // Zohor's minutes do not stand in for a Friday without JUMAAT.
    expectRows({{kFriday, 13, 10, 0, Screen::Normal, J::Zohor, 0}}, kDay, kDay,
               minutes({0, 10, 0, 0, 0, 0}, {0, 15, 0, 0, 0, 0}));
}

TEST(Congregation, LateIsyakPastMidnightJumpsAndNewDatabasesFollowTheTimes) {
    const DayTimes late{"", "05:50", "", "", "13:05", "16:25", "19:10", "23:30"};
    const CongregationSettings s = minutes({0, 0, 0, 0, 20, 0}, {0, 0, 0, 0, 30, 0});
    expectRows({{kThursday, 23, 45, 0, Screen::IqamahCountdown, J::Isyak, 300}}, late, kDay, s);
    expectRows({{kFriday, 0, 5, 0, Screen::PrayerInProgress, J::Isyak, 15},
                {kFriday, 0, 20, 0, Screen::Normal, J::Isyak, 0}},
               kDay, late, s);
    // A countdown that itself crosses midnight; a new month's file without yesterday ends it.
    expectRows({{kFriday, 0, 3, 0, Screen::IqamahCountdown, J::Isyak, 420}}, kDay,
               {"", "05:50", "", "", "13:05", "16:25", "19:10", "23:50"}, s);
    expectRows({{kFriday, 0, 5, 0, Screen::Normal, J::Isyak, 0}}, kDay, DayTimes{}, s);

    EXPECT_TRUE(congregationNeedsYesterday({kFriday, 1, 59, 59, 0}, s));
    EXPECT_FALSE(congregationNeedsYesterday({kFriday, 2, 0, 0, 0}, s));
    EXPECT_FALSE(congregationNeedsYesterday({kFriday, 0, 5, 0, 0}, minutes({10, 10, 10, 10, 0, 10}, {})));

    // A jump into a countdown shows what is left; a new database during it moves it; a prayer
    // without a time has no screens; the next prayer's start ends what is left of the one before.
    expectRows({{kThursday, 13, 14, 1, Screen::IqamahCountdown, J::Zohor, 59}}, kDay, kDay, kMosque);
    expectRows({{kThursday, 13, 10, 0, Screen::IqamahCountdown, J::Zohor, 480}},
               {"", "05:50", "", "", "13:08", "16:25", "19:10", "20:25"}, kDay, kMosque);
    for (const char* notATime : {"--:--", "1a:05", "13:5x", "12:345", "13:0"})
        expectRows({{kThursday, 12, 40, 0, Screen::Normal, J::Zohor, 0},
                    {kThursday, 13, 10, 0, Screen::Normal, J::Zohor, 0}},
                   {"", "05:50", "", "", notATime, "16:25", "19:10", "20:25"}, kDay, kMosque);
    expectRows({{kThursday, 13, 8, 0, Screen::IqamahCountdown, J::Zohor, 420},
                {kThursday, 13, 12, 0, Screen::Normal, J::Zohor, 0}},
               {"", "05:50", "", "", "13:05", "13:10", "19:10", "20:25"}, kDay, minutes({0, 10, 0, 0, 0, 0}, {}));

    // The tone sounds when the countdown runs out between ticks, not after a jump past it.
    const CongregationState ending{Screen::IqamahCountdown, J::Zohor, 1, 0, false};
    const CongregationState early{Screen::IqamahCountdown, J::Zohor, 300, 0, false};
    const CongregationState praying{Screen::PrayerInProgress, J::Zohor, 0, 0, true};
    EXPECT_TRUE(iqamahReached(ending, praying));
    EXPECT_TRUE(iqamahReached(ending, CongregationState{}));
    EXPECT_FALSE(iqamahReached(early, CongregationState{}));
    EXPECT_FALSE(iqamahReached(ending, ending));
}

TEST(Congregation, SettingsAreReadWithoutWritingAndFollowTheFile) {
    for (const auto& [text, expected] : std::vector<std::pair<std::string, int>>{
             {"10", 10}, {" 15 ", 15}, {"60", 60}, {"1", 1}, {"05", 5}, {"", 0}, {"0", 0}, {"61", 0}, {"-5", 0}, {"1.5", 0}})
        EXPECT_EQ(congregationMinutes(text), expected) << "'" << text << "'";
    // Settings name prayers as their keys do (SUBUH, not the strip's SUBOH), in any case.
    EXPECT_EQ(prayerBySettingsName(jemaahKey(J::Subuh)), Prayer::Subuh);
    EXPECT_EQ(prayerBySettingsName("isyak"), Prayer::Isyak);
    for (std::string_view other : {"SUBOH", "ISYAK+60", "", "JUMAAT"})
        EXPECT_EQ(prayerBySettingsName(other), std::nullopt) << other;

    fakes::TempDir dir;
    const auto ini = dir / "setting.ini";
    std::ofstream(ini, std::ios::binary)
        << "[IQAMAH]\r\nZOHOR=10\r\nASAR=x\r\nPESAN=Matikan telefon\r\nBUNYI=on\r\n"
           "[SOLAT]\r\nZOHOR= 15\r\n[AZAN]\r\nFAIL=.\\azan\\azan.mp3\r\n";
    const std::string before = fakes::readBytes(ini);
    CongregationSettingsCache cache;
    const CongregationSettings s = cache.get(ini);
    EXPECT_EQ(s.iqamahMinutes, (std::array<int, kJemaahCount>{0, 10, 0, 0, 0, 0}));
    EXPECT_EQ(s.prayerMinutes, (std::array<int, kJemaahCount>{0, 15, 0, 0, 0, 0}));
    EXPECT_EQ(s.message, "Matikan telefon");
    EXPECT_TRUE(s.tone);
    EXPECT_EQ(fakes::readBytes(ini), before);
    EXPECT_EQ(defaultSettingsText().find("IQAMAH"), std::string::npos);

    // Subuh's own file when there is one, else the common one; relative to the program folder.
    CongregationSettings subuh = s;
    subuh.azanSubuhFile = "/srv/subuh.mp3";
    EXPECT_EQ(azanFileFor(Prayer::Subuh, s, dir.path()), dir.path() / "azan" / "azan.mp3");
    EXPECT_EQ(azanFileFor(Prayer::Subuh, subuh, dir.path()), std::filesystem::path("/srv/subuh.mp3"));
    EXPECT_EQ(azanFileFor(Prayer::Asar, subuh, dir.path()), dir.path() / "azan" / "azan.mp3");
    EXPECT_TRUE(azanFileFor(Prayer::Asar, {}, dir.path()).empty());

    ASSERT_TRUE(AddToINI("IQAMAH", "ASAR", "12", ini));
    EXPECT_EQ(cache.get(ini).iqamahMinutes[static_cast<std::size_t>(J::Asar)], 12);
    std::filesystem::remove(ini);
    EXPECT_FALSE(cache.get(ini).anyScreen());
}

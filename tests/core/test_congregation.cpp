#include "core/clock/Congregation.h"
#include "core/config/IniFile.h"
#include "core/config/SettingsSchema.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace tavrola;
using Screen = CongregationState::Screen;

namespace {

DayTimes times(std::string suboh, std::string zohor, std::string asar, std::string magrib, std::string isyak) {
    DayTimes t;
    t.suboh = suboh;
    t.zohor = zohor;
    t.asar = asar;
    t.magrib = magrib;
    t.isyak = isyak;
    return t;
}

const DayTimes kDay = times("05:50", "13:05", "16:25", "19:10", "20:25");

// Iqamah / prayer-screen minutes for Subuh, Zohor, Asar, Maghrib, Isyak, Jumaat.
CongregationSettings minutes(std::array<int, kJemaahCount> iqamah, std::array<int, kJemaahCount> prayer) {
    CongregationSettings s;
    s.iqamahMinutes = iqamah;
    s.prayerMinutes = prayer;
    return s;
}
const CongregationSettings kMosque = minutes({10, 10, 10, 5, 10, 20}, {15, 15, 0, 10, 15, 30});

struct Row {
    Date date;
    int h, m, s;
    Screen screen;
    Jemaah prayer;
    int count; // seconds left in a countdown, minutes since the iqamah in a prayer
};

void expectRows(const std::vector<Row>& rows, const DayTimes& today, const DayTimes& yesterday,
                const CongregationSettings& settings) {
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message()
                     << r.date.day << "/" << r.date.month << " " << r.h << ":" << r.m << ":" << r.s);
        const CongregationState st = congregationState({r.date, r.h, r.m, r.s, 0}, today, yesterday, settings);
        EXPECT_EQ(st.screen, r.screen);
        if (r.screen == Screen::Normal)
            continue;
        EXPECT_EQ(st.prayer, r.prayer);
        EXPECT_EQ(r.screen == Screen::IqamahCountdown ? st.remainingSeconds : st.minutesSinceIqamah, r.count);
    }
}

constexpr Date kThursday{2026, 12, 3};
constexpr Date kFriday{2026, 12, 4};
constexpr Date kSaturday{2026, 12, 5};

} // namespace

TEST(Congregation, AWholeWeekday) {
    expectRows({{kThursday, 5, 49, 59, Screen::Normal, Jemaah::Subuh, 0},
                {kThursday, 5, 50, 0, Screen::IqamahCountdown, Jemaah::Subuh, 600},
                {kThursday, 5, 59, 59, Screen::IqamahCountdown, Jemaah::Subuh, 1},
                {kThursday, 6, 0, 0, Screen::PrayerInProgress, Jemaah::Subuh, 0},
                {kThursday, 6, 14, 59, Screen::PrayerInProgress, Jemaah::Subuh, 14},
                {kThursday, 6, 15, 0, Screen::Normal, Jemaah::Subuh, 0},
                {kThursday, 13, 10, 0, Screen::IqamahCountdown, Jemaah::Zohor, 300},
                {kThursday, 13, 27, 0, Screen::PrayerInProgress, Jemaah::Zohor, 12},
                {kThursday, 13, 30, 0, Screen::Normal, Jemaah::Zohor, 0},
                {kThursday, 16, 34, 59, Screen::IqamahCountdown, Jemaah::Asar, 1},
                {kThursday, 16, 35, 0, Screen::Normal, Jemaah::Asar, 0}, // no prayer screen for Asar
                {kThursday, 19, 12, 30, Screen::IqamahCountdown, Jemaah::Maghrib, 150},
                {kThursday, 19, 24, 59, Screen::PrayerInProgress, Jemaah::Maghrib, 9},
                {kThursday, 20, 30, 0, Screen::IqamahCountdown, Jemaah::Isyak, 300},
                {kThursday, 20, 50, 0, Screen::Normal, Jemaah::Isyak, 0},
                {kThursday, 23, 59, 59, Screen::Normal, Jemaah::Isyak, 0}},
               kDay, kDay, kMosque);
}

TEST(Congregation, NothingSetMeansTheClockAsBefore) {
    for (int minute = 0; minute < 24 * 60; minute += 7)
        EXPECT_EQ(congregationState({kFriday, minute / 60, minute % 60, 0, 0}, kDay, kDay, {}).screen,
                  Screen::Normal);
}

TEST(Congregation, FridaysZohorIsJumaatWithItsOwnMinutes) {
    expectRows({{kFriday, 13, 5, 0, Screen::IqamahCountdown, Jemaah::Jumaat, 1200},
                {kFriday, 13, 25, 0, Screen::PrayerInProgress, Jemaah::Jumaat, 0},
                {kFriday, 13, 54, 59, Screen::PrayerInProgress, Jemaah::Jumaat, 29},
                {kFriday, 13, 55, 0, Screen::Normal, Jemaah::Jumaat, 0},
                {kFriday, 16, 30, 0, Screen::IqamahCountdown, Jemaah::Asar, 300},
                {kSaturday, 13, 10, 0, Screen::IqamahCountdown, Jemaah::Zohor, 300}},
               kDay, kDay, kMosque);
    EXPECT_EQ(jemaahName(Jemaah::Jumaat), "JUMAAT");
    // Zohor's minutes do not stand in for a Friday without JUMAAT.
    const CongregationSettings noFriday = minutes({0, 10, 0, 0, 0, 0}, {0, 15, 0, 0, 0, 0});
    expectRows({{kFriday, 13, 10, 0, Screen::Normal, Jemaah::Zohor, 0}}, kDay, kDay, noFriday);
}

TEST(Congregation, LateIsyakRunsPastMidnightAndEnds) {
    const DayTimes late = times("05:50", "13:05", "16:25", "19:10", "23:30");
    const CongregationSettings s = minutes({0, 0, 0, 0, 20, 0}, {0, 0, 0, 0, 30, 0});
    expectRows({{kThursday, 23, 45, 0, Screen::IqamahCountdown, Jemaah::Isyak, 300}}, late, kDay, s);
    expectRows({{kFriday, 0, 5, 0, Screen::PrayerInProgress, Jemaah::Isyak, 15},
                {kFriday, 0, 19, 59, Screen::PrayerInProgress, Jemaah::Isyak, 29},
                {kFriday, 0, 20, 0, Screen::Normal, Jemaah::Isyak, 0}},
               kDay, late, s);
    // A countdown that itself crosses midnight.
    expectRows({{kFriday, 0, 3, 0, Screen::IqamahCountdown, Jemaah::Isyak, 420}}, kDay,
               times("05:50", "13:05", "16:25", "19:10", "23:50"), s);
    // A new month's file without yesterday ends it rather than guessing.
    expectRows({{kFriday, 0, 5, 0, Screen::Normal, Jemaah::Isyak, 0}}, kDay, DayTimes{}, s);

    EXPECT_TRUE(congregationNeedsYesterday({kFriday, 1, 59, 59, 0}, s));
    EXPECT_FALSE(congregationNeedsYesterday({kFriday, 2, 0, 0, 0}, s));
    EXPECT_FALSE(congregationNeedsYesterday({kFriday, 0, 5, 0, 0}, minutes({10, 10, 10, 10, 0, 10}, {})));
}

TEST(Congregation, JumpsAndNewDatabasesFollowTheTimes) {
    // A jump into a countdown shows what is left, a jump past it shows nothing late, and a new
    // database during the countdown moves it.
    expectRows({{kThursday, 13, 14, 1, Screen::IqamahCountdown, Jemaah::Zohor, 59}}, kDay, kDay, kMosque);
    expectRows({{kThursday, 13, 10, 0, Screen::IqamahCountdown, Jemaah::Zohor, 480}},
               times("05:50", "13:08", "16:25", "19:10", "20:25"), kDay, kMosque);
    // A prayer without a time (the server gave none) has no screens; the morning's are long over.
    expectRows({{kThursday, 13, 10, 0, Screen::Normal, Jemaah::Zohor, 0}},
               times("05:50", "--:--", "16:25", "19:10", "20:25"), kDay, kMosque);
    // The next prayer's start ends whatever is left of the one before.
    expectRows({{kThursday, 13, 8, 0, Screen::IqamahCountdown, Jemaah::Zohor, 420},
                {kThursday, 13, 12, 0, Screen::Normal, Jemaah::Zohor, 0}},
               times("05:50", "13:05", "13:10", "19:10", "20:25"), kDay, minutes({0, 10, 0, 0, 0, 0}, {}));

    const CongregationState ending{Screen::IqamahCountdown, Jemaah::Zohor, 1, 0, false};
    const CongregationState early{Screen::IqamahCountdown, Jemaah::Zohor, 300, 0, false};
    const CongregationState praying{Screen::PrayerInProgress, Jemaah::Zohor, 0, 0, true};
    EXPECT_TRUE(iqamahReached(ending, praying));
    EXPECT_TRUE(iqamahReached(ending, CongregationState{}));
    EXPECT_FALSE(iqamahReached(early, CongregationState{})); // jumped past: no late tone
    EXPECT_FALSE(iqamahReached(ending, ending));
    EXPECT_FALSE(iqamahReached(CongregationState{}, praying));
}

TEST(Congregation, MinutesOutsideOneToSixtyAreOff) {
    const std::vector<std::pair<std::string, int>> cases = {{"10", 10}, {" 15 ", 15}, {"60", 60}, {"1", 1},
                                                            {"05", 5},  {"", 0},      {"0", 0},   {"61", 0},
                                                            {"-5", 0},  {"10.5", 0},  {"abc", 0}, {"10 minit", 0}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(congregationMinutes(text), expected) << "'" << text << "'";
    EXPECT_EQ(countdownClock(300), "05:00");
    EXPECT_EQ(countdownClock(9), "00:09");
}

TEST(Congregation, SettingsAreReadWithoutWritingAndFollowTheFile) {
    fakes::TempDir dir;
    const auto ini = dir / "setting.ini";
    std::ofstream(ini, std::ios::binary)
        << "[IQAMAH]\r\nZOHOR=10\r\nASAR=x\r\nJUMAAT=90\r\nPESAN=Matikan telefon\r\n"
           "BUNYI=on\r\n[SOLAT]\r\nZOHOR= 15\r\n[AZAN]\r\nFAIL=.\\azan\\azan.mp3\r\n";
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
    EXPECT_EQ(azanFileFor(Prayer::Subuh, s, dir.path()), dir.path() / "azan" / "azan.mp3");
    CongregationSettings subuh = s;
    subuh.azanSubuhFile = "/srv/subuh.mp3";
    EXPECT_EQ(azanFileFor(Prayer::Subuh, subuh, dir.path()), std::filesystem::path("/srv/subuh.mp3"));
    EXPECT_EQ(azanFileFor(Prayer::Asar, subuh, dir.path()), dir.path() / "azan" / "azan.mp3");
    EXPECT_TRUE(azanFileFor(Prayer::Asar, {}, dir.path()).empty());

    ASSERT_TRUE(AddToINI("IQAMAH", "ASAR", "12", ini));
    EXPECT_EQ(cache.get(ini).iqamahMinutes[static_cast<std::size_t>(Jemaah::Asar)], 12);
    std::filesystem::remove(ini);
    EXPECT_FALSE(cache.get(ini).anyScreen());
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/HijriCalendar.h"
#include "core/prayerdata/PrayerDatabase.h"
#include "core/clock/PrayerSchedule.h"
#include "core/clock/Prayers.h"
#include "core/clock/TimeText.h"
#include "core/files/IniFile.h"
#include "fakes/TempDir.h"
#include "fakes/TestDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tavrola;
namespace fs = std::filesystem;

namespace {

// Times in the day's order, Imsak to Isyak.
DayTimes day(std::string imsak, std::string suboh, std::string syuruk, std::string duha, std::string zohor,
             std::string asar, std::string magrib, std::string isyak) {
    return {imsak, suboh, syuruk, duha, zohor, asar, magrib, isyak};
}

DayTimes typicalDay() {
    return day("05:10", "05:20", "06:45", "07:10", "12:15", "15:30", "18:40", "19:45");
}

int at(int h, int m) {
    return h * 60 + m;
}

DateTime moment(int h, int m, int s = 0, Date d = {2026, 12, 5}) {
    return DateTime{d, h, m, s, 0};
}

PrayerSchedule::Colour colourOf(const PrayerSchedule::Tick& t, Prayer p) {
    return t.colours[static_cast<std::size_t>(index(p))];
}

} // namespace

TEST(TimeText, Convert24To12AndCountdownTexts) {
    const std::pair<const char*, const char*> hours[] = {
        {"00:15", "12:15"}, {"12:30", "12:30"}, {"13:05", "1:05"},   {"04:45", "4:45"}, {"--:--", "12:--"},
        {"", "00:00"},      {"   ", "00:00"},   {" 19:45 ", "7:45"}, {"noon", "noon"},  {"ab:cd:ef", "12:cd:ef"}};
    for (const auto& [in, out] : hours)
        EXPECT_EQ(Convert24To12(in), out) << in;
    EXPECT_EQ(Convert24To12("99999999999999:00"), "12:00");
    const std::pair<int, const char*> countdowns[] = {{0, "0 saat"},       {2 * 3600 + 20 * 60, "2 jam 20 minit"},
                                                      {5 * 60, "5 minit"}, {3600 + 5, "1 jam 5 saat"},
                                                      {59, "59 saat"},     {3600, "1 jam"}};
    for (const auto& [seconds, text] : countdowns)
        EXPECT_EQ(CountdownText(seconds), text) << seconds;
}

TEST(TimeText, OnlyHHMMIsATimeAndClockModes) {
    const std::pair<const char*, std::optional<int>> stored[] = {
        {" 23:59 ", at(23, 59)}, {"00:30", at(0, 30)},    {"5:07", at(5, 7)}, {"13:0", {}},
        {"12:345", {}},          {"04:45:00", at(4, 45)}, {"", {}},           {"--:--", {}},
        {"24:00", {}},           {"12:60", {}},           {"-1:00", {}},      {"\t12:30", {}},
        {"12:30:60", {}},        {"123:00", {}},          {":30", {}}};
    for (const auto& [text, minutes] : stored)
        EXPECT_EQ(minutesOfDay(text), minutes) << '"' << text << '"';
    EXPECT_EQ(minuteText(moment(0, 30)), "12:30 AM");
    EXPECT_EQ(minuteText(moment(12, 0)), "12:00 PM");
    EXPECT_EQ(clockText(moment(0, 7, 3), "0"), "12:07:03 am");
    EXPECT_EQ(clockText(moment(13, 5, 9), "1"), "13:05:09");
    EXPECT_EQ(clockText(moment(0, 7, 3), "2"), "00:07:03"); // anything but "0" is 24-hour
}

TEST(PrayerPeriods, StartsAreInclusiveAndEndsExclusive) {
    const DayTimes t = typicalDay();
    const std::pair<int, Prayer> cases[] = {{at(12, 14), Prayer::Subuh},   {at(12, 15), Prayer::Zohor},
                                            {at(15, 29), Prayer::Zohor},   {at(15, 30), Prayer::Asar},
                                            {at(18, 40), Prayer::Maghrib}, {at(19, 45), Prayer::Isyak},
                                            {at(5, 19), Prayer::Isyak},    {at(5, 20), Prayer::Subuh}};
    for (const auto& [minute, prayer] : cases)
        EXPECT_EQ(findPeriod(minute, t)->current, prayer) << minute;
    EXPECT_EQ(findPeriod(at(15, 29), t)->spanSeconds, 60);
    EXPECT_EQ(findPeriod(at(15, 30), t)->next, Prayer::Maghrib);
    // Every minute of a scrambled day still finds a period.
    const DayTimes scrambled = day("x", "14:00", "", "", "09:00", "23:00", "03:00", "12:00");
    for (int m = 0; m < 24 * 60; ++m) {
        const auto p = findPeriod(m, scrambled);
        ASSERT_TRUE(p) << m;
        EXPECT_GE(p->spanSeconds, 0);
    }
}

TEST(PrayerPeriods, CountdownAfterIsyakBeforeSubuhAndWithMissingTimes) {
    const DayTimes t = day("05:10", "05:20", "06:45", "07:10", "13:05", "16:25", "19:10", "19:45");
    const Captions c = timeCaptions(t);
    EXPECT_EQ(countdownLine(*findPeriod(at(21, 0), t), c),
              "Waktu Suboh bemula jam : 5:20 AM dalam masa - 8 jam 20 minit");
    EXPECT_EQ(countdownLine(*findPeriod(at(23, 59), t), c),
              "Waktu Suboh bemula jam : 5:20 AM dalam masa - 5 jam 21 minit");

    // Far north in June Subuh and Isyak do not occur: the night runs from Maghrib to Zohor.
    const DayTimes north = day("--:--", "--:--", "04:27", "04:52", "13:20", "17:45", "22:03", "--:--");
    const Captions n = timeCaptions(north);
    EXPECT_EQ(n[static_cast<std::size_t>(index(Prayer::Subuh))], "--:--");
    EXPECT_EQ(countdownLine(*findPeriod(at(23, 0), north), n),
              "Waktu Zohor bemula jam : 1:20 PM dalam masa - 14 jam 20 minit");
    EXPECT_EQ(findPeriod(at(2, 0), north)->current, Prayer::Maghrib);
    EXPECT_FALSE(findPeriod(at(10, 0), day("", "--:--", "", "", "13:0", "12:345", "x", "24:00")));
}

TEST(PrayerStart, MatchesCaptionsOfTheFiveObligatoryPrayersOnly) {
    const Captions c = timeCaptions(typicalDay());
    EXPECT_EQ(prayerStartingAt("12:15 PM", c), Prayer::Zohor);
    EXPECT_EQ(prayerStartingAt("5:20 AM", c), Prayer::Subuh);
    EXPECT_EQ(prayerStartingAt("5:10 AM", c), std::nullopt); // Imsak is shown, never announced
    EXPECT_EQ(prayerStartingAt("12:15 AM", c), std::nullopt);
    EXPECT_EQ(closingLine(Prayer::Isyak, Prayer::Subuh, c), "Waktu Isyak berakhir jam : 5:20 AM");
}

TEST(Schedule, FirstTickHighlightsWithoutAnnouncingThenAnnouncesOnceAtThePrayersFirstMinute) {
    PrayerSchedule s;
    s.start({2026, 12, 5}, "0");
    // Started inside Zohor's first minute: the captions still read 00:00, so no announcement.
    auto t = s.tick(moment(12, 15, 30), "0", typicalDay());
    EXPECT_TRUE(t.minuteChanged);
    EXPECT_FALSE(t.announcement);
    EXPECT_EQ(t.clockText, "12:15:30 pm");
    EXPECT_EQ(t.dateKey, "05122026");
    EXPECT_EQ(colourOf(t, Prayer::Zohor), PrayerSchedule::Colour::Red);
    EXPECT_EQ(colourOf(t, Prayer::Subuh), PrayerSchedule::Colour::Design);
    EXPECT_EQ(t.comment, "Waktu Asar bemula jam : 3:30 PM dalam masa - 3 jam 15 minit");
    EXPECT_EQ(t.calendar.malayLine, "Sabtu, 05 Disember 2026");

    s.tick(moment(15, 29, 58), "0", typicalDay());
    EXPECT_FALSE(s.tick(moment(15, 29, 59), "0", typicalDay()).minuteChanged);
    t = s.tick(moment(15, 30, 0), "0", typicalDay());
    ASSERT_TRUE(t.announcement);
    EXPECT_EQ(t.announcement->prayer, Prayer::Asar);
    EXPECT_EQ(t.announcement->sentence, "It is now, time for Asr prayer.");
    EXPECT_EQ(t.announcement->comment, "Waktu Asar berakhir jam : 6:40 PM");
    EXPECT_EQ(t.comment, "Waktu Magrib bemula jam : 6:40 PM dalam masa - 3 jam 10 minit");
    EXPECT_EQ(t.indicator, 1);
    EXPECT_EQ(colourOf(t, Prayer::Asar), PrayerSchedule::Colour::Red);
    EXPECT_EQ(colourOf(t, Prayer::Isyak), PrayerSchedule::Colour::ButtonFace);
    EXPECT_EQ(colourOf(t, Prayer::Dhuha), PrayerSchedule::Colour::Design);
    EXPECT_FALSE(s.tick(moment(15, 30, 1), "0", typicalDay()).announcement);

    // Woken from sleep after Maghrib began: no announcement, only the current prayer red.
    t = s.tick(moment(19, 0), "0", typicalDay());
    EXPECT_FALSE(t.announcement);
    EXPECT_EQ(colourOf(t, Prayer::Maghrib), PrayerSchedule::Colour::Red);
    EXPECT_EQ(colourOf(t, Prayer::Asar), PrayerSchedule::Colour::ButtonFace);
    // A day whose times do not occur: nothing current, no countdown left standing.
    t = s.tick(moment(19, 1), "0", DayTimes{});
    EXPECT_TRUE(t.comment.empty() && t.indicator == -1 &&
                colourOf(t, Prayer::Maghrib) != PrayerSchedule::Colour::Red);
}

TEST(Schedule, HijriDateFollowsTheDayWithTheStartUpCorrection) {
    PrayerSchedule s;
    s.start({2026, 12, 5}, "1");
    const std::string startText = s.hijriText();
    EXPECT_EQ(s.tick(moment(23, 59, 59), "0", typicalDay()).calendar.hijriText, startText);
    const auto next = s.tick(moment(0, 0, 0, {2026, 12, 6}), "0", typicalDay());
    EXPECT_TRUE(next.calendar.dayChanged);
    EXPECT_NE(next.calendar.hijriText, startText);
    EXPECT_EQ(next.calendar.hijriText, HijriDateText({2026, 12, 5})); // MASA 1: yesterday's Hijri date
    EXPECT_EQ(next.calendar.malayLine, "Ahad, 06 Disember 2026");
    EXPECT_FALSE(s.tick(moment(0, 0, 1, {2026, 12, 6}), "0", typicalDay()).calendar.dayChanged);
}

TEST(PrayerDatabase, DayReaderFindsTheDayAndNeverWritesTheDatabase) {
    fakes::TempDir dir;
    const fs::path db = dir / "dbase" / "dbsolat.dat";
    const std::string text = fakes::monthText({2026, 12, 1});
    ASSERT_TRUE(fakes::writeDatabase(db, text));
    const DayTimes t = readDayTimes(db, {2026, 12, 5});
    EXPECT_EQ(t[Prayer::Maghrib], "19:10");
    EXPECT_EQ(t[Prayer::Dhuha], "07:30");
    EXPECT_EQ(readDayTimes(db, {2027, 1, 5}), DayTimes{}); // a database of another month
    EXPECT_EQ(fakes::readBytes(db), text);
    EXPECT_EQ(readDayTimes(dir / "missing.dat", {2026, 12, 5}), DayTimes{});
    EXPECT_FALSE(fs::exists(dir / "missing.dat"));

    // A day without some keys, and a month missing a day.
    const std::string partial =
        "[05122026]\r\nTarikh: Sabtu, 05 Disember 2026\r\nZohor=13:05\r\nmagrib = 19:10 \r\n";
    ASSERT_TRUE(fakes::writeDatabase(db, partial));
    const DayTimes p = readDayTimes(db, {2026, 12, 5});
    EXPECT_EQ(p[Prayer::Maghrib], "19:10");
    EXPECT_EQ(p[Prayer::Asar], "");
    EXPECT_EQ(readDayTimes(db, {2026, 12, 6}), DayTimes{});
    EXPECT_EQ(fakes::readBytes(db), partial);
}

TEST(PrayerDatabase, ReadingTheClockModeWritesItsDefaultOnce) {
    fakes::TempDir dir;
    const fs::path ini = dir / "setting.ini";
    const fs::path db = dir / "dbsolat.dat";
    ASSERT_TRUE(fakes::writeDatabase(ini, "[TAJUK-01]\r\nTITLE01=Masjid\r\n"));
    EXPECT_EQ(readTickInputs(ini, db, {2026, 12, 5}).setJam, "0");
    EXPECT_EQ(GetFromINI("12-24HRS", "SETJAM", "", ini), "0");
    ASSERT_TRUE(AddToINI("12-24HRS", "SETJAM", "1", ini));
    EXPECT_EQ(readTickInputs(ini, db, {2026, 12, 5}).setJam, "1");
}

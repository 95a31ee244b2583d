// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/IniFile.h"
#include "core/prayerdata/CalculatedMonthSource.h"
#include "core/prayerdata/DataUpdater.h"
#include "core/prayerdata/OfficialTables.h"
#include "core/prayerdata/PrayerDatabase.h"
#include "fakes/FakeClock.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <map>

using namespace tavrola;
using fakes::readBytes;
using fakes::testData;
using fakes::writeBytes;

namespace {

const std::string kYearFile = "official/WLY01-2023.json";

// The published days of the fixture, read by a scan of its own rather than the program's reader.
std::map<Date, std::vector<std::string>> publishedDays() {
    const std::string months = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const std::string text = testData(kYearFile);
    std::map<Date, std::vector<std::string>> out;
    for (std::size_t at = 0; (at = text.find("\"date\":\"", at)) != std::string::npos;) {
        at += 8; // "01-Jan-2023"
        const Date d{std::stoi(text.substr(at + 7, 4)),
                     static_cast<int>(months.find(text.substr(at + 3, 3)) / 3) + 1, std::stoi(text.substr(at, 2))};
        for (const char* member : {"imsak", "fajr", "syuruk", "dhuhr", "asr", "maghrib", "isha"}) {
            const std::string key = "\"" + std::string(member) + "\":\"";
            out[d].push_back(text.substr(text.find(key, at) + key.size(), 5));
        }
    }
    return out;
}

// The year with one member of one day changed.
std::string withDay(std::string text, const std::string& date, const std::string& member,
                    const std::string& value) {
    const std::size_t at = text.find("\"date\":\"" + date + "\"");
    const std::size_t field = text.find("\"" + member + "\":\"", at);
    const std::size_t open = field + member.size() + 4;
    return text.replace(open, text.find('"', open) - open, value);
}

class OfficialTableTest : public ::testing::Test {
protected:
    OfficialTableTest()
        : folder(temp.path()), source(folder.settingsFile(), folder.officialTablesFolder()),
          updater(folder, clock, source) {
        AddToINI("LOKASI", "ZON", "WLY01", folder.settingsFile());
        updater.setLogSink([this](const std::string& line) { log.push_back(line); });
    }
    void addTable(const std::string& name, const std::string& bytes) {
        writeBytes(folder.officialTablesFolder() / name, bytes);
    }
    // Builds the month the clock stands in and returns its days as the database holds them.
    std::vector<DayTimes> buildMonth(int year, int month) {
        clock.set(year, month, 10, 9);
        log.clear();
        updater.load();
        EXPECT_TRUE(updater.UpToDate()) << updater.statusText();
        std::vector<DayTimes> out;
        for (int d = 1; d <= daysInMonth(year, month); ++d)
            out.push_back(readDayTimes(folder.databaseFile(), {year, month, d}));
        return out;
    }
    std::vector<DayTimes> computedMonth(int year, int month) {
        fakes::TempDir other;
        const ProgramFolder plain(other.path());
        AddToINI("LOKASI", "ZON", "WLY01", plain.settingsFile());
        CalculatedMonthSource calculated(plain.settingsFile());
        DataUpdater u(plain, clock, calculated);
        clock.set(year, month, 10, 9);
        u.load();
        std::vector<DayTimes> out;
        for (int d = 1; d <= daysInMonth(year, month); ++d)
            out.push_back(readDayTimes(plain.databaseFile(), {year, month, d}));
        return out;
    }
    std::string logText() const {
        std::string all;
        for (const std::string& line : log)
            all += line + "\n";
        return all;
    }

    fakes::TempDir temp;
    ProgramFolder folder;
    fakes::FakeClock clock;
    CalculatedMonthSource source;
    DataUpdater updater;
    std::vector<std::string> log;
};

constexpr std::array<Prayer, 7> kPublished = {Prayer::Imsak, Prayer::Subuh,   Prayer::Syuruk, Prayer::Zohor,
                                              Prayer::Asar,  Prayer::Maghrib, Prayer::Isyak};

} // namespace

// Every day of a real published year, month by month through the clock's own database, is the file's.
TEST_F(OfficialTableTest, MonthsBuiltFromARealYearEqualThePublishedFile) {
    const auto published = publishedDays();
    ASSERT_EQ(published.size(), 365u);
    addTable("WLY01-2023.json", testData(kYearFile));
    for (int month = 1; month <= 12; ++month) {
        const std::vector<DayTimes> days = buildMonth(2023, month);
        for (int d = 1; d <= static_cast<int>(days.size()); ++d) {
            const auto& expected = published.at({2023, month, d});
            for (std::size_t i = 0; i < kPublished.size(); ++i)
                ASSERT_EQ(days[static_cast<std::size_t>(d - 1)][kPublished[i]], expected[i])
                    << "2023-" << month << "-" << d << " " << prayerNames(kPublished[i]).document;
            // The file has no Dhuha: that one stays computed.
            EXPECT_EQ(days[static_cast<std::size_t>(d - 1)][Prayer::Dhuha].size(), 5u);
        }
        const std::string all = "1-" + std::to_string(days.size());
        EXPECT_NE(updater.statusText().find("rasmi " + all + " (WLY01-2023.json)"), std::string::npos)
            << updater.statusText();
        EXPECT_NE(logText().find(std::to_string(days.size()) + " from the official table WLY01-2023.json"),
                  std::string::npos)
            << logText();
    }
}

// A misprinted day (a time more than ten minutes off, or out of the day's order) is computed, it alone,
// and named once in the log; the status line tells which days came from where.
TEST_F(OfficialTableTest, AMisprintedDayIsComputedAndNamed) {
    std::string text = withDay(testData(kYearFile), "15-Mar-2023", "asr", "16:45:00"); // 11 minutes late
    text = withDay(text, "20-Mar-2023", "asr", "04:30:00");                            // afternoon marked AM
    addTable("WLY01-2023.json", text);
    const std::vector<DayTimes> days = buildMonth(2023, 3);
    const std::vector<DayTimes> computed = computedMonth(2023, 3);
    const auto published = publishedDays();
    for (int d = 1; d <= 31; ++d) {
        const bool misprinted = d == 15 || d == 20;
        EXPECT_EQ(days[static_cast<std::size_t>(d - 1)][Prayer::Asar],
                  misprinted ? computed[static_cast<std::size_t>(d - 1)][Prayer::Asar]
                             : published.at({2023, 3, d})[4])
            << d;
    }
    EXPECT_NE(updater.statusText().find("rasmi 1-14, 16-19, 21-31 (WLY01-2023.json), dikira 15, 20"),
              std::string::npos)
        << updater.statusText();
    EXPECT_NE(logText().find("2023-03-15 salah cetak (Asar 16:45, dikira 16:3"), std::string::npos) << logText();
    EXPECT_NE(logText().find("2023-03-20 salah cetak (Asar 04:30 sebelum Zohor 13:24)"), std::string::npos);
    EXPECT_NE(logText().find("29 from the official table"), std::string::npos);
}

// Files that cannot be the zone's year are refused with their reason in one status line, or used only
// as far as they hold; the month is built either way and the clock runs on.
TEST_F(OfficialTableTest, HostileFilesAreRefusedOrUsedAsStated) {
    const std::string year = testData(kYearFile);
    const std::vector<DayTimes> computed = computedMonth(2023, 3);
    struct Case {
        std::string name;
        std::string bytes;
        std::string reason; // in the status line
    };
    std::string outOfOrder = year;
    outOfOrder.replace(outOfOrder.find("01-Mar-2023"), 2, "02");
    outOfOrder.replace(outOfOrder.find("02-Mar-2023", outOfOrder.find("02-Mar-2023") + 1), 2, "01");
    std::string noSuchDay = year;
    noSuchDay.replace(noSuchDay.find("28-Feb-2023"), 11, "30-Feb-2023");
    std::string shifted = year; // every Asar in the morning: not this zone's table at all
    for (std::size_t at = 0; (at = shifted.find("\"asr\":\"1", at)) != std::string::npos;)
        shifted[at + 7] = '0';
    const std::vector<Case> cases = {
        {"SGR01-2023.json", std::string(year).replace(year.find("\"zone\":\"WLY01\"") + 8, 5, "SGR01"),
         "tidak digunakan: zon SGR01, bukan WLY01"},
        {"WLY01-2023.json", year.substr(0, year.size() / 2), "tidak digunakan: fail terpotong"},
        {"WLY01-2023.json", outOfOrder, "tidak digunakan: tarikh tidak tertib"},
        {"WLY01-2023.json", noSuchDay, "tarikh \"30-Feb-2023\" tidak sah"},
        {"WLY01-2023.json", shifted, "daripada 365 hari salah cetak"},
        {"WLY01-2023.json", "not a table\n", "tiada lajur date"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(folder.officialTablesFolder());
        addTable(c.name, c.bytes);
        const std::vector<DayTimes> days = buildMonth(2023, 3);
        EXPECT_NE(updater.statusText().find(c.reason), std::string::npos) << updater.statusText();
        EXPECT_EQ(days, computed) << c.reason;
    }

    // 50 MB is refused by its size, unread.
    std::filesystem::remove_all(folder.officialTablesFolder());
    addTable("WLY01-big.json", "{");
    std::filesystem::resize_file(folder.officialTablesFolder() / "WLY01-big.json", 50u * 1024 * 1024);
    EXPECT_EQ(buildMonth(2023, 3), computed);
    EXPECT_NE(updater.statusText().find("WLY01-big.json tidak digunakan: fail lebih 2 MB"), std::string::npos);

    // Another year's table leaves this year computed, and says for which dates it is.
    std::filesystem::remove_all(folder.officialTablesFolder());
    addTable("WLY01-2023.json", year);
    const std::vector<DayTimes> days2026 = buildMonth(2026, 3);
    EXPECT_NE(updater.statusText().find("untuk 2023-01-01 hingga 2023-12-31, tiada untuk Mac 2026"),
              std::string::npos)
        << updater.statusText();
    EXPECT_EQ(days2026, computedMonth(2026, 3));
}

// The CSV forms as compilations save them: 12- and 24-hour times mixed in one file are read alike; an
// afternoon time marked AM puts that one day out of order, and it is computed.
TEST_F(OfficialTableTest, CsvWithAmAndPmMixed) {
    const auto published = publishedDays();
    const auto twelveHour = [](const std::string& t) {
        const int h = std::stoi(t.substr(0, 2));
        return std::to_string(h % 12 == 0 ? 12 : h % 12) + t.substr(2) + (h < 12 ? " AM" : " PM");
    };
    std::string csv = "Tarikh Miladi,Imsak,Subuh,Syuruk,Zohor,Asar,Maghrib,Isyak\r\n";
    for (int d = 1; d <= 30; ++d) {
        const auto& day = published.at({2023, 4, d});
        csv += std::to_string(d) + "/4/2023";
        for (std::size_t i = 0; i < day.size(); ++i) {
            std::string t = d % 2 ? twelveHour(day[i]) : day[i];
            if (d == 7 && i == 4)
                t.replace(t.size() - 2, 2, "AM");
            csv += "," + t;
        }
        csv += "\r\n";
    }
    addTable("WLY01 - Kuala Lumpur.csv", csv);
    const std::vector<DayTimes> days = buildMonth(2023, 4);
    const std::vector<DayTimes> computed = computedMonth(2023, 4);
    for (int d = 1; d <= 30; ++d)
        EXPECT_EQ(days[static_cast<std::size_t>(d - 1)][Prayer::Asar],
                  d == 7 ? computed[6][Prayer::Asar] : published.at({2023, 4, d})[4])
            << d;
    EXPECT_NE(logText().find("2023-04-07 salah cetak (Asar 04:"), std::string::npos) << logText();
}

// The folder is looked at (its time, not its files) for a new table; a new one builds the month again.
TEST_F(OfficialTableTest, ATableCopiedInIsNoticedAndChecked) {
    buildMonth(2023, 5);
    const std::string before = source.placeKey();
    EXPECT_EQ(source.placeKey(), before);

    const std::filesystem::path chosen = temp / "chosen.json";
    writeBytes(chosen, testData(kYearFile));
    const OfficialImport refused = importOfficialTable(chosen, folder.officialTablesFolder(), *findZone("SGR01"));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, "Jadual rasmi tidak disalin: zon WLY01, bukan SGR01");
    EXPECT_FALSE(std::filesystem::exists(folder.officialTablesFolder() / "SGR01-2023.json"));

    const OfficialImport copied = importOfficialTable(chosen, folder.officialTablesFolder(), *findZone("WLY01"));
    ASSERT_TRUE(copied.ok) << copied.message;
    EXPECT_EQ(copied.message, "Jadual rasmi WLY01 2023 disalin: 365 hari");
    EXPECT_EQ(readBytes(folder.officialTablesFolder() / "WLY01-2023.json"), testData(kYearFile));
    EXPECT_NE(source.placeKey(), before);
    updater.checkPlace();
    EXPECT_NE(updater.statusText().find("rasmi 1-31"), std::string::npos) << updater.statusText();
}

TEST(PublishedTable, ReadsTheTimeAndDateForms) {
    EXPECT_EQ(parsePublishedTime("05:56:00"), 5 * 60 + 56);
    EXPECT_EQ(parsePublishedTime("12:05 am"), 5);
    EXPECT_EQ(parsePublishedTime("12:30 PM"), 12 * 60 + 30);
    EXPECT_EQ(parsePublishedTime("7:15:59 PM"), 19 * 60 + 15);
    for (const char* bad : {"13:00 PM", "0:30 AM", "24:00", "7:60", "7", "", "7:15 XM", "07:15:61"})
        EXPECT_EQ(parsePublishedTime(bad), std::nullopt) << bad;
    EXPECT_EQ(parsePublishedDate("01-Jan-2023"), (Date{2023, 1, 1}));
    EXPECT_EQ(parsePublishedDate("5/1/2025"), (Date{2025, 1, 5}));
    EXPECT_EQ(parsePublishedDate("2024-02-29"), (Date{2024, 2, 29}));
    for (const char* bad : {"29-Feb-2023", "2023-13-01", "01-Foo-2023", "1/1/23", "2023-01-01x"})
        EXPECT_EQ(parsePublishedDate(bad), std::nullopt) << bad;
    EXPECT_EQ(dayRanges({1, 2, 3, 5, 7, 8}), "1-3, 5, 7-8");
}

#include "core/prayerdata/PrayerDatabase.h"
#include "core/config/IniFile.h"
#include "core/prayerdata/CalculatedMonthSource.h"
#include "core/prayerdata/DataUpdater.h"
#include "core/prayerdata/HttpMonthSource.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeHttpClient.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

using namespace tavrola;

namespace {
bool isTime(const std::string& t) {
    return t.size() == 5 && t[2] == ':' && std::isdigit(static_cast<unsigned char>(t[0])) &&
           std::isdigit(static_cast<unsigned char>(t[4]));
}
} // namespace

TEST(CalculatedMonthSource, WithNoServerTheClockGetsTodaysComputedTimes) {
    fakes::TempDir dir;
    const ProgramFolder folder(dir.path());
    fakes::FakeClock clock(DateTime{{2026, 12, 6}, 20, 15, 0, 0});
    fakes::FakeHttpClient http;
    CalculatedMonthSource calculated(folder.settingsFile());
    HttpMonthSource server(http, folder.settingsFile());
    server.setNoHostSource(&calculated);
    DataUpdater updater(folder, clock, server);

    updater.load();
    EXPECT_TRUE(http.requests.empty()) << "no server is set, so nothing goes to the network";
    EXPECT_TRUE(updater.UpToDate());
    const DayTimes today = readDayTimes(folder.databaseFile(), {2026, 12, 6});
    for (const std::string* t : {&today.imsak, &today.suboh, &today.syuruk, &today.duha, &today.zohor, &today.asar,
                                 &today.magrib, &today.isyak})
        EXPECT_TRUE(isTime(*t)) << *t;
    EXPECT_LT(today.suboh, today.zohor);
    EXPECT_LT(today.asar, today.isyak);
    EXPECT_EQ(readDayTimes(folder.databaseFile(), {2026, 12, 31}).zohor.size(), 5u) << "the whole month is there";
}

TEST(CalculatedMonthSource, ASetServerIsStillAsked) {
    fakes::TempDir dir;
    const ProgramFolder folder(dir.path());
    ASSERT_TRUE(AddToINI("SERVER", "DATA_HOST", "data.example.com", folder.settingsFile()));
    fakes::FakeClock clock(DateTime{{2026, 12, 6}, 20, 15, 0, 0});
    fakes::FakeHttpClient http;
    CalculatedMonthSource calculated(folder.settingsFile());
    HttpMonthSource server(http, folder.settingsFile());
    server.setNoHostSource(&calculated);
    DataUpdater updater(folder, clock, server);

    updater.load();
    ASSERT_EQ(http.requests.size(), 1u);
    EXPECT_EQ(http.requests[0].url, "https://data.example.com/data/2026-12.json");
    EXPECT_FALSE(std::filesystem::exists(folder.databaseFile()));
}

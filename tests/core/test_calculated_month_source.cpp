// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/PrayerDatabase.h"
#include "core/files/IniFile.h"
#include "core/prayerdata/CalculatedMonthSource.h"
#include "core/prayerdata/DataUpdater.h"
#include "core/prayerdata/HttpMonthSource.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeHttpClient.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

using namespace tavrola;

// With no server set the clock gets the computed month; a set server is still asked.
TEST(CalculatedMonthSource, StandsInOnlyWhenNoServerIsSet) {
    for (const bool hostSet : {false, true}) {
        fakes::TempDir dir;
        const ProgramFolder folder(dir.path());
        if (hostSet)
            AddToINI("SERVER", "DATA_HOST", "data.example.com", folder.settingsFile());
        fakes::FakeClock clock(DateTime{{2026, 12, 6}, 20, 15, 0, 0});
        fakes::FakeHttpClient http;
        CalculatedMonthSource calculated(folder.settingsFile());
        HttpMonthSource server(http, folder.settingsFile());
        server.setNoHostSource(&calculated);
        DataUpdater updater(folder, clock, server);
        updater.load();
        if (hostSet) {
            ASSERT_EQ(http.requests.size(), 1u);
            EXPECT_EQ(http.requests[0].url, "https://data.example.com/data/2026-12.json");
            EXPECT_FALSE(std::filesystem::exists(folder.databaseFile()));
            continue;
        }
        EXPECT_TRUE(http.requests.empty());
        EXPECT_TRUE(updater.UpToDate());
        const DayTimes today = readDayTimes(folder.databaseFile(), {2026, 12, 6});
        for (const std::string& t : today.values)
            EXPECT_TRUE(t.size() == 5 && t[2] == ':' && std::isdigit(static_cast<unsigned char>(t[0])) &&
                        std::isdigit(static_cast<unsigned char>(t[4])))
                << t;
        EXPECT_LT(today[Prayer::Subuh], today[Prayer::Zohor]);
        EXPECT_LT(today[Prayer::Asar], today[Prayer::Isyak]);
        EXPECT_EQ(readDayTimes(folder.databaseFile(), {2026, 12, 31})[Prayer::Zohor].size(), 5u)
            << "the whole month";
    }
}

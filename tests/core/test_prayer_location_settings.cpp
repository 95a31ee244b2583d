// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/PrayerLocationSettings.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

using namespace tavrola;
namespace fs = std::filesystem;

TEST(ParseDecimal, AcceptsNumbersAsPeopleTypeThemAndNothingElse) {
    for (const auto& [text, value] : std::initializer_list<std::pair<const char*, double>>{
             {"3.1390", 3.139}, {"+8", 8}, {"8.0", 8}, {"-0.5", -0.5}, {".5", 0.5}, {"101", 101}, {"9.5", 9.5}})
        EXPECT_EQ(parseDecimal(text), value) << text;
    for (const char* bad : {"", "+", "-", "abc", "3.1abc", "3,139", "1e2", "nan", "-nan", "inf", "-inf", "+-3",
                            "- 3", "3.1.2", "++8", "8 h", "0x10"})
        EXPECT_FALSE(parseDecimal(bad).has_value()) << bad;
}

TEST(PrayerLocationSettings, EachKeyFallsBackAloneToKualaLumpurWithoutWriting) {
    fakes::TempDir dir;
    const fs::path ini = dir / "setting.ini";
    struct Row {
        const char* text;
        double latitude, longitude, timeZone;
    };
    for (const Row& r :
         {Row{nullptr, 3.1390, 101.6869, 8},
          {"[SERVER]\r\nDATA_HOST=\r\n", 3.1390, 101.6869, 8},
          {"[lokasi]\r\nLATITUD = 5.4164 \r\nlongitud=100.3327\r\nZON_WAKTU=+8\r\n", 5.4164, 100.3327, 8},
          {"[LOKASI]\r\nLATITUD=91\r\nLONGITUD=-74.006\r\nZON_WAKTU=lapan\r\n", 3.1390, -74.006, 8},
          {"[LOKASI]\r\nLATITUD=-33.87\r\nLONGITUD=181\r\nZON_WAKTU=14.5\r\n", -33.87, 101.6869, 8},
          {"[LOKASI]\r\nLATITUD=-90\r\nLONGITUD=180\r\nZON_WAKTU=-12\r\n", -90, 180, -12}}) {
        SCOPED_TRACE(r.text ? r.text : "no file");
        if (r.text)
            fakes::writeBytes(ini, r.text);
        const PrayerLocation where = readPrayerLocation(ini);
        EXPECT_DOUBLE_EQ(where.latitude, r.latitude);
        EXPECT_DOUBLE_EQ(where.longitude, r.longitude);
        EXPECT_DOUBLE_EQ(where.timeZone, r.timeZone);
        EXPECT_EQ(fs::exists(ini) ? fakes::readBytes(ini) : std::string("<none>"), r.text ? r.text : "<none>");
    }
}

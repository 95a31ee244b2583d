#include "core/prayerdata/PrayerLocationSettings.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

using namespace tavrola;
namespace fs = std::filesystem;

namespace {

class PrayerLocationSettings : public ::testing::Test {
protected:
    fs::path writeIni(const std::string& body) {
        fakes::writeBytes(m_dir / "setting.ini", body);
        return m_dir / "setting.ini";
    }
    fakes::TempDir m_dir;
};

} // namespace

TEST(ParseDecimal, AcceptsNumbersAsPeopleTypeThem) {
    EXPECT_EQ(parseDecimal("3.1390"), 3.139);
    EXPECT_EQ(parseDecimal("+8"), 8.0);
    EXPECT_EQ(parseDecimal("8.0"), 8.0);
    EXPECT_EQ(parseDecimal("-0.5"), -0.5);
    EXPECT_EQ(parseDecimal(".5"), 0.5);
    EXPECT_EQ(parseDecimal("101"), 101.0);
}

TEST(ParseDecimal, RefusesAnythingElse) {
    for (const char* bad : {"", "+", "-", "abc", "3.1abc", "3,139", "1e2", "nan", "-nan", "inf", "-inf", "+-3",
                            "- 3", "3.1.2", "++8", "8 h", "0x10"})
        EXPECT_FALSE(parseDecimal(bad).has_value()) << bad;
}

TEST_F(PrayerLocationSettings, MissingFileOrKeysGiveKualaLumpurWithoutWriting) {
    const fs::path missing = m_dir / "setting.ini";
    const PrayerLocation where = readPrayerLocation(missing);
    EXPECT_DOUBLE_EQ(where.latitude, 3.1390);
    EXPECT_DOUBLE_EQ(where.longitude, 101.6869);
    EXPECT_DOUBLE_EQ(where.timeZone, 8.0);
    EXPECT_FALSE(fs::exists(missing));

    const std::string other = "[SERVER]\r\nDATA_HOST=\r\n";
    const fs::path ini = writeIni(other);
    EXPECT_DOUBLE_EQ(readPrayerLocation(ini).longitude, 101.6869);
    EXPECT_EQ(fs::file_size(ini), other.size());
}

TEST_F(PrayerLocationSettings, ReadsTheThreeKeysAndFallsBackOneByOne) {
    fs::path ini = writeIni("[lokasi]\r\nLATITUD = 5.4164 \r\nlongitud=100.3327\r\nZON_WAKTU=+8\r\n");
    PrayerLocation where = readPrayerLocation(ini);
    EXPECT_DOUBLE_EQ(where.latitude, 5.4164);
    EXPECT_DOUBLE_EQ(where.longitude, 100.3327);
    EXPECT_DOUBLE_EQ(where.timeZone, 8.0);

    // Each bad value falls back alone; the good ones stay.
    ini = writeIni("[LOKASI]\r\nLATITUD=91\r\nLONGITUD=-74.006\r\nZON_WAKTU=lapan\r\n");
    where = readPrayerLocation(ini);
    EXPECT_DOUBLE_EQ(where.latitude, 3.1390);
    EXPECT_DOUBLE_EQ(where.longitude, -74.006);
    EXPECT_DOUBLE_EQ(where.timeZone, 8.0);

    ini = writeIni("[LOKASI]\r\nLATITUD=-33.87\r\nLONGITUD=181\r\nZON_WAKTU=14.5\r\n");
    where = readPrayerLocation(ini);
    EXPECT_DOUBLE_EQ(where.latitude, -33.87);
    EXPECT_DOUBLE_EQ(where.longitude, 101.6869);
    EXPECT_DOUBLE_EQ(where.timeZone, 8.0);

    ini = writeIni("[LOKASI]\r\nLATITUD=-90\r\nLONGITUD=180\r\nZON_WAKTU=-12\r\n");
    where = readPrayerLocation(ini);
    EXPECT_DOUBLE_EQ(where.latitude, -90.0);
    EXPECT_DOUBLE_EQ(where.longitude, 180.0);
    EXPECT_DOUBLE_EQ(where.timeZone, -12.0);
}

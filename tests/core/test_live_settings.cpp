// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/LiveSettings.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

using namespace tavrola;

namespace {
LiveSettings readFrom(const fakes::TempDir& dir, const std::string& text) {
    const std::filesystem::path p = dir / "setting.ini";
    fakes::writeBytes(p, text);
    return readLiveSettings(p);
}
} // namespace

TEST(LiveSettings, TitleSizesOutsideWhatAScreenCanShowKeepTheSizeInForce) {
    fakes::TempDir dir;
    const auto sizes = [&](const char* tsize, const char* fsize) {
        const LiveSettings s = readFrom(dir, std::string("[TAJUK-01]\r\nTSIZE=") + tsize + "\r\nFSIZE=" + fsize);
        return std::pair(s.titles[0].points, s.titles[1].points);
    };
    EXPECT_EQ(sizes("1", "400"), std::pair(1.0, 400.0));
    EXPECT_EQ(sizes("12.5pt", " 80"), std::pair(12.5, 80.0));
    EXPECT_EQ(sizes("0.9", "400.5"), std::pair(0.0, 0.0));
    EXPECT_EQ(sizes("", "abc"), std::pair(0.0, 0.0));
}

TEST(LiveSettings, ReadsEveryLineAndStopsTheStripOnlyForOff) {
    fakes::TempDir dir;
    const std::string text = "[TAJUK-01]\r\nTITLE01=Masjid Al-Hidayah\r\nTITLE02=Selamat Datang\r\n"
                             "TEMPAT=Taman Seri Murni\r\n[WSOLAT_JAM]\r\nSKROL=oFf\r\n";
    const LiveSettings s = readFrom(dir, text);
    EXPECT_EQ(s.titles[0].text, "Masjid Al-Hidayah");
    EXPECT_EQ(s.titles[1].text, "Selamat Datang");
    EXPECT_EQ(s.place, "Taman Seri Murni");
    EXPECT_FALSE(s.scroll);
    EXPECT_EQ(fakes::readBytes(dir / "setting.ini"), text) << "missing sizes are not written";

    EXPECT_TRUE(readFrom(dir, "[WSOLAT_JAM]\r\nSKROL=\r\n").scroll);
    EXPECT_TRUE(readFrom(dir, "[WSOLAT_JAM]\r\nSKROL=ONN\r\n").scroll);
    const LiveSettings empty = readFrom(dir, "");
    EXPECT_TRUE(empty.scroll);
    EXPECT_EQ(empty, LiveSettings{});
}

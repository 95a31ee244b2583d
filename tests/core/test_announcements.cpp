// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/announce/Announcements.h"
#include "core/clock/Congregation.h"

#include <gtest/gtest.h>

using namespace tavrola;

TEST(Announcements, TheListIsShownInItsOrderAndABrokenEntrySkipsOnlyItself) {
    const AnnouncementList list = parseAnnouncements("[2]\r\nJENIS=TEKS\r\nTAJUK=Kuliah Maghrib\r\n"
                                                     "TEKS=Ustaz Ahmad\\nSelepas Maghrib\r\nSAAT=15\r\n"
                                                     "[1]\nJENIS=gambar\nFAIL=kutipan.png\nMULA=2026-12-01\n"
                                                     "TAMAT=2026-12-31\n"
                                                     "[3]\nJENIS=GAMBAR\nFAIL=../setting.ini\n"
                                                     "[4]\nJENIS=TEKS\nTEKS=x\nSAAT=2\n"
                                                     "[5]\nJENIS=TEKS\nTEKS=x\nMULA=2026-02-30\n"
                                                     "[umum]\nJENIS=TEKS\nTEKS=x\n[0]\nJENIS=TEKS\nTEKS=x\n"
                                                     "[6]\nJENIS=VIDEO\n");
    ASSERT_EQ(list.items.size(), 2u);
    EXPECT_EQ(list.items[0].file, "kutipan.png");
    EXPECT_EQ(list.items[0].kind, Announcement::Kind::Picture);
    EXPECT_EQ(list.items[0].seconds, 10);
    EXPECT_EQ(list.items[1].text, "Ustaz Ahmad\nSelepas Maghrib");
    EXPECT_EQ(list.items[1].seconds, 15);
    EXPECT_EQ(list.skipped.size(), 6u);

    EXPECT_FALSE(inForce(list.items[0], {2026, 11, 30}));
    EXPECT_TRUE(inForce(list.items[0], {2026, 12, 1}));
    EXPECT_TRUE(inForce(list.items[0], {2026, 12, 31}));
    EXPECT_FALSE(inForce(list.items[0], {2027, 1, 1}));
    EXPECT_TRUE(inForce(list.items[1], {1999, 1, 1}));

    for (const char* bad : {"a/b.png", "..png", ".png", "a.gif", "a.png.exe", "a b.png", ""})
        EXPECT_FALSE(isPictureFileName(bad)) << bad;
    EXPECT_TRUE(isPictureFileName("Kutipan-Jumaat_2.JPEG"));
}

TEST(Announcements, HostileListsStayBoundedAndNeverThrow) {
    std::string many;
    for (int i = 10000; i >= 1; --i)
        many += "[" + std::to_string(i) + "]\nJENIS=TEKS\nTEKS=t" + std::to_string(i) + "\n";
    const AnnouncementList cut = parseAnnouncements(many);
    ASSERT_EQ(cut.items.size(), announce::kMaxAnnouncements);
    EXPECT_EQ(cut.items.front().text, "t1") << "the first hundred in the order, wherever they stand";
    EXPECT_EQ(cut.skipped.size(), 1u);

    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary.push_back(static_cast<char>((i * 37) & 0xFF));
    binary += "\n[1]\nJENIS=TEKS\nTEKS=ok\n[";
    const AnnouncementList rest = parseAnnouncements(binary);
    ASSERT_EQ(rest.items.size(), 1u);
    EXPECT_EQ(rest.items[0].text, "ok");
}

TEST(Announcements, FuneralNoticeStandsUntilItsEnd) {
    const DateTime now{{2026, 12, 7}, 13, 0, 0, 0};
    const auto notice = funeralNotice(" Haji Ali bin Abu ", "selepas solat Zohor", "2026-12-07 14:30", now);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->name, "Haji Ali bin Abu");
    EXPECT_FALSE(funeralNotice("Haji Ali", "", "2026-12-07 13:00", now)) << "over at its minute";
    EXPECT_FALSE(funeralNotice("", "x", "2026-12-08 13:00", now));
    EXPECT_TRUE(funeralNotice("Haji Ali", "", "2026-12-08 00:05", now)) << "past midnight";
    for (const char* bad : {"2026-12-07", "2026-12-07 24:00", "2026-13-01 10:00", "7/12/2026 14:30",
                            "2026-12-07T14:30", "2026-12-07 14.30"})
        EXPECT_FALSE(funeralNotice("Haji Ali", "", bad, now)) << bad;
}

TEST(Announcements, RoundsKeepClearOfPrayersAndCongregationAndTheCardTurns) {
    DayTimes today;
    today[Prayer::Subuh] = "00:05"; // counted across midnight
    today[Prayer::Zohor] = "13:15";
    today[Prayer::Isyak] = kNoTime;
    const CongregationState normal;
    const auto at = [&](int h, int m) { return DateTime{{2026, 12, 7}, h, m, 0, 0}; };
    EXPECT_TRUE(roundAllowed(at(13, 4), today, normal, false));
    EXPECT_FALSE(roundAllowed(at(13, 5), today, normal, false));
    EXPECT_TRUE(roundAllowed(at(13, 15), today, normal, false))
        << "the prayer's own minute belongs to the congregation rules";
    EXPECT_FALSE(roundAllowed(at(23, 58), today, normal, false));
    EXPECT_FALSE(roundAllowed(at(10, 0), today, normal, true)) << "azan";
    CongregationState countdown;
    countdown.screen = CongregationState::Screen::IqamahCountdown;
    EXPECT_FALSE(roundAllowed(at(10, 0), today, countdown, false));

    EXPECT_EQ(roundEveryMinutes("30"), 30);
    for (const char* off : {"", "0", "-5", "abc", "1441"})
        EXPECT_EQ(roundEveryMinutes(off), 0) << off;

    const std::vector<int> pages{10, 3, 5};
    EXPECT_EQ(cardPageAt(pages, 0).index, 0u);
    EXPECT_EQ(cardPageAt(pages, 12).index, 1u);
    EXPECT_EQ(cardPageAt(pages, 12).secondsLeft, 1);
    EXPECT_EQ(cardPageAt(pages, 17).index, 2u);
    EXPECT_EQ(cardPageAt(pages, 18).index, 0u) << "round again";
    EXPECT_EQ(cardPageAt({}, 5).index, 0u);
}

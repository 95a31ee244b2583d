#include "core/settings/SettingsRules.h"

#include <gtest/gtest.h>

using namespace tavrola;
using namespace tavrola::settingsform;

TEST(SettingsRules, SliderFollowsOnlyNumbersInsideItsRange) {
    EXPECT_EQ(sliderPositionFor("50", kSizeMin, kSizeMax), 50);
    EXPECT_EQ(sliderPositionFor("10", kSizeMin, kSizeMax), 10);
    EXPECT_EQ(sliderPositionFor("80", kSizeMin, kSizeMax), 80);
    EXPECT_EQ(sliderPositionFor("95", kSizeMin, kSizeMax), std::nullopt);
    EXPECT_EQ(sliderPositionFor("9", kSizeMin, kSizeMax), std::nullopt);
    // Not a number reads as 0, outside the sizes' range.
    EXPECT_EQ(sliderPositionFor("ab", kSizeMin, kSizeMax), std::nullopt);
    EXPECT_EQ(sliderPositionFor("", kSizeMin, kSizeMax), std::nullopt);
    // The range is checked before rounding.
    EXPECT_EQ(sliderPositionFor("79.6", kSizeMin, kSizeMax), 80);
    EXPECT_EQ(sliderPositionFor("10.4", kSizeMin, kSizeMax), 10);
    EXPECT_EQ(sliderPositionFor("80.4", kSizeMin, kSizeMax), std::nullopt);
    EXPECT_EQ(sliderPositionFor("9.6", kSizeMin, kSizeMax), std::nullopt);

    EXPECT_EQ(sliderPositionFor("797", kPositionMin, kPositionMax), 797);
    EXPECT_EQ(sliderPositionFor("0", kPositionMin, kPositionMax), 0);
    EXPECT_EQ(sliderPositionFor("32767", kPositionMin, kPositionMax), 32767);
    EXPECT_EQ(sliderPositionFor("-5", kPositionMin, kPositionMax), std::nullopt);
    EXPECT_EQ(sliderPositionFor("40000", kPositionMin, kPositionMax), std::nullopt);
    EXPECT_EQ(sliderPositionFor("99999999999999999999999", kPositionMin, kPositionMax), std::nullopt);
}

TEST(SettingsRules, OnlyARealFourDigitTimeIsAShutdownTime) {
    EXPECT_EQ(storedShutdownTime("0605"), (HourMinute{6, 5}));
    EXPECT_EQ(storedShutdownTime("2359"), (HourMinute{23, 59}));
    EXPECT_EQ(storedShutdownTime("0000"), (HourMinute{0, 0}));
    for (const char* never : {"2400", "1260", "22:0", "605", "06055", "", " 605", "ab12"})
        EXPECT_EQ(storedShutdownTime(never), std::nullopt) << never;
}

TEST(SettingsRules, ShutdownTexts) {
    EXPECT_EQ(shutdownTimeText({6, 5}), "0605");
    EXPECT_EQ(shutdownTimeText({23, 0}), "2300");
    EXPECT_EQ(shutdownStatusText(kShutdownSaved, {6, 5}),
              "DISIMPAN\r\n\r\nMasa Shutdown : 06:05\r\n(Setiap Hari)");
}

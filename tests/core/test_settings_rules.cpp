// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/SettingsRules.h"

#include <gtest/gtest.h>

using namespace tavrola;
using namespace tavrola::settingsform;

TEST(SettingsRules, SliderFollowsOnlyNumbersInsideItsRangeCheckedBeforeRounding) {
    // Not a number reads as 0, outside the sizes' range.
    for (const auto& [text, position] :
         std::initializer_list<std::pair<const char*, std::optional<int>>>{{"50", 50},
                                                                           {"10", 10},
                                                                           {"80", 80},
                                                                           {"95", {}},
                                                                           {"9", {}},
                                                                           {"ab", {}},
                                                                           {"", {}},
                                                                           {"79.6", 80},
                                                                           {"10.4", 10},
                                                                           {"80.4", {}},
                                                                           {"9.6", {}}})
        EXPECT_EQ(sliderPositionFor(text, kSizeMin, kSizeMax), position) << text;
    for (const auto& [text, position] : std::initializer_list<std::pair<const char*, std::optional<int>>>{
             {"797", 797}, {"0", 0}, {"32767", 32767}, {"-5", {}}, {"40000", {}}, {"99999999999999999999999", {}}})
        EXPECT_EQ(sliderPositionFor(text, kPositionMin, kPositionMax), position) << text;
}

TEST(SettingsRules, OnlyARealFourDigitTimeIsAShutdownTime) {
    EXPECT_EQ(storedShutdownTime("0605"), (HourMinute{6, 5}));
    EXPECT_EQ(storedShutdownTime("2359"), (HourMinute{23, 59}));
    EXPECT_EQ(storedShutdownTime("0000"), (HourMinute{0, 0}));
    for (const char* never : {"2400", "1260", "22:0", "605", "06055", "", " 605", "ab12"})
        EXPECT_EQ(storedShutdownTime(never), std::nullopt) << never;
    EXPECT_EQ(shutdownTimeText({6, 5}), "0605");
    EXPECT_EQ(shutdownTimeText({23, 0}), "2300");
    EXPECT_EQ(shutdownStatusText(kShutdownSaved, {6, 5}),
              "DISIMPAN\r\n\r\nMasa Shutdown : 06:05\r\n(Setiap Hari)");
}

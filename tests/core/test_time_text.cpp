// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/controls/TimePickerText.h"

#include <gtest/gtest.h>

using namespace tavrola;

TEST(TimeText, LooseFormsAreReadAndClampedAndWithoutSeparatorTheValueIsKept) {
    // "-5/3" has the parts "", "5", "3": the third is ignored.
    for (const auto& [text, shown] : std::initializer_list<std::pair<const char*, const char*>>{
             {"7:5", "07:05"},
             {"7.5", "07:05"},
             {"25:70", "23:59"},
             {"12 30", "12:30"},
             {"  12 30  ", "12:30"},
             {"-5/3", "00:05"},
             {"6:", "06:00"},
             {":", "00:00"},
             {"99999:1", "23:01"},
             {"9x:3y", "09:03"},
             {"99999999999999999999999:99999999999999999", "23:59"},
             {"ab:cd", "00:00"},
             {"2200", "(kept)"},
             {"", "(kept)"},
             {"    ", "(kept)"},
             {"abc", "(kept)"}}) {
        const auto t = parseTypedTime(text);
        EXPECT_EQ(t ? formatHourMinute(*t) : std::string("(kept)"), shown) << '"' << text << '"';
    }
}

TEST(TimeText, KeyFilter) {
    for (char32_t c : {U'-', U':', U'.', U'/'})
        EXPECT_EQ(filterTimeKey(c), TimeKey::EnterColon);
    for (char32_t c : {U'0', U'5', U'9', U'\b'})
        EXPECT_EQ(filterTimeKey(c), TimeKey::Pass);
    for (char32_t c : {U' ', U'a', U'+', U'\r', U'\x0663' /* Arabic-Indic three */})
        EXPECT_EQ(filterTimeKey(c), TimeKey::Discard);
}

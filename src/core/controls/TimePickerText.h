// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrola {

// An hour and minute of the day as the time picker shows them.
struct HourMinute {
    int hour = 0;   // 0..23
    int minute = 0; // 0..59

    friend bool operator==(const HourMinute&, const HourMinute&) = default;
};

// What the time box does with one typed character.
enum class TimeKey { Pass, EnterColon, Discard };

// Digits and backspace pass, the usual separators ("-", ":", ".", "/") become ":", anything else
// is dropped.
TimeKey filterTimeKey(char32_t ch);

// Reads a loosely typed time ("7.5", "12 30", "25:70", "6:"). The first two parts separated by
// ".", " ", "-", "/" or ":" are the hour and the minutes, each clamped into range; a part without
// digits counts as 0. Without any separator there is no time: the caller keeps its value.
std::optional<HourMinute> parseTypedTime(std::string_view text);

// "HH:MM", both two digits.
std::string formatHourMinute(HourMinute t);

// Sizes of the picker's parts, in twips, for a control of the given size.
struct TimePickerLayout {
    int controlWidth = 0; // the control's own width after the minimum is applied
    int textLeft = 0, textTop = 0, textWidth = 0, textHeight = 0;
    int buttonLeft = 0, buttonWidth = 0, upTop = 0, downTop = 0, buttonHeight = 0;
};

inline constexpr int kTimePickerMinWidthTwips = 2400;
inline constexpr int kTimePickerHeightTwips = 375;

TimePickerLayout layoutTimePicker(int widthTwips, int heightTwips);

} // namespace tavrola

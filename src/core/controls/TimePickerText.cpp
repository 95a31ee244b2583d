// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/controls/TimePickerText.h"

#include <algorithm>
#include <vector>

#include "core/calendar/DateTime.h"

namespace tavrola {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The leading decimal number of a part; the value saturates instead of overflowing, since it is
// clamped to an hour or minute afterwards anyway.
int leadingNumber(std::string_view part) {
    std::size_t i = 0;
    if (i < part.size() && part[i] == '+')
        ++i;
    long long n = 0;
    for (; i < part.size() && isDigit(part[i]); ++i) {
        n = n * 10 + (part[i] - '0');
        if (n > 1000000)
            n = 1000000;
    }
    return static_cast<int>(n);
}

} // namespace

TimeKey filterTimeKey(char32_t ch) {
    if (ch == U'\b')
        return TimeKey::Pass;
    if (ch == U'-' || ch == U':' || ch == U'.' || ch == U'/')
        return TimeKey::EnterColon;
    if (ch >= U'0' && ch <= U'9')
        return TimeKey::Pass;
    return TimeKey::Discard;
}

std::optional<HourMinute> parseTypedTime(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ':' || text[i] == '.' || text[i] == ' ' || text[i] == '-' ||
            text[i] == '/') {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (parts.size() < 2)
        return std::nullopt;
    return HourMinute{std::clamp(leadingNumber(parts[0]), 0, 23), std::clamp(leadingNumber(parts[1]), 0, 59)};
}

std::string formatHourMinute(HourMinute t) {
    return hourMinuteText(t.hour * 60 + t.minute);
}

TimePickerLayout layoutTimePicker(int widthTwips, int heightTwips) {
    TimePickerLayout l;
    l.controlWidth = std::max(widthTwips, kTimePickerMinWidthTwips);
    const int height = std::max(heightTwips, 0);
    l.textWidth = l.controlWidth - 400;
    l.textHeight = height;
    l.buttonWidth = 375;
    l.buttonHeight = height / 2;
    l.buttonLeft = l.controlWidth - l.buttonWidth;
    l.upTop = 0;
    l.downTop = l.buttonHeight;
    return l;
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/TimeText.h"

#include "core/files/IniFile.h"

namespace tavrola {

namespace {

// The whole text as a non-negative decimal number, or -1.
long long wholeNumber(std::string_view s) {
    s = ini::trimSpaces(s);
    if (s.empty() || s.size() > 9)
        return -1;
    long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

int hour12(int h) {
    const int r = h % 12;
    return r == 0 ? 12 : r;
}

} // namespace

std::string Convert24To12(std::string_view text) {
    const std::string_view t = ini::trimSpaces(text);
    if (t.empty())
        return "00:00";
    const auto colon = t.find(':');
    if (colon == std::string_view::npos)
        return std::string(t);
    long long h = wholeNumber(t.substr(0, colon));
    if (h < 0)
        h = 0;
    const std::string_view rest = t.substr(colon);
    const long long shown = h >= 13 ? h - 12 : (h == 0 ? 12 : h);
    return std::to_string(shown) + std::string(rest);
}

std::string CountdownText(std::int64_t seconds) {
    if (seconds <= 0)
        return "0 saat";
    const std::int64_t h = seconds / 3600;
    const std::int64_t m = (seconds % 3600) / 60;
    const std::int64_t s = seconds % 60;
    std::string out;
    if (h > 0)
        out += std::to_string(h) + " jam ";
    if (m > 0)
        out += std::to_string(m) + " minit ";
    if (s > 0)
        out += std::to_string(s) + " saat";
    return std::string(ini::trimSpaces(out));
}

std::optional<int> minutesOfDay(std::string_view text) {
    std::string_view t = ini::trimSpaces(text);
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const auto twoDigits = [&](std::string_view d) { return d.size() == 2 && digit(d[0]) && digit(d[1]); };
    // A data server may send seconds ("04:45:00"), which the database keeps as they came.
    if (t.size() >= 7 && t[t.size() - 3] == ':') {
        const std::string_view seconds = t.substr(t.size() - 2);
        if (!twoDigits(seconds) || seconds[0] > '5')
            return std::nullopt;
        t.remove_suffix(3);
    }
    const auto colon = t.find(':');
    if (colon == std::string_view::npos || colon < 1 || colon > 2 || !twoDigits(t.substr(colon + 1)))
        return std::nullopt;
    const std::string_view hs = t.substr(0, colon);
    if (!digit(hs[0]) || (hs.size() == 2 && !digit(hs[1])))
        return std::nullopt;
    const int h = hs.size() == 2 ? (hs[0] - '0') * 10 + (hs[1] - '0') : hs[0] - '0';
    const int m = (t[colon + 1] - '0') * 10 + (t[colon + 2] - '0');
    if (h > 23 || m > 59)
        return std::nullopt;
    return h * 60 + m;
}

std::string minuteText(const DateTime& t) {
    return std::to_string(hour12(t.hour)) + ":" + pad(t.minute, 2) + (t.hour < 12 ? " AM" : " PM");
}

std::string clockText(const DateTime& t, std::string_view setJam) {
    if (setJam != "0")
        return timeOfDayText(t);
    return pad(hour12(t.hour), 2) + ":" + pad(t.minute, 2) + ":" + pad(t.second, 2) +
           (t.hour < 12 ? " am" : " pm");
}

} // namespace tavrola

#include "core/clock/TimeText.h"

#include "core/config/IniFile.h"

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
    const std::string_view t = ini::trimSpaces(text);
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (t.size() != 5 || t[2] != ':' || !digit(t[0]) || !digit(t[1]) || !digit(t[3]) || !digit(t[4]))
        return std::nullopt;
    const int h = (t[0] - '0') * 10 + (t[1] - '0');
    const int m = (t[3] - '0') * 10 + (t[4] - '0');
    if (h > 23 || m > 59)
        return std::nullopt;
    return h * 60 + m;
}

std::string minuteText(const DateTime& t) {
    return std::to_string(hour12(t.hour)) + ":" + pad(t.minute, 2) + (t.hour < 12 ? " AM" : " PM");
}

std::string clockText(const DateTime& t, std::string_view setJam) {
    if (setJam != "0")
        return pad(t.hour, 2) + ":" + pad(t.minute, 2) + ":" + pad(t.second, 2);
    return pad(hour12(t.hour), 2) + ":" + pad(t.minute, 2) + ":" + pad(t.second, 2) +
           (t.hour < 12 ? " am" : " pm");
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/JsonScanner.h"

#include "core/calendar/DateTime.h"
#include "core/calendar/Prayer.h"
#include "core/files/IniFile.h"

#include <algorithm>

namespace tavrola {

std::size_t FindMatchingBrace(std::string_view text, std::size_t open) {
    if (open == 0 || open > text.size())
        return 0;
    int depth = 1;
    std::size_t i = open; // 0-based index of the character after the opening brace
    for (; i < text.size() && depth > 0; ++i) {
        if (text[i] == '{')
            ++depth;
        else if (text[i] == '}')
            --depth;
    }
    // i is now one past the last character looked at, which is its 1-based position.
    return depth == 0 ? i : 0;
}

std::string GetJsonValue(std::string_view object, std::string_view name) {
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted += '"';
    quoted += name;
    quoted += '"';
    const std::size_t at = object.find(quoted);
    if (at == std::string_view::npos)
        return {};
    const std::size_t colon = object.find(':', at);
    if (colon == std::string_view::npos)
        return {};
    const std::size_t open = object.find('"', colon);
    if (open == std::string_view::npos)
        return {};
    const std::size_t close = object.find('"', open + 1);
    if (close == std::string_view::npos)
        return {};
    return std::string(object.substr(open + 1, close - open - 1));
}

std::optional<std::string> NormalizeTime(std::string_view value) {
    const std::string_view v = ini::trimSpaces(value);
    if (v.empty())
        return std::string(kNoTime);
    // A raw line break would end the key's line in dbsolat.dat and could forge other keys or days.
    // JSON strings never hold control characters unescaped, so such a value is not a time at all.
    if (std::any_of(v.begin(), v.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return std::nullopt;
    if (std::count(v.begin(), v.end(), ':') != 1)
        return std::string(v);

    const std::size_t colon = v.find(':');
    // A whole number, spaces around it allowed; anything else is not a time we can pad.
    const std::string_view hourText = ini::trimSpaces(v.substr(0, colon));
    if (hourText.empty() || hourText.size() > 5 ||
        !std::all_of(hourText.begin(), hourText.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int hour = 0;
    for (char c : hourText)
        hour = hour * 10 + (c - '0');
    std::string out = pad(hour, 2);
    out += v.substr(colon);
    return out;
}

} // namespace tavrola

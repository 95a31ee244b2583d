// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/MonthConverter.h"

#include "core/prayerdata/JsonScanner.h"

namespace tavrola {

namespace {

// A member's name as some servers write it: all in lower case.
std::string lowerCase(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

} // namespace

MonthConversion convertMonthDocument(std::string_view document, const DateTime& now) {
    MonthConversion result;
    const Date& today = now.date;
    result.daysInMonth = daysInMonth(today.year, today.month);
    result.text.reserve(512 + static_cast<std::size_t>(result.daysInMonth) * 220);
    prayerdb::appendHeader(result.text, now);

    const std::string yearMonth = pad(today.year, 4) + "-" + pad(today.month, 2) + "-";
    for (int day = 1; day <= result.daysInMonth; ++day) {
        const std::string quotedDate = "\"" + yearMonth + pad(day, 2) + "\"";
        const std::size_t at = document.find(quotedDate);
        if (at == std::string_view::npos)
            continue;
        const std::size_t open = document.find('{', at);
        if (open == std::string_view::npos)
            continue;
        const std::size_t close = FindMatchingBrace(document, open + 1);
        if (close == 0 || close <= open + 1)
            continue;
        const std::string_view object = document.substr(open, close - open);

        DayTimes times;
        for (Prayer p : kAllPrayers) {
            const std::string_view name = prayerNames(p).document;
            std::string raw = GetJsonValue(object, name);
            if (raw.empty())
                raw = GetJsonValue(object, lowerCase(name));
            std::optional<std::string> normal = NormalizeTime(raw);
            if (!normal) {
                // The status line is one line: control characters show as '?'.
                for (char& c : raw)
                    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                        c = '?';
                result.error =
                    "Invalid " + std::string(name) + " time \"" + raw + "\" on " + yearMonth + pad(day, 2);
                result.text.clear();
                return result;
            }
            times[p] = std::move(*normal);
        }

        if (day == today.day) {
            result.today = times;
            result.todayFound = true;
        }
        prayerdb::appendDayBlock(result.text, {today.year, today.month, day}, times);
        ++result.daysFound;
    }
    prayerdb::appendEnd(result.text);
    result.ok = true;
    return result;
}

} // namespace tavrola

#include "core/prayerdata/MonthConverter.h"

#include "core/prayerdata/JsonScanner.h"

namespace tavrola {

namespace {

// A prayer's names in the month document: the first is tried, then the second.
struct JsonNames {
    std::string_view name;
    std::string_view lower;
};

constexpr std::array<JsonNames, kPrayerCount> kNames{{
    {"Imsak", "imsak"},
    {"Subuh", "subuh"},
    {"Syuruk", "syuruk"},
    {"Dhuha", "dhuha"},
    {"Zohor", "zohor"},
    {"Asar", "asar"},
    {"Maghrib", "maghrib"},
    {"Isyak", "isyak"},
}};

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

        StoredDay times;
        for (std::size_t i = 0; i < kPrayerCount; ++i) {
            std::string raw = GetJsonValue(object, kNames[i].name);
            if (raw.empty())
                raw = GetJsonValue(object, kNames[i].lower);
            std::optional<std::string> normal = NormalizeTime(raw);
            if (!normal) {
                // The status line is one line: control characters show as '?'.
                for (char& c : raw)
                    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                        c = '?';
                result.error = "Invalid " + std::string(kNames[i].name) + " time \"" + raw + "\" on " + yearMonth +
                               pad(day, 2);
                result.text.clear();
                return result;
            }
            times[i] = std::move(*normal);
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

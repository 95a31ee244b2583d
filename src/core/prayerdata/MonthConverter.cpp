#include "core/prayerdata/MonthConverter.h"

#include "core/prayerdata/JsonScanner.h"
#include "core/prayerdata/MalayNames.h"

namespace tavrola {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kRule = "==========================================";
constexpr std::string_view kDayRule = "------------------------------------------";

struct PrayerNames {
    std::string_view json;      // tried first
    std::string_view jsonLower; // tried when the first gives nothing
    std::string_view stored;
};

constexpr std::array<PrayerNames, kPrayerCount> kNames{{
    {"Imsak", "imsak", "Imsak"},
    {"Subuh", "subuh", "Suboh"},
    {"Syuruk", "syuruk", "Syuruk"},
    {"Dhuha", "dhuha", "Duha"},
    {"Zohor", "zohor", "Zohor"},
    {"Asar", "asar", "Asar"},
    {"Maghrib", "maghrib", "Magrib"},
    {"Isyak", "isyak", "Isyak"},
}};

void appendLine(std::string& out, std::string_view a, std::string_view b = {}) {
    out += a;
    out += b;
    out += kCrLf;
}

std::string longDate(const Date& d) {
    std::string s(prayerdata::malayWeekdayName(weekday(d)));
    s += ", ";
    s += pad(d.day, 2);
    s += ' ';
    s += prayerdata::malayMonthName(d.month);
    s += ' ';
    s += pad(d.year, 4);
    return s;
}

std::string clockText(const DateTime& t) {
    return pad(t.hour, 2) + ":" + pad(t.minute, 2) + ":" + pad(t.second, 2);
}

void appendHeader(std::string& out, const DateTime& now) {
    const Date& d = now.date;
    appendLine(out, kRule);
    appendLine(out, "JADUAL WAKTU SOLAT BULANAN");
    appendLine(out, "Bulan: ", monthCaption(d));
    appendLine(out, "CACHE_MONTH=", monthKey(d));
    appendLine(out, "UPDATE_DATE=", pad(d.day, 2) + pad(d.month, 2) + pad(d.year, 4) + " " + clockText(now));
    appendLine(
        out, "LAST_UPDATE=", pad(d.day, 2) + "/" + pad(d.month, 2) + "/" + pad(d.year, 4) + " " + clockText(now));
    appendLine(out, kRule);
    out += kCrLf;
}

} // namespace

std::string monthKey(const Date& d) {
    return pad(d.month, 2) + pad(d.year, 4);
}

std::string monthCaption(const Date& d) {
    return std::string(prayerdata::malayMonthName(d.month)) + " " + pad(d.year, 4);
}

std::string_view databaseKey(Prayer p) {
    return kNames[static_cast<std::size_t>(p)].stored;
}

MonthConversion convertMonthDocument(std::string_view document, const DateTime& now) {
    MonthConversion result;
    const Date& today = now.date;
    result.daysInMonth = daysInMonth(today.year, today.month);
    result.text.reserve(512 + static_cast<std::size_t>(result.daysInMonth) * 220);
    appendHeader(result.text, now);

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
            std::string raw = GetJsonValue(object, kNames[i].json);
            if (raw.empty())
                raw = GetJsonValue(object, kNames[i].jsonLower);
            std::optional<std::string> normal = NormalizeTime(raw);
            if (!normal) {
                // The status line is one line: control characters show as '?'.
                for (char& c : raw)
                    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                        c = '?';
                result.error = "Invalid " + std::string(kNames[i].json) + " time \"" + raw + "\" on " + yearMonth +
                               pad(day, 2);
                result.text.clear();
                return result;
            }
            times[i] = std::move(*normal);
        }

        const Date date{today.year, today.month, day};
        if (day == today.day) {
            result.today = times;
            result.todayFound = true;
        }
        result.text += '[';
        result.text += pad(day, 2);
        result.text += pad(today.month, 2);
        result.text += pad(today.year, 4);
        appendLine(result.text, "]");
        appendLine(result.text, "Tarikh: ", longDate(date));
        for (std::size_t i = 0; i < kPrayerCount; ++i) {
            result.text += kNames[i].stored;
            result.text += '=';
            appendLine(result.text, times[i]);
        }
        appendLine(result.text, kDayRule);
        result.text += kCrLf;
        ++result.daysFound;
    }
    result.text += kCrLf;
    result.ok = true;
    return result;
}

} // namespace tavrola

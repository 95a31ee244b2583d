// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/PublishedTable.h"

#include "core/prayerdata/JsonScanner.h"

#include <array>
#include <cctype>
#include <charconv>

namespace tavrola {

namespace {

// Spaces, tabs and line ends around a value.
std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Reads up to `width` digits at `at`; nothing when there are none.
std::optional<int> digits(std::string_view text, std::size_t& at, std::size_t width) {
    int value = 0;
    std::size_t n = 0;
    while (at < text.size() && n < width && text[at] >= '0' && text[at] <= '9') {
        value = value * 10 + (text[at] - '0');
        ++at;
        ++n;
    }
    return n ? std::optional<int>(value) : std::nullopt;
}

std::string quoted(std::string_view s) {
    // Enough of a bad value to recognise it, never a whole line of it.
    return "\"" + std::string(s.substr(0, 24)) + "\"";
}

// Splits one CSV line, with double-quoted fields.
std::vector<std::string_view> splitCsv(std::string_view line, std::vector<std::string>& storage) {
    storage.assign(1, {});
    bool inQuotes = false;
    for (char c : line) {
        if (c == '"')
            inQuotes = !inQuotes;
        else if (c == ',' && !inQuotes)
            storage.emplace_back();
        else if (c != '\r')
            storage.back() += c;
    }
    std::vector<std::string_view> out;
    out.reserve(storage.size());
    for (const std::string& field : storage)
        out.push_back(trim(field));
    return out;
}

void readCell(PublishedDay& day, Prayer p, std::string_view cell) {
    if (cell.empty())
        return;
    day.minutes[p] = parsePublishedTime(cell);
    if (!day.minutes[p] && day.unreadable.empty())
        day.unreadable = std::string(prayerNames(p).document) + " " + quoted(cell);
}

} // namespace

std::optional<int> parsePublishedTime(std::string_view text) {
    text = trim(text);
    std::size_t at = 0;
    const auto h = digits(text, at, 2);
    if (!h || at >= text.size() || text[at] != ':')
        return std::nullopt;
    ++at;
    const auto m = digits(text, at, 2);
    if (!m || *m > 59)
        return std::nullopt;
    if (at < text.size() && text[at] == ':') {
        ++at;
        const auto s = digits(text, at, 2);
        if (!s || *s > 59)
            return std::nullopt;
    }
    const std::string suffix = lower(trim(text.substr(at)));
    int hour = *h;
    if (!suffix.empty()) {
        if ((suffix != "am" && suffix != "pm") || hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (suffix == "pm" ? 12 : 0);
    }
    if (hour > 23)
        return std::nullopt;
    return hour * 60 + *m;
}

std::optional<Date> parsePublishedDate(std::string_view text) {
    static constexpr std::array<std::string_view, 12> kMonths = {"jan", "feb", "mar", "apr", "may", "jun",
                                                                 "jul", "aug", "sep", "oct", "nov", "dec"};
    text = trim(text);
    std::size_t at = 0;
    const auto a = digits(text, at, 4);
    if (!a || at >= text.size())
        return std::nullopt;
    const char separator = text[at++];
    Date d;
    if (separator == '-' && at + 3 <= text.size() && std::isalpha(static_cast<unsigned char>(text[at]))) {
        // "01-Jan-2023"
        const std::string name = lower(text.substr(at, 3));
        int month = 0;
        for (std::size_t i = 0; i < kMonths.size(); ++i)
            if (kMonths[i] == name)
                month = static_cast<int>(i) + 1;
        at += 3;
        if (!month || at >= text.size() || text[at++] != '-')
            return std::nullopt;
        const auto y = digits(text, at, 4);
        if (!y)
            return std::nullopt;
        d = {*y, month, *a};
    } else if (separator == '-' || separator == '/') {
        const auto b = digits(text, at, 2);
        if (!b || at >= text.size() || text[at++] != separator)
            return std::nullopt;
        const auto c = digits(text, at, 4);
        if (!c)
            return std::nullopt;
        d = separator == '-' ? Date{*a, *b, *c} : Date{*c, *b, *a};
    } else {
        return std::nullopt;
    }
    if (at != text.size() || d.year < 1900 || !isValidDate(d))
        return std::nullopt;
    return d;
}

PublishedRead readPublishedCsv(std::string_view text, std::string_view fileZone) {
    PublishedRead out;
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.remove_prefix(3);
    std::vector<std::string> storage;
    std::size_t lineNumber = 0;
    const auto nextLine = [&](std::string_view& line) {
        if (text.empty())
            return false;
        const std::size_t end = text.find('\n');
        line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        return true;
    };

    std::string_view line;
    if (!nextLine(line)) {
        out.error = "fail kosong";
        return out;
    }
    const std::vector<std::string> header = [&] {
        std::vector<std::string> names;
        for (std::string_view field : splitCsv(line, storage))
            names.push_back(lower(field));
        return names;
    }();
    int zoneColumn = -1, dateColumn = -1;
    ByPrayer<int> prayerColumn;
    prayerColumn.values.fill(-1);
    for (std::size_t c = 0; c < header.size(); ++c) {
        if (header[c] == "zone" || header[c] == "zon")
            zoneColumn = static_cast<int>(c);
        else if (header[c] == "date" || header[c] == "tarikh miladi")
            dateColumn = static_cast<int>(c);
        for (Prayer p : kAllPrayers)
            if (header[c] == lower(prayerNames(p).document))
                prayerColumn[p] = static_cast<int>(c);
    }
    if (dateColumn < 0) {
        out.error = "bukan jadual waktu solat (tiada lajur date atau Tarikh Miladi)";
        return out;
    }
    const std::string ownZone(fileZone.substr(0, 5));
    const auto fault = [&](std::string why) {
        if (out.error.empty())
            out.error = "baris " + std::to_string(lineNumber) + ": " + std::move(why);
    };
    while (nextLine(line)) {
        if (trim(line).empty())
            continue;
        const auto fields = splitCsv(line, storage);
        if (fields.size() < header.size()) {
            fault("tidak lengkap");
            continue;
        }
        const std::string zone(zoneColumn >= 0 ? fields[static_cast<std::size_t>(zoneColumn)] : ownZone);
        const std::string_view dateText = fields[static_cast<std::size_t>(dateColumn)];
        const auto date = parsePublishedDate(dateText);
        if (!date || zone.empty()) {
            fault(date ? "tiada zon" : "tarikh " + quoted(dateText) + " tidak sah");
            continue;
        }
        PublishedDay day{*date, {}, {}};
        for (Prayer p : kAllPrayers)
            if (prayerColumn[p] >= 0)
                readCell(day, p, fields[static_cast<std::size_t>(prayerColumn[p])]);
        out.zones[zone].push_back(std::move(day));
    }
    return out;
}

PublishedRead readEsolatYear(std::string_view text) {
    // e-Solat's member names, in the order of kAllPrayers.
    static constexpr std::array<std::string_view, kPrayerCount> kMembers = {"imsak", "fajr", "syuruk",  "dhuha",
                                                                            "dhuhr", "asr",  "maghrib", "isha"};
    PublishedRead out;
    const auto skipSpaces = [&](std::size_t at) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
        return at;
    };
    const std::size_t key = text.find("\"prayerTime\"");
    std::size_t at = key == std::string_view::npos ? key : skipSpaces(key + 12);
    if (at >= text.size() || text[at] != ':' || (at = skipSpaces(at + 1)) >= text.size() || text[at] != '[') {
        out.error = "bukan jadual e-Solat (tiada prayerTime)";
        return out;
    }
    const std::size_t arrayStart = at;
    std::vector<PublishedDay> days;
    at = skipSpaces(at + 1);
    bool closed = at < text.size() && text[at] == ']';
    while (!closed) {
        if (at >= text.size() || text[at] != '{')
            break;
        // FindMatchingBrace counts from 1.
        const std::size_t end = FindMatchingBrace(text, at + 1);
        if (end == 0)
            break;
        const std::string_view object = text.substr(at, end - at);
        const std::string dateText = GetJsonValue(object, "date");
        const auto date = parsePublishedDate(dateText);
        if (!date) {
            out.error =
                "hari ke-" + std::to_string(days.size() + 1) + ": tarikh " + quoted(dateText) + " tidak sah";
            return out;
        }
        PublishedDay day{*date, {}, {}};
        for (std::size_t i = 0; i < kMembers.size(); ++i)
            readCell(day, kAllPrayers[i], GetJsonValue(object, kMembers[i]));
        days.push_back(std::move(day));
        at = skipSpaces(end);
        if (at < text.size() && text[at] == ']')
            closed = true;
        else if (at < text.size() && text[at] == ',')
            at = skipSpaces(at + 1);
        else
            break;
    }
    const std::size_t rest = closed ? skipSpaces(at + 1) : text.size();
    // A file cut short ends inside the list or before the closing brace of the whole.
    const std::string_view tail = trim(text.substr(std::min(rest, text.size())));
    if (!closed || tail.empty() || tail.back() != '}') {
        out.error = "fail terpotong (selepas " + std::to_string(days.size()) + " hari)";
        return out;
    }
    // The zone is a member of the whole, outside the list of days.
    std::string outside(text.substr(0, arrayStart));
    outside += tail;
    std::string zone = GetJsonValue(outside, "zone");
    if (zone.empty()) {
        out.error = "tiada zon dalam fail";
        return out;
    }
    out.zones[zone] = std::move(days);
    return out;
}

bool looksLikeJson(std::string_view text) {
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.remove_prefix(3);
    text = trim(text);
    return !text.empty() && text.front() == '{';
}

PublishedRead readPublishedTable(std::string_view text, std::string_view fileName) {
    if (looksLikeJson(text))
        return readEsolatYear(text);
    return readPublishedCsv(text, fileName);
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/announce/Announcements.h"

#include "core/clock/Congregation.h"
#include "core/clock/TimeText.h"
#include "core/files/IniCache.h"
#include "core/files/IniLines.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iterator>
#include <map>

namespace tavrola {

namespace {

std::optional<int> number(std::string_view text, std::size_t digits) {
    if (text.size() != digits)
        return std::nullopt;
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < 0)
        return std::nullopt;
    return n;
}

std::optional<int> wholeNumber(std::string_view text) {
    text = ini::trimSpaces(text);
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return n;
}

// "\n" in the stored text is a new line on the wall.
std::string withLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out.push_back('\n');
            ++i;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

using Keys = std::map<std::string, std::string>; // upper-cased key -> value, the first line wins

// Why the entry cannot be shown, or empty.
std::string makeAnnouncement(const std::string& section, const Keys& keys, Announcement& a) {
    const auto value = [&](const char* key) {
        const auto it = keys.find(key);
        return it == keys.end() ? std::string() : it->second;
    };
    a.section = section;
    const std::string kind = ini::toUpper(value("JENIS"));
    if (kind == "GAMBAR") {
        a.kind = Announcement::Kind::Picture;
        a.file = value("FAIL");
        if (!isPictureFileName(a.file))
            return "FAIL mesti nama fail PNG atau JPEG dalam folder pengumuman";
    } else if (kind == "TEKS") {
        a.kind = Announcement::Kind::Text;
        a.title = withLineBreaks(value("TAJUK"));
        a.text = withLineBreaks(value("TEKS"));
        if (a.title.empty() && a.text.empty())
            return "TAJUK dan TEKS kosong";
    } else {
        return "JENIS mesti GAMBAR atau TEKS";
    }
    for (const auto& [key, day] : {std::pair{"MULA", &a.from}, std::pair{"TAMAT", &a.until}}) {
        const std::string text = value(key);
        if (text.empty())
            continue;
        *day = parseDay(text);
        if (!*day)
            return std::string(key) + " mesti tarikh yyyy-mm-dd";
    }
    if (const std::string text = value("SAAT"); !text.empty()) {
        const auto s = wholeNumber(text);
        if (!s || *s < announce::kMinSeconds || *s > announce::kMaxSeconds)
            return "SAAT mesti 3 hingga 120";
        a.seconds = *s;
    }
    return {};
}

} // namespace

std::optional<Date> parseDay(std::string_view text) {
    text = ini::trimSpaces(text);
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto y = number(text.substr(0, 4), 4), m = number(text.substr(5, 2), 2), d = number(text.substr(8, 2), 2);
    if (!y || !m || !d)
        return std::nullopt;
    const Date date{*y, *m, *d};
    return isValidDate(date) ? std::optional<Date>(date) : std::nullopt;
}

std::optional<DateTime> parseMoment(std::string_view text) {
    text = ini::trimSpaces(text);
    if (text.size() != 16 || text[10] != ' ' || text[13] != ':')
        return std::nullopt;
    const auto day = parseDay(text.substr(0, 10));
    const auto h = number(text.substr(11, 2), 2), m = number(text.substr(14, 2), 2);
    if (!day || !h || !m || *h > 23 || *m > 59)
        return std::nullopt;
    return DateTime{*day, *h, *m, 0, 0};
}

bool isPictureFileName(std::string_view name) {
    if (name.empty() || name.size() > 100 || name.front() == '.')
        return false;
    for (unsigned char c : name)
        if (!(std::isalnum(c) || c == '-' || c == '_' || c == '.'))
            return false;
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string ext = ini::toUpper(name.substr(dot + 1));
    return ext == "PNG" || ext == "JPG" || ext == "JPEG";
}

AnnouncementList parseAnnouncements(std::string_view text) {
    return readAnnouncements(IniDocument(text));
}

AnnouncementList readAnnouncements(const IniDocument& list) {
    AnnouncementList out;
    std::map<int, std::string> places; // the first hundred places in the order, and their sections
    bool cut = false;
    for (const std::string& section : list.sectionNames()) {
        const auto place = wholeNumber(section);
        if (!place || *place < 1 || section.front() == '+' || section.front() == ' ') {
            out.skipped.push_back("[" + section + "]: bukan nombor giliran");
            continue;
        }
        if (places.count(*place)) {
            out.skipped.push_back("[" + section + "]: nombor giliran berulang");
            continue;
        }
        if (places.size() == announce::kMaxAnnouncements) {
            cut = true;
            if (places.rbegin()->first < *place)
                continue;
            places.erase(std::prev(places.end()));
        }
        places.emplace(*place, section);
    }
    if (cut)
        out.skipped.push_back("senarai dipotong: hanya " + std::to_string(announce::kMaxAnnouncements) +
                              " pengumuman pertama ditunjukkan");
    if (out.skipped.size() > 20) {
        const std::size_t more = out.skipped.size() - 20;
        out.skipped.resize(20);
        out.skipped.push_back("... dan " + std::to_string(more) + " lagi");
    }
    for (const auto& [place, section] : places) {
        Keys keys;
        for (const char* key : {"JENIS", "FAIL", "TAJUK", "TEKS", "MULA", "TAMAT", "SAAT"})
            if (std::string value; list.find(section, key, value) == IniDocument::Find::Found)
                keys.emplace(key, std::move(value));
        Announcement a;
        const std::string why = makeAnnouncement(section, keys, a);
        if (why.empty())
            out.items.push_back(std::move(a));
        else
            out.skipped.push_back("[" + section + "]: " + why);
    }
    return out;
}

bool inForce(const Announcement& a, const Date& today) {
    return (!a.from || *a.from <= today) && (!a.until || today <= *a.until);
}

std::optional<FuneralNotice> funeralNotice(std::string_view name, std::string_view prayer, std::string_view until,
                                           const DateTime& now) {
    name = ini::trimSpaces(name);
    const auto end = parseMoment(until);
    if (name.empty() || !end)
        return std::nullopt;
    const auto minuteOf = [](const DateTime& t) { return toDayNumber(t.date) * 1440 + t.hour * 60 + t.minute; };
    if (minuteOf(now) >= minuteOf(*end))
        return std::nullopt;
    return FuneralNotice{std::string(name), std::string(ini::trimSpaces(prayer)), *end};
}

int roundEveryMinutes(std::string_view text) {
    const auto n = wholeNumber(text);
    return n && *n >= 1 && *n <= 1440 ? *n : 0;
}

bool roundAllowed(const DateTime& now, const DayTimes& today, const CongregationState& congregation,
                  bool azanPlaying) {
    if (azanPlaying || congregation.screen != CongregationState::Screen::Normal)
        return false;
    const int minute = now.hour * 60 + now.minute;
    for (Prayer p : kAllPrayers) {
        const auto at = minutesOfDay(today[p]);
        if (!at)
            continue;
        // Counted round midnight: Subuh at 00:05 is five minutes after 00:00.
        const int before = ((*at - minute) % 1440 + 1440) % 1440;
        if (before > 0 && before <= announce::kQuietMinutesBeforePrayer)
            return false;
    }
    return true;
}

CardPage cardPageAt(const std::vector<int>& seconds, std::int64_t elapsed) {
    std::int64_t cycle = 0;
    for (int s : seconds)
        cycle += std::max(s, 1);
    if (cycle == 0)
        return {};
    std::int64_t at = ((elapsed % cycle) + cycle) % cycle;
    for (std::size_t i = 0; i < seconds.size(); ++i) {
        const int s = std::max(seconds[i], 1);
        if (at < s)
            return {i, static_cast<int>(s - at)};
        at -= s;
    }
    return {};
}

} // namespace tavrola

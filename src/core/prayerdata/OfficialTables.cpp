// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/OfficialTables.h"

#include "core/files/AtomicFile.h"
#include "core/prayerdata/PrayerDatabase.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace tavrola {

namespace {

namespace fs = std::filesystem;

std::string dateText(const Date& d) {
    return pad(d.year, 4) + "-" + pad(d.month, 2) + "-" + pad(d.day, 2);
}

std::string timeText(int minutes) {
    return formatPrayerTime(minutes);
}

// Minutes from b to a, the short way round midnight.
int difference(int a, int b) {
    int d = a - b;
    if (d > 720)
        d -= 1440;
    if (d < -720)
        d += 1440;
    return d;
}

// What is wrong with a published day, or nothing.
std::string dayFault(const PublishedDay& day, const PrayerDay& computed) {
    if (!day.unreadable.empty())
        return day.unreadable + " bukan waktu";
    // Each time at or after the one before it (Perlis publishes Imsak at Subuh itself).
    std::optional<Prayer> previous;
    for (Prayer p : kAllPrayers) {
        if (!day.minutes[p])
            continue;
        if (previous && *day.minutes[p] < *day.minutes[*previous])
            return std::string(prayerNames(p).document) + " " + timeText(*day.minutes[p]) + " sebelum " +
                   std::string(prayerNames(*previous).document) + " " + timeText(*day.minutes[*previous]);
        previous = p;
    }
    for (Prayer p : kAllPrayers)
        if (day.minutes[p] && computed[p] &&
            std::abs(difference(*day.minutes[p], *computed[p])) > kMisprintMinutes)
            return std::string(prayerNames(p).document) + " " + timeText(*day.minutes[p]) + ", dikira " +
                   timeText(*computed[p]);
    return {};
}

bool looksLikeTable(const fs::path& file) {
    std::string ext = file.extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".json" || ext == ".csv";
}

// The table files in the folder, oldest first, so that a later one overrides.
std::vector<fs::path> tableFiles(const fs::path& folder) {
    std::vector<std::pair<fs::file_time_type, fs::path>> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileEc;
        if (!looksLikeTable(it->path()) || !it->is_regular_file(fileEc))
            continue;
        found.emplace_back(it->last_write_time(fileEc), it->path());
    }
    std::sort(found.begin(), found.end());
    std::vector<fs::path> out;
    for (auto& f : found)
        out.push_back(std::move(f.second));
    return out;
}

// The file's text, refused by its size before anything is read.
bool readTableText(const fs::path& file, std::string& text, std::string& refusal) {
    const std::string tooLarge =
        "fail lebih " + std::to_string(kOfficialTableMaxBytes / (1024 * 1024)) + " MB, bukan jadual setahun";
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (!ec && size > kOfficialTableMaxBytes) {
        refusal = tooLarge;
        return false;
    }
    if (ec || !readWholeFile(file, text, ec, kOfficialTableMaxBytes)) {
        refusal = ec == std::errc::file_too_large ? tooLarge : "tidak dapat dibaca: " + ec.message();
        return false;
    }
    return true;
}

} // namespace

OfficialTable checkOfficialTable(std::string_view text, std::string_view fileName, const Zone& zone) {
    OfficialTable out;
    out.name = std::string(fileName);
    const PublishedRead read = readPublishedTable(text, fileName);
    if (!read.error.empty()) {
        out.refusal = read.error;
        return out;
    }
    const std::vector<PublishedDay>* days = nullptr;
    std::string others;
    for (const auto& [code, zoneDays] : read.zones) {
        if (findZone(code) == &zone)
            days = &zoneDays;
        else if (others.size() < 24)
            others += (others.empty() ? "" : ", ") + code;
    }
    if (!days) {
        out.otherZone = !others.empty();
        out.refusal =
            others.empty() ? "tiada hari dalam fail" : "zon " + others + ", bukan " + std::string(zone.code);
        return out;
    }
    if (days->empty()) {
        out.refusal = "tiada hari dalam fail";
        return out;
    }
    for (std::size_t i = 1; i < days->size(); ++i)
        if ((*days)[i].date <= (*days)[i - 1].date) {
            out.refusal =
                "tarikh tidak tertib: " + dateText((*days)[i].date) + " selepas " + dateText((*days)[i - 1].date);
            return out;
        }

    const PrayerCalculator calculator(zone.place, zone.rules);
    for (const PublishedDay& day : *days) {
        std::string fault = dayFault(day, calculator.day(day.date));
        if (fault.empty())
            out.days.emplace(day.date, day.minutes);
        else
            out.misprints.emplace_back(day.date, std::move(fault));
    }
    out.first = days->front().date;
    out.last = days->back().date;
    if (out.misprints.size() * kMisprintedDaysOneIn > days->size()) {
        out.refusal = std::to_string(out.misprints.size()) + " daripada " + std::to_string(days->size()) +
                      " hari salah cetak (" + dateText(out.misprints.front().first) + ": " +
                      out.misprints.front().second + ")";
        out.days.clear();
    }
    return out;
}

OfficialTable readOfficialTable(const fs::path& file, const Zone& zone) {
    std::string text, refusal;
    if (!readTableText(file, text, refusal)) {
        OfficialTable out;
        out.name = file.filename().string();
        out.refusal = std::move(refusal);
        return out;
    }
    return checkOfficialTable(text, file.filename().string(), zone);
}

bool hasOfficialTables(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (looksLikeTable(it->path()))
            return true;
    return false;
}

OfficialMonth buildOfficialMonth(int year, int month, const fs::path& folder, const Zone& zone) {
    OfficialMonth out;
    const PrayerCalculator calculator(zone.place, zone.rules);
    const int days = daysInMonth(year, month);
    for (int d = 1; d <= days; ++d)
        out.days.push_back(calculator.day({year, month, d}));

    std::vector<bool> official(static_cast<std::size_t>(days), false);
    std::string refused, elsewhere, otherZone;
    for (const fs::path& file : tableFiles(folder)) {
        const OfficialTable table = readOfficialTable(file, zone);
        if (!table.refusal.empty()) {
            std::string& note = table.otherZone ? otherZone : refused;
            if (note.empty())
                note = "Jadual rasmi " + table.name + " tidak digunakan: " + table.refusal;
            continue;
        }
        bool used = false;
        for (int d = 1; d <= days; ++d) {
            const auto it = table.days.find({year, month, d});
            if (it == table.days.end())
                continue;
            PrayerDay& day = out.days[static_cast<std::size_t>(d - 1)];
            // A time the table has no column for (Dhuha in older years) stays computed.
            for (Prayer p : kAllPrayers)
                if (it->second[p])
                    day[p] = it->second[p];
            official[static_cast<std::size_t>(d - 1)] = true;
            used = true;
        }
        for (const auto& [date, fault] : table.misprints)
            if (date.year == year && date.month == month)
                out.misprints.push_back("Jadual rasmi " + table.name + ": " + dateText(date) + " salah cetak (" +
                                        fault + "), waktu hari itu dikira");
        if (used)
            out.tables += (out.tables.empty() ? "" : ", ") + table.name;
        else if (elsewhere.empty())
            elsewhere = "Jadual rasmi " + table.name + " untuk " + dateText(table.first) + " hingga " +
                        dateText(table.last) + ", tiada untuk " + prayerdb::monthCaption({year, month, 1});
    }
    for (int d = 1; d <= days; ++d)
        if (official[static_cast<std::size_t>(d - 1)])
            out.officialDays.push_back(d);
    out.notice = !refused.empty()            ? refused
                 : !out.officialDays.empty() ? std::string()
                 : !elsewhere.empty()        ? elsewhere
                                             : otherZone;
    return out;
}

OfficialImport importOfficialTable(const fs::path& source, const fs::path& folder, const Zone& zone) {
    OfficialImport out;
    std::string text, refusal;
    if (!readTableText(source, text, refusal)) {
        out.message = "Jadual rasmi tidak disalin: " + refusal;
        return out;
    }
    const OfficialTable table = checkOfficialTable(text, source.filename().string(), zone);
    if (!table.refusal.empty()) {
        out.message = "Jadual rasmi tidak disalin: " + table.refusal;
        return out;
    }
    std::string years = std::to_string(table.first.year);
    if (table.last.year != table.first.year)
        years += "-" + std::to_string(table.last.year);
    const fs::path target =
        folder / (std::string(zone.code) + "-" + years + (looksLikeJson(text) ? ".json" : ".csv"));
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !replaceFileAtomically(target, temporaryPathFor(target), text, ec)) {
        out.message = "Jadual rasmi tidak disalin: " + ec.message();
        return out;
    }
    out.ok = true;
    out.saved = target;
    out.message = "Jadual rasmi " + std::string(zone.code) + " " + years +
                  " disalin: " + std::to_string(table.days.size()) + " hari";
    if (!table.misprints.empty())
        out.message += ", " + std::to_string(table.misprints.size()) + " hari salah cetak akan dikira (" +
                       dateText(table.misprints.front().first) + ": " + table.misprints.front().second + ")";
    return out;
}

std::string dayRanges(const std::vector<int>& days) {
    std::string out;
    for (std::size_t i = 0; i < days.size();) {
        std::size_t j = i;
        while (j + 1 < days.size() && days[j + 1] == days[j] + 1)
            ++j;
        out += (out.empty() ? "" : ", ") + std::to_string(days[i]);
        if (j > i)
            out += "-" + std::to_string(days[j]);
        i = j + 1;
    }
    return out;
}

} // namespace tavrola

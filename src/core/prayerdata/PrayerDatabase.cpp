// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/PrayerDatabase.h"

#include "core/calendar/MalayCalendar.h"
#include "core/files/AtomicFile.h"
#include "core/files/IniCache.h"

#include <memory>
#include <string_view>

namespace tavrola {

namespace fs = std::filesystem;

namespace prayerdb {

namespace {

void appendLine(std::string& out, std::string_view a, std::string_view b = {}) {
    out.append(a).append(b).append(kCrLf);
}

} // namespace

std::string dayKey(const Date& d) {
    return pad(d.day, 2) + pad(d.month, 2) + pad(d.year, 4);
}

std::string monthKey(const Date& d) {
    return pad(d.month, 2) + pad(d.year, 4);
}

std::string monthCaption(const Date& d) {
    return std::string(MalayMonthNames(d.month)) + " " + pad(d.year, 4);
}

void appendHeader(std::string& out, const DateTime& written) {
    const Date& d = written.date;
    appendLine(out, kRule);
    appendLine(out, kTitle);
    appendLine(out, kMonthLabel, monthCaption(d));
    appendLine(out, kCacheMonth, monthKey(d));
    appendLine(out, kUpdateDate, dayKey(d) + " " + timeOfDayText(written));
    appendLine(out, kLastUpdate,
               pad(d.day, 2) + "/" + pad(d.month, 2) + "/" + pad(d.year, 4) + " " + timeOfDayText(written));
    appendLine(out, kRule);
    out += kCrLf;
}

void appendDayBlock(std::string& out, const Date& day, const DayTimes& values) {
    out += '[';
    appendLine(out, dayKey(day), "]");
    appendLine(out, kDateLabel, malayDateLine(day));
    for (Prayer p : kAllPrayers) {
        out.append(prayerNames(p).database).append("=");
        appendLine(out, values[p]);
    }
    appendLine(out, kDayRule);
    out += kCrLf;
}

void appendEnd(std::string& out) {
    out += kCrLf;
}

} // namespace prayerdb

DayTimes readDayTimes(const fs::path& database, const Date& day) {
    DayTimes t;
    std::error_code ec;
    const std::shared_ptr<const IniDocument> doc = IniCache::load(database, ec);
    if (!doc)
        return t;
    const std::string section = prayerdb::dayKey(day);
    for (Prayer p : kAllPrayers)
        if (doc->find(section, prayerNames(p).database, t[p]) != IniDocument::Find::Found)
            t[p].clear();
    return t;
}

bool readCacheMonth(const fs::path& database, CacheMonthLine& out, std::error_code& ec) {
    out = {};
    std::string bytes;
    if (!readWholeFile(database, bytes, ec))
        return false;
    std::string_view rest(bytes);
    while (!rest.empty()) {
        const std::size_t eol = rest.find('\n');
        std::string_view line = rest.substr(0, eol);
        rest = eol == std::string_view::npos ? std::string_view{} : rest.substr(eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.starts_with(prayerdb::kCacheMonth)) {
            out.found = true;
            out.field = std::string(line.substr(prayerdb::kCacheMonth.size() - 1));
            return true;
        }
    }
    return true;
}
bool cacheMonthIsCurrent(const std::string& field, const std::string& todayMonthKey) {
    return field == todayMonthKey;
}

bool writeDatabase(const fs::path& database, const std::string& text, std::string& error) {
    std::error_code ec;
    const fs::path folder = database.parent_path();
    if (!fs::is_directory(folder, ec)) {
        fs::create_directory(folder, ec);
        if (ec) {
            error = "Cannot create the folder " + folder.string() + ": " + ec.message();
            return false;
        }
    }
    if (!replaceFileAtomically(database, temporaryPathFor(database), text, ec)) {
        error = "Cannot write " + database.string() + ": " + ec.message();
        return false;
    }
    return true;
}

} // namespace tavrola

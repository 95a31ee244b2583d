#include "core/clock/PrayerDatabase.h"

#include "core/config/IniFile.h"

namespace tavrola {

namespace prayerdb {

std::string dayKey(const Date& d) {
    return pad(d.day, 2) + pad(d.month, 2) + pad(d.year, 4);
}

std::string monthKey(const Date& d) {
    return pad(d.month, 2) + pad(d.year, 4);
}

} // namespace prayerdb

DayTimes readDayTimes(const std::filesystem::path& database, const Date& day) {
    const std::string section = prayerdb::dayKey(day);
    const auto read = [&](std::string_view key) { return GetFromINI(section, key, "", database); };
    // The reader's keys differ from the written ones only in letter case, which the lookup ignores.
    DayTimes t;
    t.zohor = read("zohor");
    t.asar = read("asar");
    t.magrib = read("magrib");
    t.isyak = read("isyak");
    t.suboh = read("suboh");
    t.imsak = read("Imsak");
    t.syuruk = read("Syuruk");
    t.duha = read("Duha");
    return t;
}

} // namespace tavrola

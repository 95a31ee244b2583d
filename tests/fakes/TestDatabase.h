#pragma once

#include "core/clock/DateTime.h"
#include "core/clock/PrayerDatabase.h"
#include "core/config/AtomicFile.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>

namespace tavrola::fakes {

// Writes dbsolat.dat files in the layout the monthly download produces, for tests and benchmarks.
// Times are given Imsak to Isyak.
using EightTimes = std::array<std::string, 8>;

inline EightTimes typicalTimes() {
    return {"05:40", "05:50", "07:05", "07:30", "13:05", "16:25", "19:10", "20:25"};
}

inline std::string dayBlock(const Date& d, const EightTimes& t) {
    // Built with append: GCC 12 warns falsely (-Wrestrict) on long chains of operator+.
    std::string s;
    s.append("[").append(prayerdb::dayKey(d)).append("]\r\n");
    s.append(prayerdb::kDateLabel).append("Hari, ").append(pad(d.day, 2)).append(" Bulan ");
    s.append(pad(d.year, 4)).append("\r\n");
    for (std::size_t i = 0; i < t.size(); ++i)
        s.append(prayerdb::kWrittenKeys[i]).append("=").append(t[i]).append("\r\n");
    s.append(prayerdb::kDayRule).append("\r\n\r\n");
    return s;
}

// The whole month of `month` (its day field is ignored); `timesOf` gives each day's times, and a
// day for which it returns an empty first time is left out.
inline std::string monthText(const Date& month, const std::function<EightTimes(const Date&)>& timesOf) {
    std::string s;
    s += std::string(prayerdb::kRule) + "\r\n" + std::string(prayerdb::kTitle) + "\r\n";
    s += std::string(prayerdb::kMonthLabel) + "Bulan " + pad(month.year, 4) + "\r\n";
    s += std::string(prayerdb::kCacheMonth) + prayerdb::monthKey(month) + "\r\n";
    s += std::string(prayerdb::kUpdateDate) + "01" + prayerdb::monthKey(month) + " 00:00:00\r\n";
    s += std::string(prayerdb::kLastUpdate) + "01/" + pad(month.month, 2) + "/" + pad(month.year, 4) +
         " 00:00:00\r\n";
    s += std::string(prayerdb::kRule) + "\r\n\r\n";
    for (int day = 1; day <= daysInMonth(month.year, month.month); ++day) {
        const Date d{month.year, month.month, day};
        const EightTimes t = timesOf(d);
        if (!t[0].empty())
            s += dayBlock(d, t);
    }
    s += "\r\n";
    return s;
}

inline std::string monthText(const Date& month, const EightTimes& every = typicalTimes()) {
    return monthText(month, [&](const Date&) { return every; });
}

inline bool writeDatabase(const std::filesystem::path& file, const std::string& text) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    return replaceFileAtomically(file, temporaryPathFor(file), text, ec);
}

} // namespace tavrola::fakes

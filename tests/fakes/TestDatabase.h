// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"
#include "core/prayerdata/PrayerDatabase.h"
#include "core/files/AtomicFile.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>

namespace tavrola::fakes {

// Writes dbsolat.dat files in the layout the monthly download produces, for tests and benchmarks.
// Times are given Imsak to Isyak.
using EightTimes = DayTimes;

// The whole month of `month` (its day field is ignored), as if written at midnight on its first day;
// `timesOf` gives each day's times, and a day for which it returns an empty first time is left out.
inline std::string monthText(const Date& month, const std::function<EightTimes(const Date&)>& timesOf) {
    std::string s;
    prayerdb::appendHeader(s, DateTime{{month.year, month.month, 1}, 0, 0, 0, 0});
    for (int day = 1; day <= daysInMonth(month.year, month.month); ++day) {
        const Date d{month.year, month.month, day};
        const EightTimes t = timesOf(d);
        if (!t[Prayer::Imsak].empty())
            prayerdb::appendDayBlock(s, d, t);
    }
    prayerdb::appendEnd(s);
    return s;
}

inline std::string monthText(const Date& month, const EightTimes& every = {"05:40", "05:50", "07:05", "07:30",
                                                                           "13:05", "16:25", "19:10", "20:25"}) {
    return monthText(month, [&](const Date&) { return every; });
}

inline bool writeDatabase(const std::filesystem::path& file, const std::string& text) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    return replaceFileAtomically(file, temporaryPathFor(file), text, ec);
}

} // namespace tavrola::fakes

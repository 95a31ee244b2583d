// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/MonthDocument.h"

#include <algorithm>

namespace tavrola {

std::string calculatedMonthDocument(int year, int month, const PrayerLocation& location,
                                    const PrayerRules& rules) {
    const PrayerCalculator calculator(location, rules);
    std::vector<PrayerDay> days;
    for (int d = 1; d <= daysInMonth(year, month); ++d)
        days.push_back(calculator.day({year, month, d}));
    return monthDocument(year, month, days);
}

std::string monthDocument(int year, int month, const std::vector<PrayerDay>& dayTimes) {
    const int days = std::min(daysInMonth(year, month), static_cast<int>(dayTimes.size()));
    const std::string monthPrefix = pad(year, 4) + "-" + pad(month, 2) + "-";

    std::string out = "{\n";
    out.reserve(static_cast<std::size_t>(days) * 170 + 4);
    for (int d = 1; d <= days; ++d) {
        const PrayerDay& times = dayTimes[static_cast<std::size_t>(d - 1)];
        out += "  \"" + monthPrefix + pad(d, 2) + "\": {";
        for (Prayer prayer : kAllPrayers) {
            out += prayer == Prayer::Imsak ? "\"" : ", \"";
            out += prayerNames(prayer).document;
            out += "\": \"" + formatPrayerTime(times[prayer]) + "\"";
        }
        out += d < days ? "},\n" : "}\n";
    }
    out += "}\n";
    return out;
}

std::string monthDocumentPath(int year, int month) {
    return "/data/" + pad(year, 4) + "-" + pad(month, 2) + ".json";
}

} // namespace tavrola

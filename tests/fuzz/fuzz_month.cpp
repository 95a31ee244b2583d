// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the month-document scanner and the converter that writes dbsolat.dat from it. The input is
// the document; the month converted is that of the first quoted "yyyy-mm-" in it, so real documents
// are good seeds, and the day and time of the clock come from the input's size.
// Whatever the document holds: a failure writes nothing; the text has CR LF lines only and no line
// break of the document reaches it; its days are in order and within the month; today's values are
// the ones written under today.
#include "core/calendar/DateTime.h"
#include "core/prayerdata/MonthConverter.h"
#include "fuzz/FuzzCheck.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

using namespace tavrola;
using fuzz::require;

namespace {

DateTime pickNow(std::string_view doc) {
    DateTime now;
    now.date = Date{2026, 12, 1};
    for (std::size_t at = doc.find('"'); at != std::string_view::npos; at = doc.find('"', at + 1)) {
        int year = 0, month = 0;
        char dash = 0;
        const std::string s(doc.substr(at + 1, 8));
        if (std::sscanf(s.c_str(), "%4d-%2d%c", &year, &month, &dash) == 3 && dash == '-' && year >= 1 &&
            month >= 1 && month <= 12) {
            now.date = Date{year, month, 1};
            break;
        }
    }
    now.date.day =
        1 + static_cast<int>(doc.size() % static_cast<std::size_t>(daysInMonth(now.date.year, now.date.month)));
    now.hour = static_cast<int>(doc.size() % 24);
    now.minute = static_cast<int>(doc.size() % 60);
    return now;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view doc(reinterpret_cast<const char*>(data), size);
    const DateTime now = pickNow(doc);
    const MonthConversion r = convertMonthDocument(doc, now);
    if (!r.ok) {
        require(r.text.empty() && !r.error.empty());
        return 0;
    }
    require(r.daysFound >= 0 && r.daysFound <= r.daysInMonth &&
            r.daysInMonth == daysInMonth(now.date.year, now.date.month));

    // CR LF only, and exactly the header's 8 lines, 12 per day and the closing one: a line break
    // inside a value would add lines.
    std::size_t lines = 0, todayAt = std::string::npos, todayEnd = r.text.size();
    int nextDay = 1, days = 0;
    for (std::size_t pos = 0; pos < r.text.size(); ++lines) {
        const std::size_t end = r.text.find_first_of("\r\n", pos);
        require(end != std::string::npos && r.text.compare(end, 2, "\r\n") == 0);
        const std::string_view line = std::string_view(r.text).substr(pos, end - pos);
        if (line.starts_with('[')) {
            while (nextDay <= r.daysInMonth &&
                   line != "[" + prayerdb::dayKey({now.date.year, now.date.month, nextDay}) + "]")
                ++nextDay;
            require(nextDay <= r.daysInMonth); // in order, within the month
            if (todayAt != std::string::npos && todayEnd == r.text.size())
                todayEnd = pos;
            if (nextDay++ == now.date.day)
                todayAt = pos;
            ++days;
        }
        pos = end + 2;
    }
    require(days == r.daysFound && lines == 8 + 12 * static_cast<std::size_t>(days) + 1);

    require(r.todayFound == (todayAt != std::string::npos));
    if (r.todayFound) {
        const std::string_view block = std::string_view(r.text).substr(todayAt, todayEnd - todayAt);
        for (Prayer p : kAllPrayers)
            require(block.find("\r\n" + std::string(prayerNames(p).database) + "=" + r.today[p] + "\r\n") !=
                    std::string_view::npos);
    }
    return 0;
}

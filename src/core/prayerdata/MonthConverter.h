// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"
#include "core/prayerdata/PrayerDatabase.h"

#include <string>
#include <string_view>

namespace tavrola {

// The month document turned into the complete text of dbsolat.dat.
struct MonthConversion {
    bool ok = false;   // false: a time in the document could not be read (error says which)
    std::string error; // description for the status line
    std::string text;  // the whole file, CR LF line ends, the final extra CR LF included
    int daysInMonth = 0;
    int daysFound = 0; // day blocks written
    bool todayFound = false;
    DayTimes today; // today's eight stored values, when today was in the document
};

// Converts the month of `now` out of `document`. Dates and the header's times come from `now`.
MonthConversion convertMonthDocument(std::string_view document, const DateTime& now);

} // namespace tavrola

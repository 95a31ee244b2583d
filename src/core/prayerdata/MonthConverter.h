#pragma once

#include "core/clock/DateTime.h"
#include "core/clock/Prayers.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tavrola {

// A day's eight values as the converter stores them, in the order of the day block
// (Imsak, Subuh, Syuruk, Dhuha, Zohor, Asar, Maghrib, Isyak: the order of Prayer).
using StoredDay = std::array<std::string, kPrayerCount>;

// The month document turned into the complete text of dbsolat.dat.
struct MonthConversion {
    bool ok = false;   // false: a time in the document could not be read (error says which)
    std::string error; // description for the status line
    std::string text;  // the whole file, CR LF line ends, the final extra CR LF included
    int daysInMonth = 0;
    int daysFound = 0; // day blocks written
    bool todayFound = false;
    StoredDay today; // today's eight stored values, when today was in the document
};

// Converts the month of `now` out of `document`. Dates and the header's times come from `now`.
MonthConversion convertMonthDocument(std::string_view document, const DateTime& now);

// "mmyyyy", the month key of the CACHE_MONTH line.
std::string monthKey(const Date& d);
// "mmmm yyyy" with the Malay month name, as the status line and the "Bulan: " line show it.
std::string monthCaption(const Date& d);
// The key a prayer has in the database (the file's letter case).
std::string_view databaseKey(Prayer p);

} // namespace tavrola

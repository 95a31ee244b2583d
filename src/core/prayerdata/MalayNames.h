#pragma once

#include <string_view>

namespace tavrola::prayerdata {

// Month and weekday names for the database's informative lines, in Malay like the rest of the
// program, whatever the computer's own locale is.
std::string_view malayMonthName(int month);     // 1..12
std::string_view malayWeekdayName(int weekday); // 0 = Sunday .. 6 = Saturday

} // namespace tavrola::prayerdata

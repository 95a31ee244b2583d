// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calendar/DateTime.h"

#include <cstdio>

namespace tavrola {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValidDate(const Date& d) {
    return d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= daysInMonth(d.year, d.month);
}

// Howard Hinnant's civil-calendar algorithms.
std::int64_t toDayNumber(const Date& d) {
    const std::int64_t y = static_cast<std::int64_t>(d.year) - (d.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (d.month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + d.day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

Date fromDayNumber(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return Date{year, month, day};
}

Date addDays(const Date& d, std::int64_t days) {
    return fromDayNumber(toDayNumber(d) + days);
}

int weekday(const Date& d) {
    const std::int64_t z = toDayNumber(d);
    // 1970-01-01 was a Thursday (4).
    return static_cast<int>(z >= -4 ? (z + 4) % 7 : (z + 5) % 7 + 6);
}

std::string pad(int value, int width) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

std::string hourMinuteText(int minutes) {
    return pad(minutes / 60, 2) + ":" + pad(minutes % 60, 2);
}

std::string timeOfDayText(const DateTime& t) {
    return pad(t.hour, 2) + ":" + pad(t.minute, 2) + ":" + pad(t.second, 2);
}

} // namespace tavrola

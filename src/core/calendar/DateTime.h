// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace tavrola {

// A local calendar date (proleptic Gregorian).
struct Date {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31

    friend bool operator==(const Date&, const Date&) = default;
    friend auto operator<=>(const Date&, const Date&) = default;
};

// A local wall-clock moment, as the computer's clock shows it.
struct DateTime {
    Date date;
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59
    int millisecond = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
    friend auto operator<=>(const DateTime&, const DateTime&) = default;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);
bool isValidDate(const Date& d);

// Days since 1970-01-01 (negative before), and back.
std::int64_t toDayNumber(const Date& d);
Date fromDayNumber(std::int64_t days);
Date addDays(const Date& d, std::int64_t days);

// 0 = Sunday .. 6 = Saturday.
int weekday(const Date& d);

// Zero-padded decimal, e.g. pad(5, 2) == "05".
std::string pad(int value, int width);

// "HH:MM" of minutes after midnight (0..1439): the one way every file and screen writes a time.
std::string hourMinuteText(int minutes);
// "HH:MM:SS" (24-hour) of a moment.
std::string timeOfDayText(const DateTime& t);

} // namespace tavrola

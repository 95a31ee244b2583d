// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrola {

// The tabular Islamic calendar, Kuwaiti variant: 1 Muharram 1 AH is Julian Day Number 1948439 (a
// Thursday); of each 30-year cycle the years with (14 + 11 * year) mod 30 < 11 have 355 days.
struct HijriDate {
    int year = 1;
    int month = 1; // 1..12
    int day = 1;   // 1..30

    friend bool operator==(const HijriDate&, const HijriDate&) = default;
};

namespace hijri {
inline constexpr std::int64_t kEpochJdn = 1948439;
bool isLeapYear(int year);
int daysInMonth(int year, int month);
std::int64_t julianDayNumber(const Date& gregorian);
} // namespace hijri

HijriDate toHijri(const Date& gregorian);
Date fromHijri(const HijriDate& h);

// Month names 1..12 in Jawi letters (UTF-8, shown in the Jawi face); empty outside 1..12.
std::string_view HijriMonthNames(int month);

// "14 جمادى الاخرة 1448": day without leading zero, month name, year.
std::string HijriDateText(const Date& gregorian);

// The correction MASA as whole days; empty, non-numeric or absurdly large text counts as 0.
int hijriCorrectionDays(std::string_view masa);

// The Gregorian day whose Hijri date is shown: today minus MASA days.
Date hijriShownDay(const Date& today, std::string_view masa);

} // namespace tavrola

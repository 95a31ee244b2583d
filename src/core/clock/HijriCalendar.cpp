// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/HijriCalendar.h"

#include "core/files/IniFile.h"

#include <array>

namespace tavrola {

namespace {

constexpr std::int64_t kCycleYears = 30;
constexpr std::int64_t kCycleDays = 30 * 354 + 11;
constexpr std::int64_t kJdnOfDayZero = 2440588; // 1970-01-01

constexpr std::array<std::string_view, 12> kJawiMonths = {
    "محرم", "صفر",   "ربيع الاول", "ربيع الاخير", "جمادى الاولى", "جمادى الاخرة",
    "رجب",  "شعبان", "رمضان",      "شوال",        "ذوالقعدة",     "ذوالحجة"};

int yearLength(int year) {
    return hijri::isLeapYear(year) ? 355 : 354;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

} // namespace

namespace hijri {

bool isLeapYear(int year) {
    const std::int64_t r = (14 + 11 * static_cast<std::int64_t>(year)) % 30;
    return (r < 0 ? r + 30 : r) < 11;
}

int daysInMonth(int year, int month) {
    if (month < 1 || month > 12)
        return 0;
    if (month == 12)
        return isLeapYear(year) ? 30 : 29;
    return month % 2 == 1 ? 30 : 29;
}

std::int64_t julianDayNumber(const Date& gregorian) {
    return toDayNumber(gregorian) + kJdnOfDayZero;
}

} // namespace hijri

HijriDate toHijri(const Date& gregorian) {
    std::int64_t days = hijri::julianDayNumber(gregorian) - hijri::kEpochJdn; // 0 = 1 Muharram 1
    const std::int64_t cycles = floorDiv(days, kCycleDays);
    days -= cycles * kCycleDays;
    HijriDate h;
    h.year = static_cast<int>(cycles * kCycleYears + 1);
    // The leap pattern repeats every 30 years, so walking one cycle is enough.
    while (days >= yearLength(h.year)) {
        days -= yearLength(h.year);
        ++h.year;
    }
    while (days >= hijri::daysInMonth(h.year, h.month)) {
        days -= hijri::daysInMonth(h.year, h.month);
        ++h.month;
    }
    h.day = static_cast<int>(days) + 1;
    return h;
}

Date fromHijri(const HijriDate& h) {
    const std::int64_t cycles = floorDiv(h.year - 1, kCycleYears);
    std::int64_t days = cycles * kCycleDays;
    for (std::int64_t y = cycles * kCycleYears + 1; y < h.year; ++y)
        days += yearLength(static_cast<int>(y));
    for (int m = 1; m < h.month; ++m)
        days += hijri::daysInMonth(h.year, m);
    days += h.day - 1;
    return fromDayNumber(days + hijri::kEpochJdn - kJdnOfDayZero);
}

std::string_view HijriMonthNames(int month) {
    return month >= 1 && month <= 12 ? kJawiMonths[static_cast<std::size_t>(month - 1)] : std::string_view{};
}

std::string HijriDateText(const Date& gregorian) {
    const HijriDate h = toHijri(gregorian);
    return std::to_string(h.day) + " " + std::string(HijriMonthNames(h.month)) + " " + std::to_string(h.year);
}

int hijriCorrectionDays(std::string_view masa) {
    std::string_view s = ini::trimSpaces(masa);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // Six digits or more is centuries, not a correction: treat it like any other bad value.
    if (s.empty() || s.size() > 5)
        return 0;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return 0;
        v = v * 10 + (c - '0');
    }
    return negative ? -v : v;
}

Date hijriShownDay(const Date& today, std::string_view masa) {
    return addDays(today, -hijriCorrectionDays(masa));
}

} // namespace tavrola

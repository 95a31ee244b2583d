// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calendar/MalayCalendar.h"

#include <array>

namespace tavrola {

namespace {

constexpr std::array<std::string_view, 7> kDays = {"Ahad", "Isnin", "Selasa", "Rabu", "Khamis", "Jumaat", "Sabtu"};
constexpr std::array<std::string_view, 12> kMonths = {"Januari",   "Februari", "Mac",      "April",
                                                      "Mei",       "Jun",      "Julai",    "Ogos",
                                                      "September", "Oktober",  "November", "Disember"};
// In picture order, Monday first.
constexpr std::array<std::string_view, 7> kZikir = {"ISNIN - La haw wal ku wata illabillah",
                                                    "SELASA - Selawat",
                                                    "RABU - Astarfirullah",
                                                    "KHAMIS - Subahanaalah",
                                                    "JUMAAT - Ya! Allah",
                                                    "SABTU - La illa Ha Illallah",
                                                    "AHAD - Ya! Hai u yakayum"};

} // namespace

std::string_view MalayDayNames(int day) {
    return day >= 1 && day <= 7 ? kDays[static_cast<std::size_t>(day - 1)] : std::string_view{};
}

std::string_view MalayMonthNames(int month) {
    return month >= 1 && month <= 12 ? kMonths[static_cast<std::size_t>(month - 1)] : std::string_view{};
}

std::string malayDateLine(const Date& d) {
    std::string s(MalayDayNames(weekday(d) + 1));
    s += ", ";
    s += pad(d.day, 2);
    s += " ";
    s += MalayMonthNames(d.month);
    s += " ";
    s += pad(d.year, 4);
    return s;
}

std::string_view zikirText(int weekdayFromSunday) {
    if (weekdayFromSunday < 0 || weekdayFromSunday > 6)
        return {};
    return kZikir[static_cast<std::size_t>((weekdayFromSunday + 6) % 7)];
}

int zikirPictureIndex(std::string_view text) {
    for (std::size_t i = 0; i < kZikir.size(); ++i)
        if (kZikir[i] == text)
            return static_cast<int>(i);
    return -1;
}

} // namespace tavrola

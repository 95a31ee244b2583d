#pragma once

#include "core/clock/DateTime.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace tavrola {

// The prayer-times database (dbase/dbsolat.dat): one INI section per day of one month, keyed
// "ddmmyyyy", eight "HH:MM" times each ("--:--" where the server gave none). Only the monthly
// download writes it; the clock reads one day at a time.
namespace prayerdb {

inline constexpr std::string_view kRule = "==========================================";
inline constexpr std::string_view kDayRule = "------------------------------------------";
inline constexpr std::string_view kTitle = "JADUAL WAKTU SOLAT BULANAN";
inline constexpr std::string_view kMonthLabel = "Bulan: ";
inline constexpr std::string_view kCacheMonth = "CACHE_MONTH=";
inline constexpr std::string_view kUpdateDate = "UPDATE_DATE=";
inline constexpr std::string_view kLastUpdate = "LAST_UPDATE=";
inline constexpr std::string_view kDateLabel = "Tarikh: ";
inline constexpr std::string_view kNoTime = "--:--";

// The keys as the file holds them, Imsak to Isyak.
inline constexpr std::array<std::string_view, 8> kWrittenKeys = {"Imsak", "Suboh", "Syuruk", "Duha",
                                                                 "Zohor", "Asar",  "Magrib", "Isyak"};

// "ddmmyyyy": the section of one day (5 December 2026 gives 05122026).
std::string dayKey(const Date& d);
// "mmyyyy": the month a file holds (December 2026 gives 122026).
std::string monthKey(const Date& d);

} // namespace prayerdb

// The eight stored times of one day, in the order the clock reads them.
struct DayTimes {
    std::string zohor, asar, magrib, isyak, suboh, imsak, syuruk, duha;
    friend bool operator==(const DayTimes&, const DayTimes&) = default;
};

// Reads one day with GetFromINI and an empty default, so the file is never written: a missing
// file, day or key gives empty text.
DayTimes readDayTimes(const std::filesystem::path& database, const Date& day);

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"
#include "core/calendar/Prayer.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace tavrola {

// The prayer-times database (dbase/dbsolat.dat): a header, then one INI section per day of one
// month, keyed "ddmmyyyy", with eight "HH:MM" times each (kNoTime where the server gave none), keyed by
// prayerNames().database. Its
// layout is defined here once, for the monthly download that writes it, the clock and the updater
// that read it, and the test files.
namespace prayerdb {

inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr std::string_view kRule = "==========================================";
inline constexpr std::string_view kDayRule = "------------------------------------------";
inline constexpr std::string_view kTitle = "JADUAL WAKTU SOLAT BULANAN";
inline constexpr std::string_view kMonthLabel = "Bulan: ";
inline constexpr std::string_view kCacheMonth = "CACHE_MONTH=";
inline constexpr std::string_view kUpdateDate = "UPDATE_DATE=";
inline constexpr std::string_view kLastUpdate = "LAST_UPDATE=";
inline constexpr std::string_view kDateLabel = "Tarikh: ";
// "ddmmyyyy": the section of one day (5 December 2026 gives 05122026).
std::string dayKey(const Date& d);
// "mmyyyy": the month a file holds (December 2026 gives 122026).
std::string monthKey(const Date& d);
// "mmmm yyyy" with the Malay month name, as the "Bulan: " line and the updater's status show it.
std::string monthCaption(const Date& d);

// The header (seven lines and an empty one) of a file written at `written`.
void appendHeader(std::string& out, const DateTime& written);
// One day's block: its section, its "Tarikh: " line, the eight keys, a rule and an empty line.
void appendDayBlock(std::string& out, const Date& day, const DayTimes& values);
// The line end that closes the file after its last block.
void appendEnd(std::string& out);

} // namespace prayerdb

// Reads one day as GetFromINI with an empty default does, so the file is never written: a missing
// file, day or key gives empty text.
DayTimes readDayTimes(const std::filesystem::path& database, const Date& day);

// What the updater's own line scan finds in dbsolat.dat.
struct CacheMonthLine {
    bool found = false;
    std::string field; // the line from its twelfth character on: "=" followed by the month key
};

// Reads lines from the top until one begins with "CACHE_MONTH=" (exact case). False with ec set
// when the file cannot be read.
bool readCacheMonth(const std::filesystem::path& database, CacheMonthLine& out, std::error_code& ec);

// The month test. The field keeps its "=", so a file with a month line never counts as current:
// every load of the updater fetches the month afresh, which the settings window's database
// button relies on.
bool cacheMonthIsCurrent(const std::string& field, const std::string& todayMonthKey);

// Replaces the database with `text` in one step, creating its folder (one level) when missing.
// On failure the previous file is untouched and `error` describes what went wrong.
bool writeDatabase(const std::filesystem::path& database, const std::string& text, std::string& error);

} // namespace tavrola

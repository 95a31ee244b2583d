#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace tavrola {

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

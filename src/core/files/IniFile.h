// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavrola {

// INI access for setting.ini and dbase/dbsolat.dat. Values are bytes in the local code page;
// section and key names match without regard to (ASCII) case; only spaces are trimmed.

// Reads a value. When it falls back to a non-empty default it first stores that default with
// AddToINI, so readers with defaults create the file, section and key as needed. Readers that
// must never write (the database) pass an empty default. A file changed within the last few seconds
// is not written: it may be half-way through an edit by hand, and the key may be in its other half.
std::string GetFromINI(std::string_view section, std::string_view key, std::string_view defaultValue,
                       const std::filesystem::path& path);

// Sets a value, rewriting the whole file through a temporary file that replaces it in one step.
// True when the file now holds the value; on false the file is exactly as it was.
bool AddToINI(std::string_view section, std::string_view key, std::string_view value,
              const std::filesystem::path& path);

// One value to set.
struct IniChange {
    std::string section;
    std::string key;
    std::string value;
};

// Sets several values in one rewrite and one replace of the file: all of them or, on false, none
// (the file exactly as it was). The result is what AddToINI for each change in turn would leave.
bool AddToINI(const std::vector<IniChange>& changes, const std::filesystem::path& path);

// Reads one value as the logo path is read: blanks trimmed, one enclosing pair of quotes removed,
// at most 749 characters; the empty string when anything is missing. Never writes.
std::string GetFromGIFINI(std::string_view section, std::string_view key, const std::filesystem::path& path);

namespace ini {
// Spaces (character 32) only, as the file format trims.
std::string_view trimSpaces(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
} // namespace ini

} // namespace tavrola

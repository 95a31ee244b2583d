// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/prayerdata/PublishedTable.h"
#include "core/prayerdata/Zones.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tavrola {

// A zone's official timetable for the year, as the committee saved it from JAKIM into dbase/rasmi/:
// where a file covers a date, the clock shows that day exactly as published; other dates are
// computed as before. Each file is checked against the zone before any of it is used.

// A year of one zone is about 70 KB; a file this large is not one and is refused before it is read.
inline constexpr std::uintmax_t kOfficialTableMaxBytes = 2u * 1024u * 1024u;
// A published time this far from the computed one is a misprint, whatever the zone's own rules.
inline constexpr int kMisprintMinutes = 10;
// A file with more than one misprinted day in ten is not the zone's table at all.
inline constexpr int kMisprintedDaysOneIn = 10;

struct OfficialTable {
    std::string name;               // the file's name, for messages
    std::string refusal;            // why the file is not used at all, one line; empty when it is used
    bool otherZone = false;         // refused only because it holds another zone's days
    std::map<Date, PrayerDay> days; // the days it gives: as published, a time it has no column for empty
    std::vector<std::pair<Date, std::string>> misprints; // days computed instead, and what is wrong
    Date first, last;                                    // the dates the file covers
};

// Checks a table's text against the zone: its zone matches, its dates exist and run forward, and each
// day's times are in order and within kMisprintMinutes of the computed ones (else that day is a
// misprint and is left out).
OfficialTable checkOfficialTable(std::string_view text, std::string_view fileName, const Zone& zone);
// The same for a file, refused unread when it is larger than kOfficialTableMaxBytes.
OfficialTable readOfficialTable(const std::filesystem::path& file, const Zone& zone);

struct OfficialMonth {
    std::vector<PrayerDay> days;        // the month's days from the 1st, each from a table or computed
    std::vector<int> officialDays;      // the days of the month (1..31) a table gave
    std::string tables;                 // the files those days came from
    std::string notice;                 // a file that could not be used, and why, in one line
    std::vector<std::string> misprints; // one line per misprinted day of this month
};

// The month for the zone from the tables in `folder` (a later-modified file wins where two cover a
// day), computed where none does. Only called when the month is built: it reads the folder.
OfficialMonth buildOfficialMonth(int year, int month, const std::filesystem::path& folder, const Zone& zone);

// Whether `folder` holds any file the clock would look at; cheap enough to ask when the month is built.
bool hasOfficialTables(const std::filesystem::path& folder);

struct OfficialImport {
    bool ok = false;
    std::string message; // what happened, for the settings window
    std::filesystem::path saved;
};

// Copies a chosen table into `folder` as "<ZONE>-<year>.json" (or .csv) after the checks above, in one
// step; a table that fails them is not copied and the message says why.
OfficialImport importOfficialTable(const std::filesystem::path& source, const std::filesystem::path& folder,
                                   const Zone& zone);

// "1-14, 16-31" for the days 1 to 14 and 16 to 31.
std::string dayRanges(const std::vector<int>& days);

} // namespace tavrola

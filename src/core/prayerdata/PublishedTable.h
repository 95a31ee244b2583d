// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"
#include "core/prayerdata/PrayerCalculator.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrola {

// A timetable as JAKIM publishes it, read from the forms people save: e-Solat's yearly JSON for one
// zone, and CSV files whose first line names the columns. The tools that fit the zone table and the
// clock's official tables read them through this one reader.

// One published day. A time the table has no column or cell for is empty; a cell that is there but
// is no time leaves the time empty too and is named in `unreadable`.
struct PublishedDay {
    Date date;
    PrayerDay minutes;
    std::string unreadable; // "Asar \"4:7x\"", empty when every cell was read
};

// Days by zone code, as the table spells it, in the table's order.
using PublishedTables = std::map<std::string, std::vector<PublishedDay>>;

struct PublishedRead {
    PublishedTables zones;
    // Why the text is not a whole table (cut short, a date that does not exist, not a table at all);
    // the first such fault, naming its line or day. The days read up to it are kept.
    std::string error;
};

// "HH:MM", "HH:MM:SS", "h:mm AM" or "h:mm:ss PM" (any case) as minutes after midnight. Seconds are
// dropped, as the published minute is what counts. 12 AM is midnight, 12 PM noon.
std::optional<int> parsePublishedTime(std::string_view text);

// "yyyy-mm-dd", "d/m/yyyy" or e-Solat's "01-Jan-2023"; only a date that exists.
std::optional<Date> parsePublishedDate(std::string_view text);

// A CSV table: the first line names the columns, "zone" (or, without it, every row is `fileZone`'s,
// as in a file named "SGR01 - Gombak.csv"), "date" or "Tarikh Miladi", and any of the prayers by their
// document names (imsak ... isyak, any case). A row without a date that exists is a fault.
PublishedRead readPublishedCsv(std::string_view text, std::string_view fileZone);

// e-Solat's year for one zone: {"prayerTime":[{"date":"01-Jan-2023","imsak":"05:56:00","fajr":...,
// "syuruk","dhuha","dhuhr","asr","maghrib","isha"},...],"zone":"WLY01",...}.
PublishedRead readEsolatYear(std::string_view text);

// Whether the text is JSON (begins with a brace) rather than CSV.
bool looksLikeJson(std::string_view text);

// Either form, told apart by the text itself (JSON begins with a brace); `fileName` gives the zone
// of a CSV without a zone column.
PublishedRead readPublishedTable(std::string_view text, std::string_view fileName);

} // namespace tavrola

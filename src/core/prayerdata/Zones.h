// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/prayerdata/PrayerCalculator.h"

#include <span>
#include <string_view>

namespace tavrola {

// One of JAKIM's prayer-time zones: its official timetable is the calculator's result at the zone's
// reference point(s). The points are not published; tools/fit_zones finds them from the published
// timetables and writes the table (ZoneTable.cpp).
struct Zone {
    std::string_view code;      // "SGR01"
    std::string_view state;     // "Selangor"
    std::string_view districts; // in Malay, as JAKIM lists them
    PrayerLocation place;       // Subuh, Zohor, Asar, Maghrib and Isyak
    PrayerRules rules;          // Imsak, Dhuha, and Syuruk's own point where it has one
};

// Every zone, grouped by state (states in alphabetical order, zones by code within each).
std::span<const Zone> allZones();

// The zone with this code ("sgr01" and " SGR01 " too), or nullptr.
const Zone* findZone(std::string_view code);

// Kuala Lumpur and Putrajaya: the place used when none is set.
inline constexpr std::string_view kDefaultZoneCode = "WLY01";
const Zone& defaultZone();

} // namespace tavrola

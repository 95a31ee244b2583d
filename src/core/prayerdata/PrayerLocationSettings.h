#pragma once

#include "core/prayerdata/PrayerCalculator.h"
#include "core/prayerdata/Zones.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavrola {

// A plain decimal number as people type it: "3.139", "-0.5", "+8", "8.0", ".5". Anything else
// (letters, a second number, "nan", "inf", an empty text) gives nothing.
std::optional<double> parseDecimal(std::string_view text);

// The calculator's place from setting.ini, section LOKASI: LATITUD, LONGITUD (decimal degrees) and
// ZON_WAKTU (hours from UTC). Each value that is missing, not a number or out of range falls back
// on its own to Kuala Lumpur's (3.1390, 101.6869, 8). Never writes to the file.
PrayerLocation readPrayerLocation(const std::filesystem::path& iniPath);

// What the built-in calculator computes for.
struct PrayerPlace {
    PrayerLocation location;
    PrayerRules rules;
    const Zone* zone = nullptr; // the official zone computed for; nullptr for typed coordinates
    std::string unknownZone;    // ZON's text when it names no zone (the default zone is used instead)
};

// From setting.ini, section LOKASI: the zone named by ZON; else the coordinates LATITUD and LONGITUD
// when either is set (readPrayerLocation); else, and for a ZON that names no zone, the default zone
// (WLY01). Never writes to the file.
PrayerPlace readPrayerPlace(const std::filesystem::path& iniPath);

} // namespace tavrola

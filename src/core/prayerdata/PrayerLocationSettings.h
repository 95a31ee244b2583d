// SPDX-License-Identifier: GPL-3.0-or-later
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

struct SettingKey;

// Why the text of LATITUD, LONGITUD or ZON_WAKTU cannot be used, in the words the status line and the
// settings window show ("mesti dari -90 hingga 90"); empty when it can, and for an empty text (unset).
std::string coordinateProblem(const SettingKey& key, std::string_view text);

// The calculator's place from setting.ini, section LOKASI: LATITUD, LONGITUD (decimal degrees) and
// ZON_WAKTU (hours from UTC). Each value that is missing, not a number or out of range falls back
// on its own to Kuala Lumpur's (3.1390, 101.6869, 8); `problems`, when given, gets one clause per
// value that was set but could not be used, naming the key, the value and the fallback. Never
// writes to the file.
PrayerLocation readPrayerLocation(const std::filesystem::path& iniPath, std::string* problems = nullptr);

// What the built-in calculator computes for.
struct PrayerPlace {
    PrayerLocation location;
    PrayerRules rules;
    const Zone* zone = nullptr; // the official zone computed for; nullptr for typed coordinates
    std::string unknownZone;    // ZON's text when it names no zone (the default zone is used instead)
    std::string unreadable;     // the coordinates that were set but could not be used, and their fallbacks
};

// What the computed times depend on, as one text: places with the same key give the same times.
std::string placeKey(const PrayerPlace& place);

// What the user should be told about the place, for the status line and the log; empty when the
// place was read as written.
std::string placeNotice(const PrayerPlace& place);

// From setting.ini, section LOKASI: the zone named by ZON; else the coordinates LATITUD and LONGITUD
// when either is set (readPrayerLocation); else, and for a ZON that names no zone, the default zone
// (WLY01). Never writes to the file.
PrayerPlace readPrayerPlace(const std::filesystem::path& iniPath);

} // namespace tavrola

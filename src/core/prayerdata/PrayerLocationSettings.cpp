// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/PrayerLocationSettings.h"

#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace tavrola {

std::optional<double> parseDecimal(std::string_view text) {
    // from_chars takes no leading '+', but "+8" is how time zones are usually written.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return std::nullopt;
    }
    if (text.empty() ||
        !(text.front() == '-' || text.front() == '.' || (text.front() >= '0' && text.front() <= '9')))
        return std::nullopt;
    double value = 0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

struct Coordinate {
    const SettingKey& key;
    double low, high;
    double PrayerLocation::*field;
};
// UTC-12 to UTC+14 are the offsets clocks actually use.
const Coordinate kCoordinates[] = {{settings::kLatitude, -90.0, 90.0, &PrayerLocation::latitude},
                                   {settings::kLongitude, -180.0, 180.0, &PrayerLocation::longitude},
                                   {settings::kTimeZone, -12.0, 14.0, &PrayerLocation::timeZone}};

std::string numberText(double v) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}

} // namespace

std::string coordinateProblem(const SettingKey& key, std::string_view text) {
    text = ini::trimSpaces(text);
    if (text.empty())
        return {};
    for (const Coordinate& c : kCoordinates) {
        if (c.key.key != key.key)
            continue;
        const std::optional<double> value = parseDecimal(text);
        if (!value) {
            // Many keyboards type a decimal comma.
            if (text.find(',') != std::string_view::npos)
                return "guna titik perpuluhan, bukan koma";
            return "bukan nombor";
        }
        if (*value < c.low || *value > c.high)
            return "mesti dari " + numberText(c.low) + " hingga " + numberText(c.high);
        return {};
    }
    return "bukan koordinat";
}

PrayerLocation readPrayerLocation(const std::filesystem::path& iniPath, std::string* problems) {
    const PrayerLocation defaults;
    PrayerLocation out;
    for (const Coordinate& c : kCoordinates) {
        // An empty default: reading never adds the section to a file the user has not touched.
        const std::string text(ini::trimSpaces(GetFromINI(c.key.section, c.key.key, "", iniPath)));
        const std::string why = coordinateProblem(c.key, text);
        out.*c.field = text.empty() || !why.empty() ? defaults.*c.field : *parseDecimal(text);
        if (problems && !why.empty()) {
            if (!problems->empty())
                *problems += "; ";
            *problems += std::string(c.key.key) + "=" + text + " tidak sah (" + why + "), guna " +
                         numberText(defaults.*c.field);
        }
    }
    return out;
}

PrayerPlace readPrayerPlace(const std::filesystem::path& iniPath) {
    const auto setOf = [&](const SettingKey& key) { return GetFromINI(key.section, key.key, "", iniPath); };
    const std::string code = setOf(settings::kZone);
    PrayerPlace out;
    const bool hasCode = code.find_first_not_of(" \t") != std::string::npos;
    if (!hasCode && (!setOf(settings::kLatitude).empty() || !setOf(settings::kLongitude).empty())) {
        out.location = readPrayerLocation(iniPath, &out.unreadable);
        return out;
    }
    out.zone = hasCode ? findZone(code) : nullptr;
    if (!out.zone) {
        if (hasCode)
            out.unknownZone = code;
        out.zone = &defaultZone();
    }
    out.location = out.zone->place;
    out.rules = out.zone->rules;
    return out;
}

} // namespace tavrola

namespace tavrola {

std::string placeKey(const PrayerPlace& place) {
    if (place.zone)
        return "ZON " + std::string(place.zone->code);
    const PrayerLocation& l = place.location;
    return numberText(l.latitude) + " " + numberText(l.longitude) + " " + numberText(l.timeZone);
}

std::string placeNotice(const PrayerPlace& place) {
    if (!place.unknownZone.empty())
        return "Zon " + place.unknownZone + " tidak dikenali, guna " + std::string(place.zone->code);
    return place.unreadable;
}

} // namespace tavrola

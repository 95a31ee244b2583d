#include "core/prayerdata/PrayerLocationSettings.h"

#include "core/config/IniFile.h"
#include "core/config/SettingsSchema.h"

#include <charconv>
#include <cmath>

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

double readInRange(const SettingKey& key, const std::filesystem::path& iniPath, double low, double high,
                   double fallback) {
    // An empty default: reading never adds the section to a file the user has not touched.
    const auto value = parseDecimal(GetFromINI(key.section, key.key, "", iniPath));
    return value && *value >= low && *value <= high ? *value : fallback;
}

} // namespace

PrayerLocation readPrayerLocation(const std::filesystem::path& iniPath) {
    const PrayerLocation defaults;
    PrayerLocation out;
    out.latitude = readInRange(settings::kLatitude, iniPath, -90.0, 90.0, defaults.latitude);
    out.longitude = readInRange(settings::kLongitude, iniPath, -180.0, 180.0, defaults.longitude);
    // UTC-12 to UTC+14 are the offsets clocks actually use.
    out.timeZone = readInRange(settings::kTimeZone, iniPath, -12.0, 14.0, defaults.timeZone);
    return out;
}

PrayerPlace readPrayerPlace(const std::filesystem::path& iniPath) {
    const auto setOf = [&](const SettingKey& key) { return GetFromINI(key.section, key.key, "", iniPath); };
    const std::string code = setOf(settings::kZone);
    PrayerPlace out;
    const bool hasCode = code.find_first_not_of(" \t") != std::string::npos;
    if (!hasCode && (!setOf(settings::kLatitude).empty() || !setOf(settings::kLongitude).empty())) {
        out.location = readPrayerLocation(iniPath);
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

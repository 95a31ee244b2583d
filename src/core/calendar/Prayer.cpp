// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calendar/Prayer.h"

#include <algorithm>

namespace tavrola {

namespace {

constexpr std::array<PrayerNames, kPrayerCount> kNames = {{
    {"IMSAK", "Imsak", "Imsak", "IMSAK"},
    {"SUBOH", "Suboh", "Subuh", "SUBUH"},
    {"SYURUK", "Syuruk", "Syuruk", "SYURUK"},
    {"DHUHA", "Duha", "Dhuha", "DHUHA"},
    {"ZOHOR", "Zohor", "Zohor", "ZOHOR"},
    {"ASAR", "Asar", "Asar", "ASAR"},
    {"MAGRIB", "Magrib", "Maghrib", "MAGRIB"},
    {"ISYAK", "Isyak", "Isyak", "ISYAK"},
}};

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

const PrayerNames& prayerNames(Prayer p) {
    return kNames[static_cast<std::size_t>(p)];
}

std::optional<Prayer> prayerBySettingsName(std::string_view name) {
    for (Prayer p : kAllPrayers) {
        const std::string_view key = prayerNames(p).settings;
        if (std::equal(name.begin(), name.end(), key.begin(), key.end(),
                       [](char a, char b) { return upper(a) == b; }))
            return p;
    }
    return std::nullopt;
}

} // namespace tavrola

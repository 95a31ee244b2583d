// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/Zones.h"

#include <algorithm>
#include <cctype>

namespace tavrola {

const Zone* findZone(std::string_view code) {
    while (!code.empty() && std::isspace(static_cast<unsigned char>(code.front())))
        code.remove_prefix(1);
    while (!code.empty() && std::isspace(static_cast<unsigned char>(code.back())))
        code.remove_suffix(1);
    const auto zones = allZones();
    const auto it = std::find_if(zones.begin(), zones.end(), [code](const Zone& zone) {
        return std::equal(code.begin(), code.end(), zone.code.begin(), zone.code.end(),
                          [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
    });
    return it == zones.end() ? nullptr : &*it;
}

const Zone& defaultZone() {
    return *findZone(kDefaultZoneCode);
}

} // namespace tavrola

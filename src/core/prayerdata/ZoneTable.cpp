// placeholder until the fit finishes
#include "core/prayerdata/Zones.h"

#include <array>
#include <initializer_list>

namespace tavrola {

namespace {

PrayerRules rules(int imsakBeforeSubuh, DhuhaRule dhuhaRule, int dhuhaMinutes,
                  std::initializer_list<PrayerLocation> otherPoints) {
    return {imsakBeforeSubuh, dhuhaRule, dhuhaMinutes, otherPoints, 18.0, 18.0, 0.0};
}

const std::array<Zone, 1>& zones() {
    static const std::array<Zone, 1> table = {{
    {"WLY01", "Wilayah Persekutuan", "Kuala Lumpur, Putrajaya", {3.418, 101.498, 8.0}, rules(10, DhuhaRule::AfterSyuruk, 25, {{2.751, 101.588, 8.0}, {3.769, 101.388, 8.0}, {3.194, 101.765, 8.0}})},
    }};
    return table;
}

} // namespace

std::span<const Zone> allZones() {
    return zones();
}

} // namespace tavrola

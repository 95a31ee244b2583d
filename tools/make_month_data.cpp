// SPDX-License-Identifier: GPL-3.0-or-later
// Writes calculated month documents ("data/yyyy-mm.json") into a folder, so that a maker can serve
// them from any static web host as a prayer-times data server.
//
//   make_month_data FOLDER FIRST [LAST] [--zone CODE | --lat DEG --lon DEG] [--tz HOURS] [--ini setting.ini]
//
// FIRST and LAST are months as yyyy-mm. The place starts as setting.ini's (with --ini) or the default
// zone's (WLY01); --zone picks an official zone by its code (SGR01), --lat and --lon a place by its
// coordinates, and --tz sets the hours from UTC.

#include "core/files/AtomicFile.h"
#include "core/prayerdata/MonthDocument.h"
#include "core/prayerdata/PrayerLocationSettings.h"
#include "core/prayerdata/Zones.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

using namespace tavrola;

namespace {

// A decade of months at most: a typo in a year should not fill a disk.
constexpr int kMaxMonths = 120;

struct Month {
    int year;
    int month;
    int index() const { return year * 12 + month - 1; }
};

std::optional<Month> parseMonth(std::string_view text) {
    if (text.size() != 7 || text[4] != '-')
        return std::nullopt;
    int value[2] = {0, 0};
    for (std::size_t i = 0; i < 7; ++i) {
        if (i == 4)
            continue;
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        int& part = value[i < 4 ? 0 : 1];
        part = part * 10 + (text[i] - '0');
    }
    if (value[0] < 1 || value[1] < 1 || value[1] > 12)
        return std::nullopt;
    return Month{value[0], value[1]};
}

int usage(const char* message) {
    std::fprintf(stderr,
                 "%s\nusage: make_month_data FOLDER FIRST [LAST] [--zone CODE | --lat DEG --lon DEG] [--tz HOURS] "
                 "[--ini setting.ini]\n  months as yyyy-mm; writes FOLDER/data/yyyy-mm.json\n",
                 message);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> positional;
    std::optional<double> lat, lon, tz;
    std::optional<std::filesystem::path> ini;
    const Zone* zone = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--lat" || arg == "--lon" || arg == "--tz" || arg == "--ini" || arg == "--zone") {
            if (i + 1 >= argc)
                return usage("missing value after an option");
            const std::string_view value = argv[++i];
            if (arg == "--ini") {
                ini = std::filesystem::path(value);
                continue;
            }
            if (arg == "--zone") {
                zone = findZone(value);
                if (!zone)
                    return usage("no such zone (codes such as SGR01, WLY01)");
                continue;
            }
            const auto number = parseDecimal(value);
            if (!number)
                return usage("not a number");
            (arg == "--lat" ? lat : arg == "--lon" ? lon : tz) = number;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() < 2 || positional.size() > 3)
        return usage("expected a folder and one or two months");
    const auto first = parseMonth(positional[1]);
    const auto last = parseMonth(positional.size() == 3 ? positional[2] : positional[1]);
    if (!first || !last)
        return usage("months are written yyyy-mm");
    if (last->index() < first->index() || last->index() - first->index() >= kMaxMonths)
        return usage("the last month must follow the first, at most 120 months on");

    if (zone && (lat || lon))
        return usage("a zone or coordinates, not both");
    PrayerPlace place;
    if (ini) {
        place = readPrayerPlace(*ini);
    } else {
        place.zone = &defaultZone();
        place.location = place.zone->place;
        place.rules = place.zone->rules;
    }
    if (zone) {
        place.location = zone->place;
        place.rules = zone->rules;
    } else if (lat || lon) {
        if (place.zone) // coordinates replace the zone, starting from Kuala Lumpur's
            place = PrayerPlace{};
        if (lat)
            place.location.latitude = *lat;
        if (lon)
            place.location.longitude = *lon;
    }
    if (!place.unknownZone.empty())
        std::fprintf(stderr, "zone %s unknown; %s used\n", place.unknownZone.c_str(),
                     std::string(place.zone->code).c_str());
    PrayerLocation& where = place.location;
    if (tz) {
        where.timeZone = *tz;
        for (PrayerLocation& other : place.rules.otherPoints)
            other.timeZone = *tz;
    }
    if (where.latitude < -90 || where.latitude > 90 || where.longitude < -180 || where.longitude > 180 ||
        where.timeZone < -12 || where.timeZone > 14)
        return usage("latitude, longitude or time zone out of range");

    const std::filesystem::path folder = std::filesystem::path(positional[0]) / "data";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "cannot create %s: %s\n", folder.string().c_str(), ec.message().c_str());
        return 1;
    }
    for (int index = first->index(); index <= last->index(); ++index) {
        const int year = index / 12;
        const int month = index % 12 + 1;
        // monthDocumentPath() starts with "/data/"; the file name is what follows.
        const std::filesystem::path target = folder / monthDocumentPath(year, month).substr(6);
        if (!replaceFileAtomically(target, temporaryPathFor(target),
                                   calculatedMonthDocument(year, month, where, place.rules), ec)) {
            std::fprintf(stderr, "cannot write %s: %s\n", target.string().c_str(), ec.message().c_str());
            return 1;
        }
        std::printf("%s\n", target.string().c_str());
    }
    return 0;
}

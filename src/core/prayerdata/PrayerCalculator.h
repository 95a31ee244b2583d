// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"
#include "core/calendar/Prayer.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrola {

// Where the times are computed for: decimal degrees (north and east positive) and the local
// clock's offset from UTC in hours.
struct PrayerLocation {
    double latitude = 3.1390;
    double longitude = 101.6869;
    double timeZone = 8.0;
};

// How a timetable derives the times that are not a prayer's own sun position, and the places it is
// computed for. Official zone timetables differ here: Imsak is 10 minutes before Subuh in most states
// (0 in some), Dhuha a number of minutes after Syuruk that depends on the state (see DhuhaRule); and a
// zone's times are computed for several
// reference points at once, each time the latest of them (Syuruk the earliest), so that no time is
// shown before it has begun anywhere in the zone.
enum class DhuhaRule {
    AfterSyuruk,        // Syuruk + dhuhaMinutes
    AfterLatestSunrise, // the latest reference point's sunrise + dhuhaMinutes, rounded up
    AfterThirdOfDawn,   // Syuruk + a third of (Syuruk - Subuh) in whole minutes + dhuhaMinutes
};

// Where in the day the sun's place is taken. Most timetables refine every time with the sun's place at
// that very moment; some take the place once, at the day's transit, for all of the day's times, which
// moves a sunrise or nightfall by a few seconds and so decides some whole minutes differently.
enum class SunTaken {
    AtEachTime,
    AtTransit,
};

struct PrayerRules {
    int imsakBeforeSubuh = 10;
    DhuhaRule dhuhaRule = DhuhaRule::AfterSyuruk;
    int dhuhaMinutes = 26;
    // Reference points besides the calculator's place.
    std::vector<PrayerLocation> otherPoints;
    // The sun's depression at Subuh and Isyak, in degrees.
    double subuhDepression = 18.0;
    double isyakDepression = 18.0;
    // How far below the horizontal a high place sees the horizon, in degrees: every altitude that
    // defines a time (Subuh, Syuruk, Maghrib, Isyak) is taken that much lower.
    double horizonDip = 0.0;
    SunTaken sunTaken = SunTaken::AtEachTime;
    // Seconds that some states' tables put on Zohor and Asar beyond the sun's own moments, following the
    // season: with the sun's longitude L (0 degrees at the March equinox), Zohor is later by
    // zohorNorth + zohorNorthSwing * cos 2L while the sun is north of the equator, and Asar by
    // asarSeason * ((L mod 180) - 90) / 90, which grows through each half-year and falls back at
    // the equinoxes. Zero elsewhere.
    double zohorNorthSeconds = 0.0;
    double zohorNorthSwingSeconds = 0.0;
    double asarSeasonSeconds = 0.0;
    // Seconds some tables put on every time of the day, the same through the seasons of every year: a
    // timetable made with its own equation of time runs ahead of or behind the sun by up to half a
    // minute. With L the sun's longitude at the transit, every time is later by
    // a1 cos L + b1 sin L + a2 cos 2L + b2 sin 2L + ... up to the fourth multiple, the terms in that order.
    std::array<double, 8> sunClockSeconds{};
    // Seconds some tables put on Asar alone, through the seasons of every year: Asar is later by
    // c + a1 cos L + b1 sin L + ... + b4 sin 4L (L as above), the terms in that order.
    std::array<double, 9> asarClockSeconds{};
    // A high place may see its western horizon lower than its eastern one (a valley or the sea to the
    // west): Maghrib takes the sun this many degrees further below the horizon than horizonDip.
    double maghribDip = 0.0;
    // Seconds some tables put on Subuh alone (and so on Imsak, which follows it), as on Asar above.
    std::array<double, 9> subuhClockSeconds{};
};

// One day's times as minutes after local midnight (0..1439); empty where the sun never reaches the
// position that defines the time on that day (far from the equator).
using PrayerDay = ByPrayer<std::optional<int>>;

// Prayer times from the sun's position, with the rules Malaysian timetables use: Subuh and Isyak at
// the sun 18 degrees below the horizon, Syuruk and Maghrib at the zenith distance 90 degrees 50
// minutes, Zohor 1 minute 4 seconds after the transit (the whole disc past the meridian), Asar when
// a shadow is its object's length plus the noon shadow, Imsak and Dhuha as the rules say (10 minutes
// before Subuh and 26 after Syuruk unless told otherwise). Every time is rounded up to the next whole minute
// except Syuruk, which is rounded down, so that no time is ever shown before it has really begun (nor sunrise
// after it).
class PrayerCalculator {
public:
    explicit PrayerCalculator(const PrayerLocation& location, const PrayerRules& rules = {});

    PrayerDay day(const Date& date) const;

    const PrayerLocation& location() const { return m_location; }
    const PrayerRules& rules() const { return m_rules; }

private:
    PrayerLocation m_location;
    PrayerRules m_rules;
};

// The sun's longitude along the ecliptic at the day's transit over the place, in degrees from the March
// equinox (0..360): the season that PrayerRules' seasonal seconds follow.
double sunLongitudeAtTransit(const PrayerLocation& where, const Date& date);

// "HH:MM" (24-hour), or the empty string for a time that does not occur.
std::string formatPrayerTime(const std::optional<int>& minutes);

} // namespace tavrola

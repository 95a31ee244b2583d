// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/PrayerCalculator.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>

namespace tavrola {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The Malaysian parameters (see the README for where they come from).
constexpr double kSunsetAltitude = -(50.0 / 60.0); // zenith distance 90 degrees 50 minutes
constexpr double kZohorDelayMinutes = 1.0 + 4.0 / 60.0;
constexpr int kMinutesPerDay = 24 * 60;

double radians(double degrees) {
    return degrees * kPi / 180.0;
}
double degrees(double radians) {
    return radians * 180.0 / kPi;
}

double wrap(double value, double period) {
    const double r = std::fmod(value, period);
    return r < 0 ? r + period : r;
}

struct SunPosition {
    double declination;    // degrees
    double equationOfTime; // hours, apparent minus mean solar time
    double longitude;      // degrees along the ecliptic from the March equinox, 0..360
};

// The sun's apparent place from Meeus's low-accuracy theory (Astronomical Algorithms, chapter 25),
// with the main terms of nutation and aberration: good to about 0.01 degree, so a computed time is
// within a second or two of the true one, which decides the whole minute more often than not.
SunPosition sunAt(double julianDay) {
    // Terrestrial time runs about 69 seconds ahead of universal time in the 2020s.
    const double t = (julianDay + 69.0 / 86400.0 - 2451545.0) / 36525.0;
    const double l0 = wrap(280.46646 + 36000.76983 * t + 0.0003032 * t * t, 360.0);
    const double m = radians(wrap(357.52911 + 35999.05029 * t - 0.0001537 * t * t, 360.0));
    const double centre = (1.914602 - 0.004817 * t - 0.000014 * t * t) * std::sin(m) +
                          (0.019993 - 0.000101 * t) * std::sin(2 * m) + 0.000289 * std::sin(3 * m);
    const double omega = radians(125.04 - 1934.136 * t);
    const double nutationInLongitude = -0.004778 * std::sin(omega) - 0.0003667 * std::sin(radians(2 * l0));
    const double lambda = radians(l0 + centre - 0.00569 - 0.00478 * std::sin(omega));
    const double meanObliquity = 23.0 + 26.0 / 60.0 + (21.448 - 46.8150 * t) / 3600.0;
    const double e = radians(meanObliquity + 0.00256 * std::cos(omega));
    const double rightAscension = degrees(std::atan2(std::cos(e) * std::sin(lambda), std::cos(lambda)));
    const double equationOfTime =
        wrap((l0 - 0.0057183 - rightAscension + nutationInLongitude * std::cos(e)) / 15.0 + 12.0, 24.0) - 12.0;
    return {degrees(std::asin(std::sin(e) * std::sin(lambda))), equationOfTime, wrap(degrees(lambda), 360.0)};
}

// Solves one day's events in local clock hours, each refined with the sun's position at the
// moment itself, or, once holdSunAt is called, with the position held at that hour.
class DaySolver {
public:
    DaySolver(const PrayerLocation& where, const Date& date)
        : m_where(where), m_midnight(2440587.5 + static_cast<double>(toDayNumber(date)) - where.timeZone / 24.0) {}

    double transit(double hour) const { return transitFor(sun(hour)); }

    double sunLongitude(double hour) const { return sun(hour).longitude; }

    // From now on every time uses the sun's place at this hour.
    void holdSunAt(double hour) {
        m_held = sun(hour);
        m_holding = true;
    }

    // The moment before (morning) or after (evening) the transit when the sun's centre stands at
    // the altitude; empty when it never gets there on this day.
    std::optional<double> atAltitude(double altitude, bool morning, double guess) const {
        return refine(guess, morning, [altitude](const SunPosition&) { return std::optional<double>(altitude); });
    }

    // Asar by the Shafi'i rule: a shadow as long as its object plus the shadow at noon.
    std::optional<double> asar(double guess) const {
        return refine(guess, false, [this](const SunPosition& s) -> std::optional<double> {
            const double noonZenith = std::fabs(m_where.latitude - s.declination);
            if (noonZenith >= 90.0) // the sun stays below the horizon all day: no shadow to measure
                return std::nullopt;
            return degrees(std::atan(1.0 / (1.0 + std::tan(radians(noonZenith)))));
        });
    }

private:
    SunPosition sun(double hour) const { return m_holding ? m_held : sunAt(m_midnight + hour / 24.0); }

    double transitFor(const SunPosition& s) const {
        return 12.0 + m_where.timeZone - m_where.longitude / 15.0 - s.equationOfTime;
    }

    template <typename AltitudeOf>
    std::optional<double> refine(double hour, bool morning, AltitudeOf altitudeOf) const {
        for (int pass = 0; pass < 3; ++pass) {
            const SunPosition s = sun(hour);
            const std::optional<double> altitude = altitudeOf(s);
            if (!altitude)
                return std::nullopt;
            const double phi = radians(m_where.latitude);
            const double delta = radians(s.declination);
            const double cosH = (std::sin(radians(*altitude)) - std::sin(phi) * std::sin(delta)) /
                                (std::cos(phi) * std::cos(delta));
            if (!(std::fabs(cosH) <= 1.0)) // also refuses NaN at the poles
                return std::nullopt;
            const double h = degrees(std::acos(cosH)) / 15.0;
            hour = transitFor(s) + (morning ? -h : h);
        }
        return hour;
    }

    PrayerLocation m_where;
    double m_midnight; // Julian day of local midnight
    bool m_holding = false;
    SunPosition m_held{};
};

int toClockMinutes(int minutes) {
    return static_cast<int>(wrap(minutes, kMinutesPerDay));
}

// Tiny floating error must not push an exact minute to the next one.
constexpr double kRoundingSlack = 1e-7;

std::optional<int> roundedUp(const std::optional<double>& hour, double extraMinutes = 0.0) {
    if (!hour)
        return std::nullopt;
    return toClockMinutes(static_cast<int>(std::ceil(*hour * 60.0 + extraMinutes - kRoundingSlack)));
}

std::optional<int> roundedDown(const std::optional<double>& hour) {
    if (!hour)
        return std::nullopt;
    return toClockMinutes(static_cast<int>(std::floor(*hour * 60.0 + kRoundingSlack)));
}

std::optional<int> shifted(const std::optional<int>& minutes, int by) {
    if (!minutes)
        return std::nullopt;
    return toClockMinutes(*minutes + by);
}

} // namespace

PrayerCalculator::PrayerCalculator(const PrayerLocation& location, const PrayerRules& rules)
    : m_location(location), m_rules(rules) {}

namespace {

// One point's times in local clock hours, before rounding.
struct RawDay {
    std::optional<double> subuh, syuruk, zohor, asar, maghrib, isyak;
    std::optional<double> latestSunrise;
};

template <std::size_t N> bool isSet(const std::array<double, N>& terms) {
    return std::any_of(terms.begin(), terms.end(), [](double a) { return a != 0.0; });
}

// a1 cos L + b1 sin L + a2 cos 2L + b2 sin 2L + ... for the sun's longitude L in degrees.
double seasonSeries(std::span<const double, 8> terms, double season) {
    double seconds = 0.0;
    for (std::size_t k = 0; k < terms.size() / 2; ++k) {
        const double angle = static_cast<double>(k + 1) * radians(season);
        seconds += terms[2 * k] * std::cos(angle) + terms[2 * k + 1] * std::sin(angle);
    }
    return seconds;
}

RawDay rawDay(const PrayerLocation& where, const Date& date, const PrayerRules& rules) {
    DaySolver solver(where, date);
    const double noon = solver.transit(solver.transit(12.0));
    if (rules.sunTaken == SunTaken::AtTransit)
        solver.holdSunAt(noon);
    RawDay out;
    out.subuh = solver.atAltitude(-rules.subuhDepression - rules.horizonDip, true, noon - 7.0);
    out.syuruk = solver.atAltitude(kSunsetAltitude - rules.horizonDip, true, noon - 6.0);
    // The season's seconds on Zohor and Asar, for the zones whose tables carry them.
    double zohorSeconds = 0.0, asarSeconds = 0.0;
    if (rules.zohorNorthSeconds != 0.0 || rules.zohorNorthSwingSeconds != 0.0 || rules.asarSeasonSeconds != 0.0) {
        const double season = solver.sunLongitude(noon);
        if (season < 180.0)
            zohorSeconds =
                rules.zohorNorthSeconds + rules.zohorNorthSwingSeconds * std::cos(radians(2.0 * season));
        asarSeconds = rules.asarSeasonSeconds * (std::fmod(season, 180.0) - 90.0) / 90.0;
    }
    out.zohor = noon + zohorSeconds / 3600.0;
    out.asar = solver.asar(noon + 3.0);
    if (out.asar)
        *out.asar += asarSeconds / 3600.0;
    out.maghrib = solver.atAltitude(kSunsetAltitude - rules.horizonDip - rules.maghribDip, false, noon + 6.0);
    out.isyak = solver.atAltitude(-rules.isyakDepression - rules.horizonDip, false, noon + 7.0);
    // A prayer's own seconds through the seasons: a constant and a series in the sun's longitude.
    const auto ownSeconds = [&](std::optional<double>& time, const std::array<double, 9>& terms) {
        if (isSet(terms) && time)
            *time += (terms[0] + seasonSeries(std::span(terms).subspan<1>(), solver.sunLongitude(noon))) / 3600.0;
    };
    ownSeconds(out.asar, rules.asarClockSeconds);
    ownSeconds(out.subuh, rules.subuhClockSeconds);
    if (isSet(rules.sunClockSeconds)) {
        const double seconds = seasonSeries(rules.sunClockSeconds, solver.sunLongitude(noon));
        for (std::optional<double>* time :
             {&out.subuh, &out.syuruk, &out.zohor, &out.asar, &out.maghrib, &out.isyak})
            if (*time)
                **time += seconds / 3600.0;
    }
    out.latestSunrise = out.syuruk;
    return out;
}

// The later (or earlier) of two points' times; a time that does not occur at one point does not
// occur for the zone.
std::optional<double> combined(const std::optional<double>& a, const std::optional<double>& b, bool latest) {
    if (!a || !b)
        return std::nullopt;
    return latest ? std::max(*a, *b) : std::min(*a, *b);
}

} // namespace

PrayerDay PrayerCalculator::day(const Date& date) const {
    RawDay raw = rawDay(m_location, date, m_rules);
    for (const PrayerLocation& other : m_rules.otherPoints) {
        const RawDay more = rawDay(other, date, m_rules);
        raw.subuh = combined(raw.subuh, more.subuh, true);
        raw.syuruk = combined(raw.syuruk, more.syuruk, false);
        raw.zohor = combined(raw.zohor, more.zohor, true);
        raw.asar = combined(raw.asar, more.asar, true);
        raw.maghrib = combined(raw.maghrib, more.maghrib, true);
        raw.isyak = combined(raw.isyak, more.isyak, true);
        raw.latestSunrise = combined(raw.latestSunrise, more.latestSunrise, true);
    }

    PrayerDay out;
    out[Prayer::Subuh] = roundedUp(raw.subuh);
    out[Prayer::Syuruk] = roundedDown(raw.syuruk);
    out[Prayer::Zohor] = roundedUp(raw.zohor, kZohorDelayMinutes);
    out[Prayer::Asar] = roundedUp(raw.asar);
    out[Prayer::Maghrib] = roundedUp(raw.maghrib);
    out[Prayer::Isyak] = roundedUp(raw.isyak);
    out[Prayer::Imsak] = shifted(out[Prayer::Subuh], -m_rules.imsakBeforeSubuh);
    switch (m_rules.dhuhaRule) {
    case DhuhaRule::AfterSyuruk:
        out[Prayer::Dhuha] = shifted(out[Prayer::Syuruk], m_rules.dhuhaMinutes);
        break;
    case DhuhaRule::AfterLatestSunrise:
        out[Prayer::Dhuha] = roundedUp(raw.latestSunrise, m_rules.dhuhaMinutes);
        break;
    case DhuhaRule::AfterThirdOfDawn:
        if (out[Prayer::Subuh] && out[Prayer::Syuruk]) {
            const int dawn = toClockMinutes(*out[Prayer::Syuruk] - *out[Prayer::Subuh]);
            out[Prayer::Dhuha] = shifted(out[Prayer::Syuruk], dawn / 3 + m_rules.dhuhaMinutes);
        }
        break;
    }
    return out;
}

double sunLongitudeAtTransit(const PrayerLocation& where, const Date& date) {
    const DaySolver solver(where, date);
    return solver.sunLongitude(solver.transit(solver.transit(12.0)));
}

std::string formatPrayerTime(const std::optional<int>& minutes) {
    if (!minutes)
        return {};
    return hourMinuteText(*minutes);
}

} // namespace tavrola

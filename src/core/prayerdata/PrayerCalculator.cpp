#include "core/prayerdata/PrayerCalculator.h"

#include <cmath>

namespace tavrola {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The Malaysian parameters (see the README for where they come from).
constexpr double kSubuhDepression = 18.0;
constexpr double kIsyakDepression = 18.0;
constexpr double kSunsetAltitude = -(50.0 / 60.0); // zenith distance 90 degrees 50 minutes
constexpr double kZohorDelayMinutes = 1.0 + 4.0 / 60.0;
constexpr int kImsakBeforeSubuh = 10;
// Published timetables put Dhuha a fixed 25 or 27 minutes after Syuruk, depending on the state.
constexpr int kDhuhaAfterSyuruk = 26;
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
};

// The US Naval Observatory's approximate solar coordinates: good to about one arc minute (four
// seconds of time) within two centuries of 2000, far finer than the whole minutes a timetable shows.
SunPosition sunAt(double julianDay) {
    const double d = julianDay - 2451545.0;
    const double g = radians(wrap(357.529 + 0.98560028 * d, 360.0));
    const double q = wrap(280.459 + 0.98564736 * d, 360.0);
    const double lambda = radians(wrap(q + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g), 360.0));
    const double e = radians(23.439 - 0.00000036 * d);
    const double rightAscension =
        wrap(degrees(std::atan2(std::cos(e) * std::sin(lambda), std::cos(lambda))) / 15.0, 24.0);
    const double equationOfTime = wrap(q / 15.0 - rightAscension + 12.0, 24.0) - 12.0;
    return {degrees(std::asin(std::sin(e) * std::sin(lambda))), equationOfTime};
}

// Solves one day's events in local clock hours, each refined with the sun's position at the
// moment itself rather than at noon.
class DaySolver {
public:
    DaySolver(const PrayerLocation& where, const Date& date)
        : m_where(where), m_midnight(2440587.5 + static_cast<double>(toDayNumber(date)) - where.timeZone / 24.0) {}

    double transit(double hour) const { return transitFor(sun(hour)); }

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
    SunPosition sun(double hour) const { return sunAt(m_midnight + hour / 24.0); }

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

std::string_view prayerName(Prayer prayer) {
    static constexpr std::array<std::string_view, kPrayerCount> kNames{"Imsak", "Subuh", "Syuruk",  "Dhuha",
                                                                       "Zohor", "Asar",  "Maghrib", "Isyak"};
    return kNames[static_cast<std::size_t>(prayer)];
}

PrayerCalculator::PrayerCalculator(const PrayerLocation& location) : m_location(location) {}

PrayerDay PrayerCalculator::day(const Date& date) const {
    const DaySolver solver(m_location, date);
    const double noon = solver.transit(solver.transit(12.0));

    PrayerDay out;
    out[Prayer::Subuh] = roundedUp(solver.atAltitude(-kSubuhDepression, true, noon - 7.0));
    out[Prayer::Syuruk] = roundedDown(solver.atAltitude(kSunsetAltitude, true, noon - 6.0));
    out[Prayer::Zohor] = roundedUp(noon, kZohorDelayMinutes);
    out[Prayer::Asar] = roundedUp(solver.asar(noon + 3.0));
    out[Prayer::Maghrib] = roundedUp(solver.atAltitude(kSunsetAltitude, false, noon + 6.0));
    out[Prayer::Isyak] = roundedUp(solver.atAltitude(-kIsyakDepression, false, noon + 7.0));
    out[Prayer::Imsak] = shifted(out[Prayer::Subuh], -kImsakBeforeSubuh);
    out[Prayer::Dhuha] = shifted(out[Prayer::Syuruk], kDhuhaAfterSyuruk);
    return out;
}

std::string formatPrayerTime(const std::optional<int>& minutes) {
    if (!minutes)
        return {};
    return pad(*minutes / 60, 2) + ":" + pad(*minutes % 60, 2);
}

} // namespace tavrola

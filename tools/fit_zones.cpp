// SPDX-License-Identifier: GPL-3.0-or-later
// Finds the reference points of JAKIM's prayer-time zones from their published timetables, and
// checks the shipped table against other years.
//
//   fit_zones fit --zones zones.csv --out src/core/prayerdata/ZoneTable.cpp [--only CODE]... TABLE.csv...
//   fit_zones check TABLE.csv...
//
// A TABLE is a CSV file whose first line names its columns: "zone" (or, when absent, the file name
// starts with the zone code, as in "SGR01 - Gombak....csv"), "date" or "Tarikh Miladi" (yyyy-mm-dd or
// d/m/yyyy), and any of imsak, subuh, syuruk, dhuha, zohor, asar, maghrib, isyak (any case; "HH:MM",
// "HH:MM:SS", "h:mm AM" or "h:mm:ss PM"). zones.csv holds zone,state,location (the districts). "fit"
// writes the table source (with --only, merges those zones into the table already there); "check"
// compares the shipped table with the files, one line per zone.

#include "core/prayerdata/PrayerCalculator.h"
#include "core/prayerdata/Zones.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace tavrola;

namespace {

struct Row {
    Date date;
    std::array<std::optional<int>, kPrayerCount> minutes{};
    std::array<bool, kPrayerCount> outOfLine{}; // a misprint by its neighbours (markOutOfLine)
};

using Tables = std::map<std::string, std::vector<Row>>;

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(std::string s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.pop_back();
    std::size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    return s.substr(i);
}

// Splits one CSV line, with double-quoted fields.
std::vector<std::string> splitCsv(const std::string& line) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            out.emplace_back();
        else if (c != '\r')
            out.back() += c;
    }
    for (auto& field : out)
        field = trim(field);
    return out;
}

// "HH:MM", "HH:MM:SS", "h:mm AM" or "h:mm:ss PM" (any case) as minutes after midnight; seconds are
// dropped, as the published minute is what counts. 12 AM is midnight, 12 PM noon.
std::optional<int> parseTime(const std::string& text) {
    int h = 0, m = 0, s = 0, used = 0;
    const char* at = text.c_str();
    if (std::sscanf(at, "%2d:%2d%n", &h, &m, &used) != 2)
        return std::nullopt;
    at += used;
    if (*at == ':' && (std::sscanf(at, ":%2d%n", &s, &used) != 1 || s < 0 || s > 59))
        return std::nullopt;
    if (*at == ':')
        at += used;
    const std::string suffix = lower(trim(at));
    if (!suffix.empty()) {
        if ((suffix != "am" && suffix != "pm") || h < 1 || h > 12)
            return std::nullopt;
        h = h % 12 + (suffix == "pm" ? 12 : 0);
    }
    if (h < 0 || h > 23 || m < 0 || m > 59)
        return std::nullopt;
    return h * 60 + m;
}

std::optional<Date> parseDate(const std::string& text) {
    int a = 0, b = 0, c = 0;
    Date d;
    if (std::sscanf(text.c_str(), "%d-%d-%d", &a, &b, &c) == 3)
        d = {a, b, c};
    else if (std::sscanf(text.c_str(), "%d/%d/%d", &a, &b, &c) == 3)
        d = {c, b, a};
    else
        return std::nullopt;
    return isValidDate(d) ? std::optional<Date>(d) : std::nullopt;
}

// The zone of a file without a zone column, from its name: "SGR01 - Gombak....csv" holds SGR01. Some
// compilations spell Negeri Sembilan's codes with four letters ("NGSN01 - Tampin, Jempol.csv"), where
// e-Solat writes NGS01: the code is the name's first three letters and the last two digits after them.
std::string zoneOfFileName(const std::string& name) {
    std::size_t letters = 0;
    while (letters < name.size() && std::isalpha(static_cast<unsigned char>(name[letters])))
        ++letters;
    std::size_t digits = letters;
    while (digits < name.size() && std::isdigit(static_cast<unsigned char>(name[digits])))
        ++digits;
    if (letters < 3 || digits - letters < 2)
        return name.substr(0, 5);
    return name.substr(0, 3) + name.substr(digits - 2, 2);
}

bool readTable(const std::filesystem::path& file, Tables& tables) {
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line))
        return false;
    if (line.rfind("\xEF\xBB\xBF", 0) == 0)
        line.erase(0, 3);
    const auto header = splitCsv(line);
    int zoneColumn = -1, dateColumn = -1;
    std::array<int, kPrayerCount> prayerColumn;
    prayerColumn.fill(-1);
    for (std::size_t c = 0; c < header.size(); ++c) {
        const std::string name = lower(header[c]);
        if (name == "zone" || name == "zon")
            zoneColumn = static_cast<int>(c);
        else if (name == "date" || name == "tarikh miladi")
            dateColumn = static_cast<int>(c);
        for (std::size_t p = 0; p < kPrayerCount; ++p)
            if (name == lower(std::string(prayerNames(static_cast<Prayer>(p)).document)))
                prayerColumn[p] = static_cast<int>(c);
    }
    if (dateColumn < 0)
        return false;
    const std::string fileZone = zoneOfFileName(file.filename().string());
    while (std::getline(in, line)) {
        const auto fields = splitCsv(line);
        if (fields.size() < header.size())
            continue;
        std::string zone = zoneColumn >= 0 ? fields[static_cast<std::size_t>(zoneColumn)] : fileZone;
        const auto date = parseDate(fields[static_cast<std::size_t>(dateColumn)]);
        if (!date || zone.empty())
            continue;
        Row row{*date, {}};
        for (std::size_t p = 0; p < kPrayerCount; ++p)
            if (prayerColumn[p] >= 0)
                row.minutes[p] = parseTime(fields[static_cast<std::size_t>(prayerColumn[p])]);
        tables[zone].push_back(row);
    }
    return true;
}

// --- scoring ---------------------------------------------------------------------------------------

// A published time this far from every fit is a typing error in the table (an Imsak 40 minutes off
// once, a time marked AM in the afternoon): it must not decide between fits.
constexpr int kPublishedError = 10;

int signedDifference(int computed, int published) {
    int d = computed - published;
    if (d > 720)
        d -= 1440;
    if (d < -720)
        d += 1440;
    return d;
}

// A miss by one minute costs 1, a larger one far more: the fit prefers many exact times, but never at
// the price of a time two minutes off.
long cost(int difference) {
    const long d = std::labs(difference);
    return d == 0 ? 0 : d == 1 ? 1 : 20 * d;
}

template <typename Prayers>
long score(const std::vector<Row>& rows, const PrayerLocation& main, const PrayerRules& rules,
           const Prayers& prayers, std::size_t step) {
    const PrayerCalculator calculator(main, rules);
    long total = 0;
    for (std::size_t i = 0; i < rows.size(); i += step) {
        const PrayerDay day = calculator.day(rows[i].date);
        for (Prayer p : prayers) {
            const auto& published = rows[i].minutes[static_cast<std::size_t>(p)];
            if (published && day[p])
                total += cost(signedDifference(*day[p], *published));
        }
    }
    return total;
}

struct Point {
    double lat;
    double lon;
};

// The best point of a square grid, and among equally good points their centre (when it is as good),
// so that a ridge of ties settles in its middle rather than at one end.
template <typename Score> Point gridSearch(Point centre, Point halfSize, double stepDegrees, Score scoreAt) {
    long best = -1;
    std::vector<Point> ties;
    const int n = static_cast<int>(std::lround(halfSize.lat / stepDegrees));
    const int m = static_cast<int>(std::lround(halfSize.lon / stepDegrees));
    for (int i = -n; i <= n; ++i)
        for (int j = -m; j <= m; ++j) {
            const Point p{centre.lat + i * stepDegrees, centre.lon + j * stepDegrees};
            const long s = scoreAt(p);
            if (best < 0 || s < best) {
                best = s;
                ties.clear();
            }
            if (s == best)
                ties.push_back(p);
        }
    Point mean{0, 0};
    for (const Point& p : ties) {
        mean.lat += p.lat / static_cast<double>(ties.size());
        mean.lon += p.lon / static_cast<double>(ties.size());
    }
    if (scoreAt(mean) == best)
        return mean;
    return *std::min_element(ties.begin(), ties.end(), [&](const Point& a, const Point& b) {
        return std::hypot(a.lat - mean.lat, a.lon - mean.lon) < std::hypot(b.lat - mean.lat, b.lon - mean.lon);
    });
}

PrayerLocation at(Point p) {
    return {p.lat, p.lon, 8.0};
}

double rounded(double value, double unit) {
    return std::round(value / unit) * unit;
}

// Coarse to fine: a sparse grid over the whole country on a sample of days, then finer grids around
// the best point on every day.
template <typename ScoreAt> Point searchPoint(Point start, Point halfSize, ScoreAt scoreAt) {
    Point p = gridSearch(start, halfSize, 0.1, [&](Point q) { return scoreAt(q, 14); });
    p = gridSearch(p, {0.15, 0.15}, 0.02, [&](Point q) { return scoreAt(q, 3); });
    p = gridSearch(p, {0.03, 0.03}, 0.005, [&](Point q) { return scoreAt(q, 2); });
    p = gridSearch(p, {0.006, 0.006}, 0.001, [&](Point q) { return scoreAt(q, 2); });
    return {rounded(p.lat, 0.001), rounded(p.lon, 0.001)};
}

// A point must remove at least this many misses (about 1 % of a year's times): a point for a day's
// sake would only follow the rounding.
constexpr long kWorthAPoint = 20;
// What one more reference point must remove (fit's --point-worth; kWorthAPoint unless told).
long pointWorth = kWorthAPoint;
constexpr std::size_t kMostPoints = 4;

constexpr std::array<Prayer, 6> kSunPrayers = {Prayer::Subuh, Prayer::Syuruk,  Prayer::Zohor,
                                               Prayer::Asar,  Prayer::Maghrib, Prayer::Isyak};

struct Fit {
    std::string code;
    PrayerLocation place;
    PrayerRules rules;
};

int mostCommonDifference(const std::vector<Row>& rows, Prayer later, Prayer earlier) {
    std::map<int, int> counts;
    for (const Row& r : rows) {
        const auto& a = r.minutes[static_cast<std::size_t>(later)];
        const auto& b = r.minutes[static_cast<std::size_t>(earlier)];
        if (a && b)
            ++counts[signedDifference(*a, *b)];
    }
    if (counts.empty())
        return 0;
    return std::max_element(counts.begin(), counts.end(), [](auto& x, auto& y) { return x.second < y.second; })
        ->first;
}

// A zone whose timetable uses other angles than the usual (a high place's dip of the horizon, another
// depression for Subuh or Isyak) gets them when they remove enough misses.
void fitAngles(const std::vector<Row>& rows, const PrayerLocation& place, PrayerRules& rules) {
    const auto tryValues = [&](double PrayerRules::*field, double from, double to, double step, auto prayers) {
        PrayerRules trial = rules;
        long best = score(rows, place, rules, prayers, 1);
        const long usual = best;
        double chosen = rules.*field;
        for (double v = from; v <= to + 1e-9; v += step) {
            trial.*field = v;
            const long s = score(rows, place, trial, prayers, 2) * 2;
            if (s < best) {
                best = s;
                chosen = v;
            }
        }
        if (best + kWorthAPoint <= usual)
            rules.*field = rounded(chosen, 0.01);
    };
    tryValues(&PrayerRules::horizonDip, 0.0, 2.5, 0.05,
              std::array<Prayer, 4>{Prayer::Subuh, Prayer::Syuruk, Prayer::Maghrib, Prayer::Isyak});
    tryValues(&PrayerRules::subuhDepression, 15.0, 21.0, 0.05, std::array<Prayer, 1>{Prayer::Subuh});
    tryValues(&PrayerRules::isyakDepression, 15.0, 21.0, 0.05, std::array<Prayer, 1>{Prayer::Isyak});
    // The dip may belong to the horizon alone, Subuh and Isyak keeping their depressions below the true
    // horizontal (Kinabalu's 2 degrees at Syuruk and Maghrib): search it with their sums held.
    {
        const std::array<Prayer, 4> four = {Prayer::Subuh, Prayer::Syuruk, Prayer::Maghrib, Prayer::Isyak};
        const double subuhTotal = rules.subuhDepression + rules.horizonDip;
        const double isyakTotal = rules.isyakDepression + rules.horizonDip;
        const long usual = score(rows, place, rules, four, 1);
        long best = usual;
        PrayerRules trial = rules, chosen = rules;
        for (int hundredths = 0; hundredths <= 250; hundredths += 5) {
            trial.horizonDip = hundredths / 100.0;
            trial.subuhDepression = rounded(subuhTotal - trial.horizonDip, 0.01);
            trial.isyakDepression = rounded(isyakTotal - trial.horizonDip, 0.01);
            const long s = score(rows, place, trial, four, 2) * 2;
            if (s < best) {
                best = s;
                chosen = trial;
            }
        }
        if (score(rows, place, chosen, four, 1) + kWorthAPoint <= usual) {
            rules = chosen;
            tryValues(&PrayerRules::subuhDepression, 15.0, 21.0, 0.05, std::array<Prayer, 1>{Prayer::Subuh});
            tryValues(&PrayerRules::isyakDepression, 15.0, 21.0, 0.05, std::array<Prayer, 1>{Prayer::Isyak});
        }
    }
}

// Seconds some tables put on Zohor and Asar with the season (see PrayerRules), kept when they remove
// enough misses.
void fitSeason(const std::vector<Row>& rows, const PrayerLocation& place, PrayerRules& rules) {
    const auto tryGrid = [&](Prayer prayer, auto set, auto first, auto last) {
        const std::array<Prayer, 1> only = {prayer};
        const long usual = score(rows, place, rules, only, 1);
        long best = usual;
        PrayerRules trial = rules, chosen = rules;
        for (auto [a, b] = first; a <= last.first; ++a)
            for (b = first.second; b <= last.second; ++b) {
                set(trial, a, b);
                const long s = score(rows, place, trial, only, 2) * 2;
                if (s < best) {
                    best = s;
                    chosen = trial;
                }
            }
        if (score(rows, place, chosen, only, 1) + kWorthAPoint <= usual)
            rules = chosen;
    };
    tryGrid(
        Prayer::Zohor,
        [](PrayerRules& r, int a, int b) {
            r.zohorNorthSeconds = a;
            r.zohorNorthSwingSeconds = b;
        },
        std::pair{-10, 0}, std::pair{10, 30});
    tryGrid(
        Prayer::Asar, [](PrayerRules& r, int a, int) { r.asarSeasonSeconds = a; }, std::pair{-30, 0},
        std::pair{30, 0});
}

// The least-squares series that keeps each day inside its window of seconds, (low, high]: fitted to
// targets inside the windows, each target moved to the fit's value where that lies inside (else to the
// window's nearer edge), until the fit settles.
template <std::size_t kTerms>
std::array<double, kTerms> fitInsideWindows(const std::vector<std::array<double, kTerms>>& basis,
                                            const std::vector<std::pair<double, double>>& windows) {
    std::vector<double> target(windows.size());
    for (std::size_t i = 0; i < windows.size(); ++i)
        target[i] = (windows[i].first + windows[i].second) / 2;
    std::array<double, kTerms> w{};
    for (int round = 0; round < 200; ++round) {
        // Normal equations, solved by Gaussian elimination with partial pivoting.
        std::array<std::array<double, kTerms + 1>, kTerms> m{};
        for (std::size_t i = 0; i < basis.size(); ++i)
            for (std::size_t r = 0; r < kTerms; ++r) {
                for (std::size_t c = 0; c < kTerms; ++c)
                    m[r][c] += basis[i][r] * basis[i][c];
                m[r][kTerms] += basis[i][r] * target[i];
            }
        for (std::size_t c = 0; c < kTerms; ++c) {
            std::size_t pivot = c;
            for (std::size_t r = c + 1; r < kTerms; ++r)
                if (std::fabs(m[r][c]) > std::fabs(m[pivot][c]))
                    pivot = r;
            std::swap(m[c], m[pivot]);
            for (std::size_t r = 0; r < kTerms; ++r)
                if (r != c) {
                    const double f = m[r][c] / m[c][c];
                    for (std::size_t k = c; k <= kTerms; ++k)
                        m[r][k] -= f * m[c][k];
                }
        }
        for (std::size_t c = 0; c < kTerms; ++c)
            w[c] = m[c][kTerms] / m[c][c];
        for (std::size_t i = 0; i < basis.size(); ++i) {
            double fitted = 0.0;
            for (std::size_t c = 0; c < kTerms; ++c)
                fitted += w[c] * basis[i][c];
            target[i] = std::clamp(fitted, windows[i].first + 1.0, windows[i].second - 1.0);
        }
    }
    return w;
}

// Each published time bounds the seconds by which its day's time must move to a minute's window,
// (low, high]; timeOf(seconds, date) is the time moved later by those seconds. With each window, the
// day's terms of the season's series: 1, cos L, sin L, ... cos 4L, sin 4L.
struct SeasonWindows {
    std::vector<std::array<double, 9>> basis;
    std::vector<std::pair<double, double>> windows;
};

template <typename TimeOf>
SeasonWindows seasonWindows(const std::vector<Row>& rows, const PrayerLocation& place, Prayer prayer,
                            TimeOf timeOf) {
    SeasonWindows out;
    for (const Row& row : rows) {
        const auto& published = row.minutes[static_cast<std::size_t>(prayer)];
        const std::optional<int> computed = timeOf(0.0, row.date);
        if (!published || !computed)
            continue;
        const int difference = signedDifference(*computed, *published);
        if (std::abs(difference) >= kPublishedError)
            continue;
        // How much later the time may be before it rounds to the next minute.
        double low = 0.0, high = 60.0;
        for (int i = 0; i < 12; ++i) {
            const double mid = (low + high) / 2;
            (timeOf(mid, row.date) == computed ? low : high) = mid;
        }
        out.windows.emplace_back(high - 60.0 - 60.0 * difference, high - 60.0 * difference);
        const double season = sunLongitudeAtTransit(place, row.date) * 3.14159265358979323846 / 180.0;
        std::array<double, 9> b{1.0};
        for (std::size_t k = 1; k <= 4; ++k) {
            b[2 * k - 1] = std::cos(static_cast<double>(k) * season);
            b[2 * k] = std::sin(static_cast<double>(k) * season);
        }
        out.basis.push_back(b);
    }
    return out;
}

// Seconds on every time through the seasons (see PrayerRules::sunClockSeconds), read from Zohor, which
// depends on nothing but the longitude and the sun's time: the series that keeps each published Zohor
// inside its minute. Its mean is left to the place's longitude. Kept when it removes enough misses.
void fitSunClock(const std::vector<Row>& rows, PrayerLocation& place, PrayerRules& rules) {
    const SeasonWindows days =
        seasonWindows(rows, place, Prayer::Zohor, [&](double laterSeconds, const Date& date) {
            // Every point moved west by the same step puts the zone's Zohor later by those seconds.
            PrayerLocation moved = place;
            PrayerRules r = rules;
            moved.longitude -= laterSeconds / 240.0;
            for (PrayerLocation& other : r.otherPoints)
                other.longitude -= laterSeconds / 240.0;
            return PrayerCalculator(moved, r).day(date)[Prayer::Zohor];
        });
    if (days.windows.size() < 100)
        return;
    const std::array<double, 9> w = fitInsideWindows(days.basis, days.windows);
    PrayerRules trial = rules;
    for (std::size_t k = 0; k < trial.sunClockSeconds.size(); ++k)
        trial.sunClockSeconds[k] = rounded(rules.sunClockSeconds[k] + w[k + 1], 0.1);
    const std::array<Prayer, 1> zohor = {Prayer::Zohor};
    PrayerLocation moved = place;
    moved.longitude -= w[0] / 240.0;
    for (PrayerLocation& other : trial.otherPoints)
        other.longitude -= w[0] / 240.0;
    if (score(rows, moved, trial, zohor, 1) + kWorthAPoint <= score(rows, place, rules, zohor, 1)) {
        place = moved;
        rules = trial;
    }
}

// Seconds on one prayer alone through the seasons (see PrayerRules::asarClockSeconds and
// subuhClockSeconds), read from its column the same way with the points held. Kept when it removes
// enough misses, or `always`.
void fitPrayerClock(const std::vector<Row>& rows, const PrayerLocation& place, PrayerRules& rules, Prayer prayer,
                    std::array<double, 9> PrayerRules::*seconds, bool always = false) {
    const SeasonWindows days = seasonWindows(rows, place, prayer, [&](double laterSeconds, const Date& date) {
        PrayerRules r = rules;
        (r.*seconds)[0] += laterSeconds;
        return PrayerCalculator(place, r).day(date)[prayer];
    });
    if (days.windows.size() < 100)
        return;
    const std::array<double, 9> w = fitInsideWindows(days.basis, days.windows);
    PrayerRules trial = rules;
    for (std::size_t k = 0; k < w.size(); ++k)
        (trial.*seconds)[k] = rounded((rules.*seconds)[k] + w[k], 0.1);
    const std::array<Prayer, 1> only = {prayer};
    if (always || score(rows, place, trial, only, 1) + kWorthAPoint <= score(rows, place, rules, only, 1))
        rules = trial;
}

// A high place whose Maghrib keeps missing the same way may see a lower horizon to the west: read that
// further dip from the Maghrib column with the points held, kept when it removes as many misses as a
// point would.
void fitMaghribDip(const std::vector<Row>& rows, const PrayerLocation& place, PrayerRules& rules) {
    const std::array<Prayer, 1> maghrib = {Prayer::Maghrib};
    const long usual = score(rows, place, rules, maghrib, 1);
    long best = usual;
    PrayerRules trial = rules;
    double bestDip = rules.maghribDip;
    for (int hundredths = -100; hundredths <= 200; ++hundredths) {
        trial.maghribDip = hundredths / 100.0;
        const long s = score(rows, place, trial, maghrib, 1);
        if (s < best) {
            best = s;
            bestDip = trial.maghribDip;
        }
    }
    if (best + kWorthAPoint <= usual)
        rules.maghribDip = bestDip;
}

// How the first point is searched for: over the whole country with the zone's way of taking the sun,
// or with the sun at each time and then around that best with the zone's way (the two ways differ by
// seconds, their places by hundredths of a degree, but not every zone ends up best from the same start).
enum class Start { Direct, FromEachTime };

Fit fitZone(const std::string& code, const std::vector<Row>& rows, bool ownAngles, SunTaken sunTaken,
            Start start = Start::Direct, bool sunClock = false) {
    Fit fit{code, {}, {}};
    fit.rules.imsakBeforeSubuh = mostCommonDifference(rows, Prayer::Subuh, Prayer::Imsak);
    // Peninsular Malaysia, Sabah, Sarawak and Labuan lie between 0.8-7.5 N and 99.5-119.5 E.
    fit.rules.sunTaken = start == Start::Direct ? sunTaken : SunTaken::AtEachTime;
    Point first = searchPoint({4.2, 109.5}, {3.5, 10.0}, [&](Point q, std::size_t step) {
        return score(rows, at(q), fit.rules, kSunPrayers, step);
    });
    if (fit.rules.sunTaken != sunTaken) {
        fit.rules.sunTaken = sunTaken;
        first = searchPoint(first, {0.3, 0.3}, [&](Point q, std::size_t step) {
            return score(rows, at(q), fit.rules, kSunPrayers, step);
        });
    }
    fit.place = at(first);
    if (ownAngles)
        fitAngles(rows, fit.place, fit.rules);
    if (fit.rules.subuhDepression != 18.0 || fit.rules.isyakDepression != 18.0 || fit.rules.horizonDip != 0.0) {
        // The place was found with the usual angles: look again around it with the zone's own.
        fit.place = at(searchPoint(first, {0.5, 0.5}, [&](Point q, std::size_t step) {
            return score(rows, at(q), fit.rules, kSunPrayers, step);
        }));
        fitAngles(rows, fit.place, fit.rules);
    }
    if (sunClock) {
        // The place was found on the sun's own time: fit the table's, look again around the place with
        // it, and fit it again there.
        fitSunClock(rows, fit.place, fit.rules);
        first = searchPoint({fit.place.latitude, fit.place.longitude}, {0.3, 0.3}, [&](Point q, std::size_t step) {
            return score(rows, at(q), fit.rules, kSunPrayers, step);
        });
        fit.place = at(first);
        fitSunClock(rows, fit.place, fit.rules);
    }
    long best = score(rows, fit.place, fit.rules, kSunPrayers, 1);

    // More points while each removes enough misses; after each, the earlier points are refined
    // with the others held, once.
    while (best > 0 && fit.rules.otherPoints.size() + 1 < kMostPoints) {
        PrayerRules trial = fit.rules;
        trial.otherPoints.emplace_back();
        const Point added = searchPoint(first, {1.5, 1.5}, [&](Point q, std::size_t step) {
            trial.otherPoints.back() = at(q);
            return score(rows, fit.place, trial, kSunPrayers, step);
        });
        trial.otherPoints.back() = at(added);
        PrayerLocation place = fit.place;
        const auto refineOne = [&](PrayerLocation& point) {
            const Point found = gridSearch({point.latitude, point.longitude}, {0.01, 0.01}, 0.002, [&](Point q) {
                const PrayerLocation kept = point;
                point = at(q);
                const long s = score(rows, place, trial, kSunPrayers, 2);
                point = kept;
                return s;
            });
            point = at({rounded(found.lat, 0.001), rounded(found.lon, 0.001)});
        };
        refineOne(place);
        for (PrayerLocation& point : trial.otherPoints)
            refineOne(point);
        const long now = score(rows, place, trial, kSunPrayers, 1);
        if (now + pointWorth > best)
            break;
        best = now;
        fit.place = place;
        fit.rules = trial;
    }

    fitSeason(rows, fit.place, fit.rules);

    // Dhuha: whichever of the rules, with its most common count of minutes, misses the fewest days.
    const std::array<Prayer, 1> dhuha = {Prayer::Dhuha};
    long bestDhuha = -1;
    PrayerRules trial = fit.rules;
    for (DhuhaRule rule : {DhuhaRule::AfterSyuruk, DhuhaRule::AfterThirdOfDawn, DhuhaRule::AfterLatestSunrise}) {
        trial.dhuhaRule = rule;
        for (int minutes = 0; minutes <= 40; ++minutes) {
            trial.dhuhaMinutes = minutes;
            const long s = score(rows, fit.place, trial, dhuha, 1);
            if (bestDhuha < 0 || s < bestDhuha) {
                bestDhuha = s;
                fit.rules.dhuhaRule = rule;
                fit.rules.dhuhaMinutes = minutes;
            }
        }
    }
    return fit;
}

// A time moves by at most a minute from one day to the next: one two or more minutes away from both
// the day before and the day after, on the same side, is a misprint whatever any fit says (PLS01's
// 2025 Syuruk 07:23, 07:20, 07:22).
void markOutOfLine(std::vector<Row>& rows) {
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.date < b.date; });
    for (std::size_t i = 1; i + 1 < rows.size(); ++i) {
        if (toDayNumber(rows[i].date) - toDayNumber(rows[i - 1].date) != 1 ||
            toDayNumber(rows[i + 1].date) - toDayNumber(rows[i].date) != 1)
            continue;
        for (std::size_t p = 0; p < kPrayerCount; ++p) {
            const auto &before = rows[i - 1].minutes[p], &now = rows[i].minutes[p],
                       &after = rows[i + 1].minutes[p];
            if (before && now && after)
                rows[i].outOfLine[p] =
                    (*now - *before >= 2 && *now - *after >= 2) || (*before - *now >= 2 && *after - *now >= 2);
        }
    }
}

// --- reports ---------------------------------------------------------------------------------------

struct Tally {
    int exact = 0;
    int total = 0;
    int worst = 0;
    int worstPlausible = 0;                              // the worst miss under kPublishedError
    int misprints = 0;                                   // kPublishedError or more away, or out of line
    std::array<std::map<int, int>, kPrayerCount> misses; // per prayer: difference -> count
};

// At least 95 % of the times that are not misprints exact, and every one of them within a minute.
bool onMark(const Tally& t) {
    return t.worstPlausible <= 1 && t.exact * 100 >= (t.total - t.misprints) * 95;
}

// The smaller worst miss first, then more exact times.
bool better(const Tally& a, const Tally& b) {
    return a.worstPlausible < b.worstPlausible || (a.worstPlausible == b.worstPlausible && a.exact > b.exact);
}

Tally compare(const std::vector<Row>& rows, const PrayerLocation& place, const PrayerRules& rules) {
    const PrayerCalculator calculator(place, rules);
    Tally t;
    for (const Row& r : rows) {
        const PrayerDay day = calculator.day(r.date);
        for (std::size_t p = 0; p < kPrayerCount; ++p) {
            const auto& published = r.minutes[p];
            const auto& computed = day[static_cast<Prayer>(p)];
            if (!published || !computed)
                continue;
            ++t.total;
            if (r.outOfLine[p]) {
                ++t.misprints;
                continue;
            }
            const int d = signedDifference(*computed, *published);
            if (d == 0)
                ++t.exact;
            else
                ++t.misses[p][d];
            t.worst = std::max(t.worst, std::abs(d));
            if (std::abs(d) < kPublishedError)
                t.worstPlausible = std::max(t.worstPlausible, std::abs(d));
            else
                ++t.misprints;
        }
    }
    return t;
}

void printTally(const std::string& code, const Tally& t) {
    std::printf("%s %5d/%5d exact (%5.1f%%), worst %d min", code.c_str(), t.exact, t.total,
                t.total ? 100.0 * t.exact / t.total : 0.0, t.worst);
    // A misprint cannot be reproduced by any rule: the share and the worst miss without them decide
    // whether the zone is on the mark.
    if (t.misprints) {
        const int rest = t.total - t.misprints;
        std::printf(" [%d misprint(s) set aside: %5.1f%%, worst %d min]", t.misprints,
                    rest ? 100.0 * t.exact / rest : 0.0, t.worstPlausible);
    }
    for (std::size_t p = 0; p < kPrayerCount; ++p) {
        if (t.misses[p].empty())
            continue;
        std::printf("  %s", std::string(prayerNames(static_cast<Prayer>(p)).document).c_str());
        for (const auto& [d, n] : t.misses[p])
            std::printf(" %+d:%d", d, n);
    }
    std::printf("\n");
}

std::string stateName(const std::string& code) {
    static const std::map<std::string, std::string> names = {
        {"JHR", "Johor"},           {"KDH", "Kedah"},
        {"KTN", "Kelantan"},        {"MLK", "Melaka"},
        {"NGS", "Negeri Sembilan"}, {"PHG", "Pahang"},
        {"PLS", "Perlis"},          {"PNG", "Pulau Pinang"},
        {"PRK", "Perak"},           {"SBH", "Sabah"},
        {"SGR", "Selangor"},        {"SWK", "Sarawak"},
        {"TRG", "Terengganu"},      {"WLY", "Wilayah Persekutuan"}};
    const auto it = names.find(code.substr(0, 3));
    return it == names.end() ? code.substr(0, 3) : it->second;
}

const char* dhuhaRuleName(DhuhaRule rule) {
    switch (rule) {
    case DhuhaRule::AfterSyuruk:
        return "DhuhaRule::AfterSyuruk";
    case DhuhaRule::AfterLatestSunrise:
        return "DhuhaRule::AfterLatestSunrise";
    case DhuhaRule::AfterThirdOfDawn:
        return "DhuhaRule::AfterThirdOfDawn";
    }
    return "";
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string place(const PrayerLocation& p) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "{%.3f, %.3f, 8.0}", p.latitude, p.longitude);
    return buffer;
}

// The table keeps its zones by state, then code.
std::pair<std::string, std::string> tableKey(const std::string& code) {
    return {stateName(code), code};
}

// One zone's entry of the table source, a whole number of lines.
std::string entryText(const Fit& f, const std::map<std::string, std::string>& districts) {
    std::ostringstream s;
    const auto d = districts.find(f.code);
    s << "    {" << quoted(f.code) << ", " << quoted(stateName(f.code)) << ",\n     "
      << quoted(d == districts.end() ? std::string() : d->second) << ",\n     " << place(f.place) << ", rules("
      << f.rules.imsakBeforeSubuh << ", " << dhuhaRuleName(f.rules.dhuhaRule) << ", " << f.rules.dhuhaMinutes;
    s << ", {";
    const char* separator = "";
    for (const PrayerLocation& other : f.rules.otherPoints) {
        s << separator << place(other);
        separator = ", ";
    }
    s << "}";
    // The optional arguments up to the last one that differs from its default.
    const PrayerRules usual;
    const auto& r = f.rules;
    const auto nonZero = [](const auto& seconds) {
        return std::any_of(seconds.begin(), seconds.end(), [](double a) { return a != 0.0; });
    };
    const bool subuhClock = nonZero(r.subuhClockSeconds);
    const bool maghribDip = subuhClock || r.maghribDip != usual.maghribDip;
    const bool asarClock = maghribDip || nonZero(r.asarClockSeconds);
    const bool clock = asarClock || nonZero(r.sunClockSeconds);
    const bool season =
        clock || r.zohorNorthSeconds != 0.0 || r.zohorNorthSwingSeconds != 0.0 || r.asarSeasonSeconds != 0.0;
    const bool sun = season || r.sunTaken != usual.sunTaken;
    if (sun || r.subuhDepression != usual.subuhDepression || r.isyakDepression != usual.isyakDepression ||
        r.horizonDip != usual.horizonDip) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, ", %.2f, %.2f, %.2f", r.subuhDepression, r.isyakDepression,
                      r.horizonDip);
        s << buffer;
    }
    if (sun)
        s << (r.sunTaken == SunTaken::AtTransit ? ", SunTaken::AtTransit" : ", SunTaken::AtEachTime");
    if (season)
        s << ", " << r.zohorNorthSeconds << ", " << r.zohorNorthSwingSeconds << ", " << r.asarSeasonSeconds;
    // A series of seconds, "{}" when it is all zeros.
    const auto series = [&s, &nonZero](const auto& seconds) {
        s << ", {";
        if (nonZero(seconds))
            for (std::size_t k = 0; k < seconds.size(); ++k)
                s << (k ? ", " : "") << seconds[k];
        s << "}";
    };
    if (clock)
        series(r.sunClockSeconds);
    if (asarClock)
        series(r.asarClockSeconds);
    if (maghribDip) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, ", %.2f", r.maghribDip);
        s << buffer;
    }
    if (subuhClock)
        series(r.subuhClockSeconds);
    s << ")},\n";
    return s.str();
}

// An empty table source, which the fitted zones' entries fill.
std::string tableSource() {
    return "// Written by tools/fit_zones from JAKIM's published timetables; regenerate rather than edit\n"
           "// (see the README, \"Official zone times\").\n\n"
           "#include \"core/prayerdata/Zones.h\"\n\n#include <array>\n#include <initializer_list>\n\nnamespace "
           "tavrola {\n\nnamespace {\n\n"
           "PrayerRules rules(int imsakBeforeSubuh, DhuhaRule dhuhaRule, int dhuhaMinutes,\n"
           "                  std::initializer_list<PrayerLocation> otherPoints, double subuhDepression = 18.0,\n"
           "                  double isyakDepression = 18.0, double horizonDip = 0.0,\n"
           "                  SunTaken sunTaken = SunTaken::AtEachTime, double zohorNorthSeconds = 0.0,\n"
           "                  double zohorNorthSwingSeconds = 0.0, double asarSeasonSeconds = 0.0,\n"
           "                  std::array<double, 8> sunClockSeconds = {}, std::array<double, 9> asarClockSeconds "
           "= "
           "{}) {\n"
           "    return {imsakBeforeSubuh,  dhuhaRule,         dhuhaMinutes,           otherPoints,\n"
           "            subuhDepression,   isyakDepression,   horizonDip,             sunTaken,\n"
           "            zohorNorthSeconds, zohorNorthSwingSeconds, asarSeasonSeconds, sunClockSeconds,\n"
           "            asarClockSeconds};\n}\n\n"
           "// code, state, districts, first reference point (latitude, longitude, UTC offset),\n"
           "// rules(Imsak before Subuh, Dhuha's rule and minutes, {the other reference points}[, Subuh's and\n"
           "// Isyak's depression, the horizon's dip[, where the sun's place is taken[, the season's seconds on\n"
           "// Zohor (two) and Asar[, the seconds on every time (cos L, sin L, ... cos 4L, sin 4L)[, the seconds\n"
           "// on Asar alone (constant, cos L, sin L, ... sin 4L)]]]]])\n"
           "const std::array<Zone, 0>& zones() {\n    static const std::array<Zone, 0> table = {{\n"
           "    }};\n    return table;\n}\n\n} // namespace\n\nstd::span<const Zone> allZones() {\n    return "
           "zones();\n}\n\n} // namespace tavrola\n";
}

// One entry of a table source: its zone, the lines before it since the previous entry (blank lines,
// comments) and its own lines.
struct Entry {
    std::string code, before, text;
};

// Splits a table source into the text up to the table's first entry, the entries and the rest.
// False when the source holds no table.
bool splitTable(const std::string& source, std::string& head, std::vector<Entry>& entries, std::string& tail) {
    std::size_t at = source.find("table = {{");
    if (at == std::string::npos || (at = source.find('\n', at)) == std::string::npos)
        return false;
    head = source.substr(0, ++at);
    std::size_t begin = at, line = at; // where the text since the last entry starts; the entry's first line
    int depth = 0;
    for (bool inString = false; at < source.size(); ++at) {
        const char c = source[at];
        if (inString) {
            at += c == '\\';
            inString = c != '"';
        } else if (c == '"') {
            inString = true;
        } else if (source.compare(at, 2, "//") == 0) {
            at = std::min(source.find('\n', at), source.size());
        } else if (c == '{' && depth++ == 0) {
            line = std::max(begin, source.rfind('\n', at) + 1);
        } else if (c == '}' && depth == 0) { // the table's own "}};"
            tail = source.substr(begin);
            return true;
        } else if (c == '}' && --depth == 0) {
            const std::size_t end = source.find('\n', at);
            const std::size_t quote = source.find('"', line);
            if (end == std::string::npos || quote > end)
                return false;
            entries.push_back({source.substr(quote + 1, source.find('"', quote + 1) - quote - 1),
                               source.substr(begin, line - begin), source.substr(line, end + 1 - line)});
            begin = end + 1;
            at = end;
        }
    }
    return false;
}

// The table's element count, in each "std::array<Zone, N>".
void setCount(std::string& text, std::size_t count) {
    const std::string prefix = "std::array<Zone, ";
    for (std::size_t at = 0; (at = text.find(prefix, at)) != std::string::npos;) {
        at += prefix.size();
        const std::size_t close = text.find('>', at);
        if (close == std::string::npos)
            return;
        text.replace(at, close - at, std::to_string(count));
    }
}

// Writes the table of the fitted zones to `out`; with `merge`, into the table already there: the
// fitted zones' entries are replaced (a new zone goes where the order puts it) and every other
// entry and line stays as it is. The file is replaced in one step.
bool writeTable(const std::filesystem::path& out, const std::vector<Fit>& fits,
                const std::map<std::string, std::string>& districts, bool merge) {
    std::string head, tail;
    std::vector<Entry> entries;
    std::error_code error;
    if (merge && std::filesystem::exists(out, error)) {
        std::ifstream in(out, std::ios::binary);
        std::ostringstream source;
        source << in.rdbuf();
        if (!in || !splitTable(source.str(), head, entries, tail)) {
            std::fprintf(stderr, "%s holds no zone table to merge into\n", out.string().c_str());
            return false;
        }
    } else if (!splitTable(tableSource(), head, entries, tail)) {
        return false;
    }
    for (const Fit& f : fits) {
        const auto same =
            std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.code == f.code; });
        if (same != entries.end()) {
            same->text = entryText(f, districts);
            continue;
        }
        const auto after = std::find_if(entries.begin(), entries.end(),
                                        [&](const Entry& e) { return tableKey(f.code) < tableKey(e.code); });
        entries.insert(after, {f.code, "", entryText(f, districts)});
    }
    std::string text = head;
    for (const Entry& entry : entries)
        text += entry.before + entry.text;
    text += tail;
    setCount(text, entries.size());
    const std::filesystem::path temporary = out.string() + ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << text;
        if (file.flush())
            std::filesystem::rename(temporary, out, error);
        else
            error = std::make_error_code(std::errc::io_error);
    }
    if (error)
        std::filesystem::remove(temporary, error);
    return !error;
}

std::map<std::string, std::string> readDistricts(const std::filesystem::path& file) {
    std::map<std::string, std::string> out;
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        const auto fields = splitCsv(line);
        if (fields.size() >= 3) {
            std::string text;
            for (char c : fields[2]) // "Sg. Siput , Ipoh" and doubled spaces as some lists have them
                if (!(c == ' ' && (text.empty() || text.back() == ' ')))
                    text += c;
            for (std::size_t at; (at = text.find(" ,")) != std::string::npos;)
                text.erase(at, 1);
            out[fields[0]] = text;
        }
    }
    return out;
}

int usage() {
    std::fprintf(
        stderr,
        "usage: fit_zones fit --zones zones.csv --out ZoneTable.cpp [--only CODE]... [--sun transit|each]\n"
        "                     [--clock yes|no] [--asar-clock yes|no] [--point-worth MISSES] TABLE.csv...\n"
        "       fit_zones check TABLE.csv...\n");
    return 2;
}

// Steps a fit is told to take or leave rather than choose (to compare a zone's variants on other years).
struct Forced {
    std::optional<SunTaken> sun;
    std::optional<bool> sunClock, asarClock;
};

std::optional<bool> yesNo(const std::string& value) {
    if (value == "yes" || value == "no")
        return value == "yes";
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return usage();
    const std::string mode = argv[1];
    std::filesystem::path zonesFile, outFile;
    Tables tables;
    std::vector<std::string> only;
    Forced forced;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--sun" || arg == "--clock" || arg == "--asar-clock" || arg == "--point-worth") &&
            i + 1 < argc) {
            const std::string value = argv[++i];
            if (arg == "--sun" && (value == "transit" || value == "each"))
                forced.sun = value == "transit" ? SunTaken::AtTransit : SunTaken::AtEachTime;
            else if (arg == "--clock" && yesNo(value))
                forced.sunClock = yesNo(value);
            else if (arg == "--asar-clock" && yesNo(value))
                forced.asarClock = yesNo(value);
            else if (arg == "--point-worth" && !value.empty() &&
                     value.find_first_not_of("0123456789") == std::string::npos && value.size() < 6)
                pointWorth = std::stol(value);
            else
                return usage();
        } else if ((arg == "--zones" || arg == "--out" || arg == "--only") && i + 1 < argc) {
            const std::string value = argv[++i];
            if (arg == "--zones")
                zonesFile = value;
            else if (arg == "--out")
                outFile = value;
            else
                only.push_back(value);
        } else if (!readTable(arg, tables)) {
            std::fprintf(stderr, "cannot read %s\n", arg.c_str());
            return 1;
        }
    }
    for (auto& [code, rows] : tables)
        markOutOfLine(rows);
    if (!only.empty())
        std::erase_if(tables,
                      [&](const auto& t) { return std::find(only.begin(), only.end(), t.first) == only.end(); });
    if (tables.empty())
        return usage();

    if (mode == "check") {
        int failed = 0;
        for (const auto& [code, rows] : tables) {
            const Zone* zone = findZone(code);
            if (!zone) {
                std::printf("%s not in the table\n", code.c_str());
                ++failed;
                continue;
            }
            const Tally t = compare(rows, zone->place, zone->rules);
            printTally(code, t);
            failed += onMark(t) ? 0 : 1;
        }
        std::printf("%d zone(s) below 95%% exact or beyond one minute (misprints set aside)\n", failed);
        return failed ? 1 : 0;
    }
    if (mode != "fit" || zonesFile.empty() || outFile.empty())
        return usage();
    std::vector<Fit> fits;
    for (const auto& [code, rows] : tables) {
        // Both ways of taking the sun with the usual angles; a zone they leave short of the mark is
        // fitted again with angles of its own, kept when they do better. Steps the command line forces
        // are taken or left whatever they give.
        std::optional<Fit> fit;
        Tally best;
        const auto tryFit = [&](bool ownAngles, SunTaken sunTaken, Start start, bool sunClock = false) {
            if ((forced.sun && *forced.sun != sunTaken) || (forced.sunClock && *forced.sunClock != sunClock))
                return;
            Fit other = fitZone(code, rows, ownAngles, sunTaken, start, sunClock);
            const Tally t = compare(rows, other.place, other.rules);
            if (!fit || better(t, best)) {
                fit = other;
                best = t;
            }
        };
        const auto tryTransit = [&](bool ownAngles) {
            tryFit(ownAngles, SunTaken::AtTransit, Start::Direct);
            tryFit(ownAngles, SunTaken::AtTransit, Start::FromEachTime);
        };
        const auto isShort = [&] { return !fit || !onMark(best) || forced.sunClock == true; };
        tryFit(false, SunTaken::AtEachTime, Start::Direct);
        tryTransit(false);
        if (isShort()) {
            tryFit(true, SunTaken::AtEachTime, Start::Direct);
            tryTransit(true);
        }
        // Still short: perhaps the table keeps its own time of the sun. Tried from the best fit's
        // angles, both ways of taking the sun.
        if (isShort()) {
            const bool ownAngles = fit && (fit->rules.subuhDepression != 18.0 ||
                                           fit->rules.isyakDepression != 18.0 || fit->rules.horizonDip != 0.0);
            tryFit(ownAngles, SunTaken::AtTransit, Start::Direct, true);
            tryFit(ownAngles, SunTaken::AtEachTime, Start::Direct, true);
        }
        if (!fit) {
            std::fprintf(stderr, "%s: no fit with the forced steps\n", code.c_str());
            return 1;
        }
        // A step tried on the best fit's points, kept when it gives more exact times without a larger miss
        // (or always, when forced).
        const auto tryStep = [&](auto step, bool always = false) {
            Fit other = *fit;
            step(other);
            const Tally t = compare(rows, other.place, other.rules);
            if (always || (t.exact > best.exact && t.worstPlausible <= best.worstPlausible)) {
                fit = other;
                best = t;
            }
        };
        // Perhaps Asar alone keeps seconds of its own through the seasons.
        if (forced.asarClock != false)
            tryStep(
                [&](Fit& f) {
                    fitPrayerClock(rows, f.place, f.rules, Prayer::Asar, &PrayerRules::asarClockSeconds,
                                   forced.asarClock == true);
                },
                forced.asarClock == true);
        // A zone still short of the mark may keep seconds of its own on Subuh too (Perlis does).
        if (!onMark(best))
            tryStep([&](Fit& f) {
                fitPrayerClock(rows, f.place, f.rules, Prayer::Subuh, &PrayerRules::subuhClockSeconds);
            });
        // Angles of its own were read before the curves: read them again with everything else in place.
        if (fit->rules.subuhDepression != 18.0 || fit->rules.isyakDepression != 18.0 ||
            fit->rules.horizonDip != 0.0)
            tryStep([&](Fit& f) { fitAngles(rows, f.place, f.rules); });
        // A high place (one that sees a dip of the horizon) may see a lower one to the west.
        if (fit->rules.horizonDip != 0.0)
            tryStep([&](Fit& f) { fitMaghribDip(rows, f.place, f.rules); });
        fits.push_back(*fit);
        const Fit& f = fits.back();
        std::printf("%s main %.3f %.3f", code.c_str(), f.place.latitude, f.place.longitude);
        for (const PrayerLocation& other : f.rules.otherPoints)
            std::printf(" + %.3f %.3f", other.latitude, other.longitude);
        for (double seconds : f.rules.sunClockSeconds)
            std::printf(" %g", seconds);
        for (double seconds : f.rules.asarClockSeconds)
            std::printf(" asar %g", seconds);
        for (double seconds : f.rules.subuhClockSeconds)
            std::printf(" subuh %g", seconds);
        std::printf(
            " imsak -%d dhuha %s +%d subuh %.2f isyak %.2f dip %.2f maghrib dip %.2f%s season %g %g %g\n   ",
            f.rules.imsakBeforeSubuh, dhuhaRuleName(f.rules.dhuhaRule), f.rules.dhuhaMinutes,
            f.rules.subuhDepression, f.rules.isyakDepression, f.rules.horizonDip, f.rules.maghribDip,
            f.rules.sunTaken == SunTaken::AtTransit ? " sun at transit" : "", f.rules.zohorNorthSeconds,
            f.rules.zohorNorthSwingSeconds, f.rules.asarSeasonSeconds);
        printTally(code, compare(rows, f.place, f.rules));
        std::fflush(stdout);
    }
    if (!writeTable(outFile, fits, readDistricts(zonesFile), !only.empty())) {
        std::fprintf(stderr, "cannot write %s\n", outFile.string().c_str());
        return 1;
    }
    return 0;
}

#include "core/prayerdata/PrayerCalculator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace tavrola;

namespace {

// The rows of a CSV file of the test data, without its header line.
std::vector<std::vector<std::string>> readCsv(const std::string& name) {
    std::ifstream in(std::string(TAVROLA_TEST_DATA) + "/prayer_times/" + name);
    EXPECT_TRUE(in) << name;
    std::vector<std::vector<std::string>> rows;
    std::string line;
    for (std::getline(in, line); std::getline(in, line);) {
        std::stringstream cells(line.substr(0, line.find('\r')));
        rows.emplace_back();
        for (std::string cell; std::getline(cells, cell, ',');)
            rows.back().push_back(cell);
        if (rows.back().empty())
            rows.pop_back();
    }
    return rows;
}

int clockMinutes(const std::string& hhmm) {
    return std::stoi(hhmm.substr(0, 2)) * 60 + std::stoi(hhmm.substr(3, 2));
}

Date isoDate(const std::string& text) {
    return {std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)), std::stoi(text.substr(8, 2))};
}

struct Zone {
    PrayerLocation town, west, east;
};

std::map<std::string, Zone> zones() {
    std::map<std::string, Zone> out;
    for (const auto& r : readCsv("zones.csv")) {
        const auto at = [&](std::size_t lat) {
            return PrayerLocation{std::stod(r[lat]), std::stod(r[lat + 1]), 8.0};
        };
        out[r[0]] = {at(3), at(5), at(7)};
    }
    return out;
}

// Published minus calculated, in minutes, for every prayer of every published day of a zone.
struct Difference {
    std::string zone, date;
    Prayer prayer;
    int minutes;
};

std::vector<Difference> differences(bool atTown) {
    const auto places = zones();
    std::vector<Difference> out;
    for (const auto& r : readCsv("jakim_2025.csv")) {
        const Zone& zone = places.at(r[0]);
        const Date date = isoDate(r[1]);
        const PrayerDay west = PrayerCalculator(atTown ? zone.town : zone.west).day(date);
        const PrayerDay east = PrayerCalculator(atTown ? zone.town : zone.east).day(date);
        for (std::size_t i = 0; i < kPrayerCount; ++i) {
            const auto p = static_cast<Prayer>(i);
            const bool sunrise = p == Prayer::Syuruk || p == Prayer::Dhuha;
            const auto& calculated = (sunrise ? east : west)[p];
            EXPECT_TRUE(calculated.has_value());
            out.push_back({r[0], r[1], p, clockMinutes(r[2 + i]) - calculated.value_or(0)});
        }
    }
    return out;
}

} // namespace

TEST(PublishedTimetables, ZoneReferencePointsReproduceEveryPublishedTime) {
    const auto diffs = differences(false);
    ASSERT_GE(diffs.size(), 4u * 8u * 8u);
    std::size_t withinOne = 0, exact = 0;
    for (const auto& d : diffs) {
        EXPECT_LE(std::abs(d.minutes), 2) << d.zone << " " << d.date << " " << prayerName(d.prayer);
        withinOne += std::abs(d.minutes) <= 1;
        exact += d.minutes == 0;
    }
    // Dhuha alone is off by a minute everywhere (the zones publish it 25 or 27 minutes after
    // Syuruk); of the rest nine in ten match to the minute. A Zohor a minute early or late, or a
    // sunset zenith ten minutes of arc off, already drops this below three quarters.
    EXPECT_GE(exact * 100, diffs.size() * 75) << exact << " exact of " << diffs.size();
    EXPECT_GE(withinOne * 100, diffs.size() * 97) << withinOne << " of " << diffs.size();
}

TEST(PublishedTimetables, TownDifferencesAreWhatTheLongitudeDifferencePredicts) {
    // Zohor depends on the longitude alone: four minutes later for each degree further west. The
    // mean difference at the town must move from the reference point's by exactly that much.
    const auto places = zones();
    const auto atReference = differences(false);
    const auto atTown = differences(true);
    for (const auto& [name, zone] : places) {
        double referenceSum = 0, townSum = 0;
        int count = 0;
        for (std::size_t i = 0; i < atTown.size(); ++i) {
            if (atTown[i].zone != name || atTown[i].prayer != Prayer::Zohor)
                continue;
            referenceSum += atReference[i].minutes;
            townSum += atTown[i].minutes;
            ++count;
        }
        ASSERT_GT(count, 0) << name;
        const double predictedShift = 4.0 * (zone.town.longitude - zone.west.longitude);
        EXPECT_NEAR((townSum - referenceSum) / count, predictedShift, 0.75) << name;
    }
}

TEST(PrayerCalculator, FarFromTheEquatorTimesTheSunNeverReachesAreLeftOut) {
    // Oslo at midsummer: the sun never gets 18 degrees below the horizon, but rises and sets.
    PrayerDay day = PrayerCalculator({59.91, 10.75, 2}).day({2026, 6, 21});
    EXPECT_FALSE(day[Prayer::Subuh] || day[Prayer::Imsak] || day[Prayer::Isyak]);
    EXPECT_TRUE(day[Prayer::Syuruk] && day[Prayer::Dhuha] && day[Prayer::Asar] && day[Prayer::Maghrib]);
    // Tromso at midsummer: no sunrise or sunset either; noon and the afternoon shadow remain.
    day = PrayerCalculator({69.65, 18.96, 2}).day({2026, 6, 21});
    EXPECT_FALSE(day[Prayer::Subuh] || day[Prayer::Syuruk] || day[Prayer::Maghrib] || day[Prayer::Isyak]);
    EXPECT_TRUE(day[Prayer::Zohor] && day[Prayer::Asar]);
    // Svalbard at midwinter: no sunrise, yet the sun climbs past 18 degrees below.
    day = PrayerCalculator({78.22, 15.65, 1}).day({2026, 12, 21});
    EXPECT_FALSE(day[Prayer::Syuruk] || day[Prayer::Asar] || day[Prayer::Maghrib]);
    ASSERT_TRUE(day[Prayer::Imsak] && day[Prayer::Subuh] && day[Prayer::Zohor] && day[Prayer::Isyak]);
    EXPECT_LT(*day[Prayer::Subuh], *day[Prayer::Zohor]);
    EXPECT_LT(*day[Prayer::Zohor], *day[Prayer::Isyak]);
    // At the poles only the transit is defined, and a clock twelve hours off its sun wraps round
    // midnight: nothing may come out as garbage.
    for (const PrayerLocation& where :
         {PrayerLocation{90, 0, 0}, PrayerLocation{-90, 0, 0}, PrayerLocation{3.139, 101.6869, -4}}) {
        day = PrayerCalculator(where).day({2026, 12, 6});
        EXPECT_TRUE(day[Prayer::Zohor].has_value());
        for (const auto& m : day.minutes)
            EXPECT_TRUE(!m || (*m >= 0 && *m < 24 * 60)) << where.latitude;
    }
    EXPECT_EQ(formatPrayerTime(std::nullopt), "");
    EXPECT_EQ(formatPrayerTime(5 * 60 + 7), "05:07");
}

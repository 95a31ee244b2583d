// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrola {

// The eight times of the day, in the order of the day (and of the strip, and of dbsolat.dat).
enum class Prayer : std::size_t { Imsak, Subuh, Syuruk, Dhuha, Zohor, Asar, Maghrib, Isyak };
inline constexpr std::size_t kPrayerCount = 8;
inline constexpr std::array<Prayer, kPrayerCount> kAllPrayers = {Prayer::Imsak,   Prayer::Subuh, Prayer::Syuruk,
                                                                 Prayer::Dhuha,   Prayer::Zohor, Prayer::Asar,
                                                                 Prayer::Maghrib, Prayer::Isyak};

// One value for each prayer, indexed by Prayer.
template <class T> struct ByPrayer {
    std::array<T, kPrayerCount> values{};

    T& operator[](Prayer p) { return values[static_cast<std::size_t>(p)]; }
    const T& operator[](Prayer p) const { return values[static_cast<std::size_t>(p)]; }
    friend bool operator==(const ByPrayer&, const ByPrayer&) = default;
};

// A day's eight times as dbsolat.dat stores them: "HH:MM", kNoTime where the sun never reaches the
// time, empty where the file has none.
using DayTimes = ByPrayer<std::string>;

// The stored and shown text of a time that does not occur.
inline constexpr std::string_view kNoTime = "--:--";

// Each prayer goes by four spellings, and a file once written must keep its own.
struct PrayerNames {
    std::string_view shown;    // the strip's caption and the congregation screens: "SUBOH"
    std::string_view database; // a day's key in dbsolat.dat: "Suboh"
    std::string_view document; // a day's member in the month document, and "Jemaah..."'s rows: "Subuh"
    std::string_view settings; // setting.ini's keys and values: "SUBUH"
};
const PrayerNames& prayerNames(Prayer p);

// The prayer a setting names ("ISYAK" in "ISYAK+60"), without regard to ASCII case, as setting.ini's
// own names are matched; nothing for any other text.
std::optional<Prayer> prayerBySettingsName(std::string_view name);

} // namespace tavrola

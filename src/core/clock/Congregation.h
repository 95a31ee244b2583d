// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"
#include "core/calendar/Prayer.h"
#include "core/files/IniCache.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavrola {

// What a prayer hall's screen does around each congregational prayer: a countdown from the
// prayer's start to its iqamah, then a calm screen while the prayer stands, then the clock again.
// Every part is off unless setting.ini switches it on, so a clock without these settings shows
// exactly what it always did.

// The five prayers and Friday's Zohor, in the order setting.ini names them.
enum class Jemaah : std::size_t { Subuh, Zohor, Asar, Maghrib, Isyak, Jumaat };
inline constexpr std::size_t kJemaahCount = 6;

namespace congregation {
inline constexpr std::string_view kIqamahSection = "IQAMAH"; // minutes from the start to the iqamah
inline constexpr std::string_view kPrayerSection = "SOLAT";  // minutes the prayer screen stays
inline constexpr std::string_view kAzanSection = "AZAN";
inline constexpr std::string_view kMessageKey = "PESAN"; // [IQAMAH], shown under every countdown
inline constexpr std::string_view kToneKey = "BUNYI";    // [IQAMAH], "ON": a short tone at the iqamah
inline constexpr std::string_view kAzanKey = "FAIL";     // [AZAN], played at a prayer's start
inline constexpr std::string_view kAzanSubuhKey = "FAIL_SUBUH";
inline constexpr std::string_view kFriday = "JUMAAT"; // Friday's key and shown name
inline constexpr int kMaxMinutes = 60;
} // namespace congregation

// The prayer a congregation gathers for: Zohor on Friday too.
Prayer jemaahPrayer(Jemaah j);
// Its key in [IQAMAH] and [SOLAT]: the prayer's settings name, or "JUMAAT".
std::string_view jemaahKey(Jemaah j);
// The name the screens show: the strip's own spelling, and "JUMAAT" for Friday's Zohor.
std::string_view jemaahName(Jemaah j);

struct CongregationSettings {
    std::array<int, kJemaahCount> iqamahMinutes{}; // 0: no countdown for that prayer
    std::array<int, kJemaahCount> prayerMinutes{}; // 0: no prayer screen for that prayer
    std::string message;                           // PESAN, bytes as stored
    bool tone = false;
    std::string azanFile; // as stored: ".\" is the program folder
    std::string azanSubuhFile;

    bool anyScreen() const;
    friend bool operator==(const CongregationSettings&, const CongregationSettings&) = default;
};

// A minutes value: a whole number 1 to 60, spaces around it allowed; anything else is 0 (off).
int congregationMinutes(std::string_view text);

// The three sections, read with empty defaults so that nothing is ever written back.
CongregationSettings readCongregationSettings(const std::filesystem::path& settingsFile);

// The settings, read again only when setting.ini is parsed anew, so the clock can ask every second
// for the cost of one look at the file.
class CongregationSettingsCache {
public:
    const CongregationSettings& get(const std::filesystem::path& settingsFile) {
        return m_settings.get(settingsFile, [&] { return readCongregationSettings(settingsFile); });
    }

private:
    IniDerived<CongregationSettings> m_settings;
};

struct CongregationState {
    enum class Screen { Normal, IqamahCountdown, PrayerInProgress };
    Screen screen = Screen::Normal;
    Jemaah prayer = Jemaah::Zohor;
    int remainingSeconds = 0;   // IqamahCountdown: until the iqamah
    int minutesSinceIqamah = 0; // PrayerInProgress: since the iqamah (the start, without one)
    bool afterIqamah = false;   // PrayerInProgress: counted from an iqamah, not from the start

    friend bool operator==(const CongregationState&, const CongregationState&) = default;
};

// The screen at `now`, from the day's times and yesterday's (an Isyak late in the evening can run
// past midnight). Only the prayer that began last counts: the next prayer's start ends whatever is
// left of the one before. A time that is not "HH:MM" has no screens.
CongregationState congregationState(const DateTime& now, const DayTimes& today, const DayTimes& yesterday,
                                    const CongregationSettings& settings);

// Whether yesterday's times can matter at `now`: only in the first two hours of the day, and only
// when Isyak has a screen at all (an Isyak at 23:59 with 60 + 60 minutes ends at 01:59).
bool congregationNeedsYesterday(const DateTime& now, const CongregationSettings& settings);

// The tone's moment: the countdown ran out between two ticks a second or so apart. A clock that
// jumps past the iqamah does not sound it late.
bool iqamahReached(const CongregationState& before, const CongregationState& after);

// The audio file played when `p` begins: FAIL_SUBUH for Subuh when set, else FAIL; resolved like
// the logo's path. Empty when neither is set.
std::filesystem::path azanFileFor(Prayer p, const CongregationSettings& settings,
                                  const std::filesystem::path& programFolder);

// The countdown as the screen shows it: "mm:ss" (05:00, 00:09).
std::string countdownClock(int seconds);

// A short sine tone as 16-bit mono samples, faded in and out so that it does not click.
std::string toneSamples(int sampleRate, int frequency, int milliseconds);

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"
#include "core/clock/Prayers.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavrola {

// What one clock tick shows. The window applies it as it stands; the schedule keeps the little
// that lasts between ticks (the minute text, the captions a minute change is compared with, the
// highlight colours and the Hijri date).
class PrayerSchedule {
public:
    enum class Colour { Design, Red, ButtonFace };

    struct Announcement {
        Prayer prayer;
        std::string sentence; // spoken
        std::string comment;  // shown until the same tick writes the countdown
    };

    struct Calendar {
        Date today;
        bool dayChanged = false; // first tick of a new day (or the first tick at all)
        std::string dayName;     // hariku
        std::string monthName;   // bulan, bulan1
        std::string malayLine;   // tarikh_melayu_caption
        std::string hijriText;   // TextDateJawi
        std::string zikirText;   // selects the weekday picture
    };

    struct Tick {
        std::string minuteText; // txtTime
        bool minuteChanged = false;
        std::optional<Announcement> announcement;
        std::string clockText; // TextTimeReal
        std::string dateKey;   // txtDate
        Captions captions;
        std::array<Colour, kPrayerCount> colours{};
        int indicator = -1;  // the one visible indicator, -1 without a period
        std::string comment; // the countdown line; empty when no prayer time occurs
        Calendar calendar;
    };

    static constexpr std::string_view kDesignCaption = "00:00";

    PrayerSchedule();

    // The start-up calendar step: keeps MASA for the rest of the run and computes the Hijri date.
    void start(const Date& today, std::string_view masa);

    // One tick at `now` with the SETJAM value and the day's stored times.
    Tick tick(const DateTime& now, std::string_view setJam, const DayTimes& times);

    // The next tick reads the day afresh, as on a new day (the wall clock jumped).
    void readDayAgain() { m_calendarDay.reset(); }

    const std::string& hijriText() const { return m_hijriText; }
    const std::string& masa() const { return m_masa; }

private:
    void highlight(Prayer p, bool resetOthers);

    std::string m_masa;
    std::string m_hijriText;
    std::optional<Date> m_calendarDay;
    std::string m_minuteText;
    Captions m_captions;
    std::array<Colour, kPrayerCount> m_colours{};
    int m_indicator = -1;
    std::optional<Prayer> m_highlighted;
};

// Everything a tick reads from the two files: SETJAM (a missing key is written as "0") and the day's
// eight times (never written).
struct TickInputs {
    std::string setJam;
    DayTimes times;
};
TickInputs readTickInputs(const std::filesystem::path& settingsFile, const std::filesystem::path& database,
                          const Date& today);

} // namespace tavrola

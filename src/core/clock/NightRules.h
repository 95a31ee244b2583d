// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"
#include "core/clock/Prayers.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrola {

// A time of [MALAM] PADAM or HIDUP: "HH:MM", or one of the eight prayers with minutes after (+) or
// before (-) it, at most 180: "ISYAK+60", "SUBUH-30".
struct NightTime {
    std::optional<Prayer> prayer;
    int minutes = 0; // of the day without a prayer, else the offset from it
};

// The time, or nothing with `reason` saying why (in Malay, for the settings window).
std::optional<NightTime> parseNightTime(std::string_view text, std::string& reason);

// Its minute of the day (0..1439) with the day's times; nothing when that prayer has no time.
std::optional<int> nightMinute(const NightTime& t, const DayTimes& times);

// Whether the screen sleeps: from PADAM to HIDUP (across midnight when HIDUP is earlier), unless
// someone woke it within the last five minutes or the congregation screens hold it.
class NightWatch {
public:
    static constexpr int kWakeSeconds = 5 * 60;

    // busy: an iqamah countdown or the prayer screen is showing. Off unless both times are valid.
    bool asleep(const DateTime& now, std::string_view padam, std::string_view hidup, const DayTimes& times,
                bool busy) const;
    // A key, a click or a mouse move.
    void wake(const DateTime& now);

private:
    std::optional<std::int64_t> m_wokenUntil; // seconds since 1970 in local time
};

} // namespace tavrola

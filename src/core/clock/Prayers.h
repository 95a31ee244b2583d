// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/Prayer.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrola {

inline constexpr int kIndicatorCount = 5;

struct PrayerInfo {
    std::string_view label;    // the time label's name on the clock window
    std::string_view suffix;   // fixed per prayer, whatever the time
    int indicator;             // index of its indicator picture, -1 for none
    std::string_view opening;  // countdown line towards this prayer
    std::string_view closing;  // announcement line when this prayer begins
    std::string_view sentence; // spoken when this prayer begins
    Prayer next;               // the obligatory prayer that follows
};

const PrayerInfo& prayerInfo(Prayer p);
bool isObligatory(Prayer p);
int index(Prayer p);

// The five obligatory prayers in the order the clock compares them at a minute change.
inline constexpr std::array<Prayer, 5> kObligatoryOrder = {Prayer::Zohor, Prayer::Asar, Prayer::Maghrib,
                                                           Prayer::Isyak, Prayer::Subuh};

// The label captions, indexed by Prayer.
using Captions = std::array<std::string, kPrayerCount>;

// A label's caption: the 12-hour time, a space and the fixed suffix (13:05 for Zohor -> 1:05 PM);
// "--:--" alone for a time that does not occur (anything minutesOfDay refuses).
std::string timeCaption(Prayer p, std::string_view stored);
Captions timeCaptions(const DayTimes& times);

// The period the day is in at minute t (minutes after midnight), among the obligatory prayers whose
// times occur: the current prayer is the latest that has begun (before the day's first, the day's
// last, standing in for yesterday's) and the countdown runs to the next start (after the day's last,
// to the day's first taken as tomorrow's). Starts are inclusive, ends exclusive. Nothing when no
// time occurs at all.
struct Period {
    Prayer current;
    Prayer next;
    int spanSeconds;
};
std::optional<Period> findPeriod(int minuteOfDay, const DayTimes& times);

// "Waktu Asar bemula jam : 3:30 PM dalam masa - 2 jam 20 minit".
std::string countdownLine(const Period& period, const Captions& captions);

// "Waktu Zohor berakhir jam : 3:30 PM": the line shown as a prayer begins, with the time of the
// prayer that follows it.
std::string closingLine(Prayer started, Prayer next, const Captions& captions);

// The obligatory prayer whose caption is exactly the minute text, checked Zohor to Subuh.
std::optional<Prayer> prayerStartingAt(std::string_view minuteText, const Captions& captions);

} // namespace tavrola

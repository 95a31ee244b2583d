// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrola {

// 24-hour "HH:MM" to 12-hour text without suffix: 13:05 -> 1:05, 00:15 -> 12:15, "" -> 00:00,
// "--:--" -> 12:--; text without ":" comes back trimmed and otherwise unchanged.
std::string Convert24To12(std::string_view text);

// A span in whole seconds as Malay words: 2 jam 20 minit, 5 minit, 1 jam 5 saat, 0 saat.
std::string CountdownText(std::int64_t seconds);

// Minutes after midnight of a stored time: "HH:MM" (00-23, 00-59), or "H:MM", or either with
// seconds (":SS", ignored), spaces around it allowed. Anything else (empty, "--:--" where the sun
// never reaches the time, "13:0", "12:345") is no time: the strip, the countdown and the
// congregation screens all read times here, so they never disagree about which times occur.
std::optional<int> minutesOfDay(std::string_view text);

// The minute text that drives the announcements: "h:mm AM/PM" (1:05 PM, 12:30 AM).
std::string minuteText(const DateTime& t);

// The large clock: "hh:mm:ss am/pm" for SETJAM "0", "hh:mm:ss" (24-hour) for any other value.
std::string clockText(const DateTime& t, std::string_view setJam);

} // namespace tavrola

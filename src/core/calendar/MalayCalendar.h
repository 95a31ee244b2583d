// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"

#include <string>
#include <string_view>

namespace tavrola {

// Day names with Sunday as day 1 ("Ahad") to Saturday as day 7 ("Sabtu"); empty outside 1..7.
std::string_view MalayDayNames(int day);
// Month names 1..12 ("Januari" .. "Disember"); empty outside 1..12.
std::string_view MalayMonthNames(int month);

// "Sabtu, 05 Disember 2026".
std::string malayDateLine(const Date& d);

// The remembrance text of a weekday (0 = Sunday): "AHAD - Ya! Hai u yakayum" etc.
std::string_view zikirText(int weekdayFromSunday);
// Which weekday picture a remembrance text selects, 0 = Monday (isnin1) .. 6 = Sunday (ahad1);
// -1 (all hidden) for any other text. The match is exact and case-sensitive.
int zikirPictureIndex(std::string_view text);

} // namespace tavrola

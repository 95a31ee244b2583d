// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/prayerdata/PrayerCalculator.h"

#include <string>

namespace tavrola {

// A month of calculated times in the shape a prayer-times data server serves them: one object whose
// members are the dates "yyyy-mm-dd", each holding "Imsak" to "Isyak" as "HH:MM" strings. A time
// that does not occur that day is an empty string, which readers take as "no value". An invalid
// month gives an empty object.
std::string calculatedMonthDocument(int year, int month, const PrayerLocation& location,
                                    const PrayerRules& rules = {});

// Where a data server keeps that month: "/data/yyyy-mm.json".
std::string monthDocumentPath(int year, int month);

} // namespace tavrola

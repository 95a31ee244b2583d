// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/prayerdata/PrayerCalculator.h"

#include <string>
#include <vector>

namespace tavrola {

// A month of calculated times in the shape a prayer-times data server serves them: one object whose
// members are the dates "yyyy-mm-dd", each holding "Imsak" to "Isyak" as "HH:MM" strings. A time
// that does not occur that day is an empty string, which readers take as "no value". An invalid
// month gives an empty object.
std::string calculatedMonthDocument(int year, int month, const PrayerLocation& location,
                                    const PrayerRules& rules = {});

// The same document for days already worked out, days[0] being the 1st.
std::string monthDocument(int year, int month, const std::vector<PrayerDay>& days);

// Where a data server keeps that month: "/data/yyyy-mm.json".
std::string monthDocumentPath(int year, int month);

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavrola {

// The progress bar keeps its position as a whole percentage of the range Min..Max.
//
// Writing a value stores round((value - Min) * 100 / (Max - Min)), held to 0..100, so a value
// beyond either end shows an empty or full bar; reading gives Min + round(percent * (Max - Min) / 100).
// With Min = 0 this is the plain value * 100 / Max. An empty or reversed range (Max <= Min, e.g.
// Max = 0) has no position to show: the percentage is 0 and reading gives Min.
int progressPercent(long long value, int min, int max);
int progressValue(int percent, int min, int max);

// "Searching.." for the searching look (2), else the percentage and " %".
std::string progressText(int percent, int scrolling);

inline constexpr int kProgressLooks = 10;
inline constexpr int kProgressSearchingLook = 2;
inline constexpr int kProgressDarkLook = 6;

} // namespace tavrola

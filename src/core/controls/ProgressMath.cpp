// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/controls/ProgressMath.h"

#include <algorithm>
#include <cmath>

namespace tavrola {

int progressPercent(long long value, int min, int max) {
    if (max <= min)
        return 0;
    const double span = static_cast<double>(max) - static_cast<double>(min);
    const double p = (static_cast<double>(value) - static_cast<double>(min)) * 100.0 / span;
    return static_cast<int>(std::lround(std::clamp(p, 0.0, 100.0)));
}

int progressValue(int percent, int min, int max) {
    if (max <= min)
        return min;
    const double span = static_cast<double>(max) - static_cast<double>(min);
    const double v = static_cast<double>(min) + std::clamp(percent, 0, 100) * span / 100.0;
    return static_cast<int>(std::lround(v));
}

std::string progressText(int percent, int scrolling) {
    if (scrolling == kProgressSearchingLook)
        return "Searching..";
    return std::to_string(percent) + " %";
}

} // namespace tavrola

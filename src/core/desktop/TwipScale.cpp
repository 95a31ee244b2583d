// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/desktop/TwipScale.h"

#include <cmath>

namespace tavrola {

namespace {
constexpr double kTwipsPerInch = 1440.0;

int roundToInt(double v) {
    return static_cast<int>(std::lround(v));
}
} // namespace

TwipScale TwipScale::fromDpi(double dpiX, double dpiY) {
    TwipScale s;
    if (dpiX > 0)
        s.x = kTwipsPerInch / dpiX;
    if (dpiY > 0)
        s.y = kTwipsPerInch / dpiY;
    return s;
}

int TwipScale::toTwipsX(double pixels) const {
    return roundToInt(pixels * x);
}
int TwipScale::toTwipsY(double pixels) const {
    return roundToInt(pixels * y);
}
int TwipScale::toPixelsX(double twips) const {
    return roundToInt(twips / x);
}
int TwipScale::toPixelsY(double twips) const {
    return roundToInt(twips / y);
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavrola {

// Twips (1/1440 inch) per screen pixel, in x and y. Positions the clock keeps in twips are
// turned into pixels only where they meet the screen.
struct TwipScale {
    double x = 15.0; // 96 dots per inch
    double y = 15.0;

    // From the screen's logical dots per inch; a value that is not positive keeps 96.
    static TwipScale fromDpi(double dpiX, double dpiY);

    int toTwipsX(double pixels) const;
    int toTwipsY(double pixels) const;
    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;
};

} // namespace tavrola

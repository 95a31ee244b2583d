// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/controls/CandyColours.h"

#include <QColor>
#include <QPalette>

namespace tavrola {

// Desktop system colours, by their index, taken from the widget's palette.
inline SystemColourLookup paletteColours(const QPalette& palette) {
    return [palette](int index) -> Colour {
        QPalette::ColorRole role;
        switch (index) {
        case 5:
            role = QPalette::Base;
            break;
        case 8:
            role = QPalette::Text;
            break;
        case 13:
            role = QPalette::Highlight;
            break;
        case 14:
            role = QPalette::HighlightedText;
            break;
        case 15:
            role = QPalette::Button;
            break;
        case 16:
            role = QPalette::Dark;
            break;
        case 18:
            role = QPalette::ButtonText;
            break;
        default:
            return defaultSystemColour(index);
        }
        const QColor c = palette.color(role);
        return rgbColour(c.red(), c.green(), c.blue());
    };
}

inline QColor toQColor(Colour c, const QPalette& palette) {
    int r, g, b;
    GetRGB(r, g, b, c, paletteColours(palette));
    return QColor(r, g, b);
}

inline Colour fromQColor(const QColor& c) {
    return rgbColour(c.red(), c.green(), c.blue());
}

} // namespace tavrola

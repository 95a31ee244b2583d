// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/controls/CandyColours.h"

#include <algorithm>
#include <array>

namespace tavrola {

Colour defaultSystemColour(int index) {
    switch (index) {
    case 5: // window
        return rgbColour(255, 255, 255);
    case 8:  // window text
    case 18: // button text
        return rgbColour(0, 0, 0);
    case 13: // highlight
        return rgbColour(0, 120, 215);
    case 14: // highlight text
        return rgbColour(255, 255, 255);
    case 15: // button face
        return rgbColour(240, 240, 240);
    case 16: // button shadow
        return rgbColour(160, 160, 160);
    case 17: // grey text
        return rgbColour(109, 109, 109);
    default:
        return rgbColour(192, 192, 192);
    }
}

Colour resolveColour(Colour c, const SystemColourLookup& lookup) {
    if (!isSystemColour(c))
        return c & 0x00FFFFFFu;
    const int index = static_cast<int>(c & 0xFF);
    return (lookup ? lookup(index) : defaultSystemColour(index)) & 0x00FFFFFFu;
}

void GetRGB(int& R, int& G, int& B, Colour color, const SystemColourLookup& lookup) {
    const Colour c = resolveColour(color, lookup);
    R = static_cast<int>(c & 0xFF);
    G = static_cast<int>((c >> 8) & 0xFF);
    B = static_cast<int>((c >> 16) & 0xFF);
}

Colour BlendColors(Colour Color1, Colour Color2, int Percentage, const SystemColourLookup& lookup) {
    const int p = std::clamp(Percentage, 0, 100);
    int r1, g1, b1, r2, g2, b2;
    GetRGB(r1, g1, b1, Color1, lookup);
    GetRGB(r2, g2, b2, Color2, lookup);
    // Integer division truncates toward zero, also when the second colour is the darker one.
    return rgbColour(r1 + (r2 - r1) * p / 100, g1 + (g2 - g1) * p / 100, b1 + (b2 - b1) * p / 100);
}

std::optional<CandyScheme> candyScheme(int scheme) {
    static constexpr std::array<CandyScheme, 6> kSchemes{{
        {0xD06720, 0xE99950, 0xA06710, 0xFFEDB0},
        {0xD09060, 0xE06000, 0xA98050, 0xFFFAFA},
        {0x800000, 0xA00000, 0xF00000, 0xFF0000},
        {0x000080, 0x0000A0, 0x0000F0, 0x0000FF},
        {0x008000, 0x00A000, 0x00C000, 0x00FF00},
        {0x008080, 0x00A0A0, 0x00C0C0, 0x00FFFF},
    }};
    if (scheme < 1 || scheme > static_cast<int>(kSchemes.size()))
        return std::nullopt;
    return kSchemes[static_cast<std::size_t>(scheme - 1)];
}

int clampBorderBrightness(int value) {
    return std::clamp(value, -kBorderBrightnessLimit, kBorderBrightnessLimit);
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace tavrola {

// A colour as 0x00BBGGRR. With the top bit set, the low byte is a system colour index
// (0x8000000D is the highlight colour) that is resolved before its channels are used.
using Colour = std::uint32_t;

inline constexpr Colour kSystemColourFlag = 0x80000000u;
inline constexpr Colour systemColour(int index) {
    return kSystemColourFlag | static_cast<Colour>(index & 0xFF);
}
inline constexpr bool isSystemColour(Colour c) {
    return (c & kSystemColourFlag) != 0;
}
inline constexpr Colour rgbColour(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Looks up the current value of a system colour index; the GUI hands in the desktop's palette.
using SystemColourLookup = std::function<Colour(int index)>;

// The usual desktop values, for when no palette is at hand.
Colour defaultSystemColour(int index);

Colour resolveColour(Colour c, const SystemColourLookup& lookup = {});

void GetRGB(int& R, int& G, int& B, Colour color, const SystemColourLookup& lookup = {});

// Mixes Color1 towards Color2 by Percentage (clamped to 0..100), channel by channel, truncating.
Colour BlendColors(Colour Color1, Colour Color2, int Percentage, const SystemColourLookup& lookup = {});

// The button's four body colours, in the order a scheme writes them.
struct CandyScheme {
    Colour up;
    Colour hover;
    Colour down;
    Colour bright;

    friend bool operator==(const CandyScheme&, const CandyScheme&) = default;
};

inline constexpr CandyScheme kCandyDefaultColours{0xE99950, 0xFFC090, 0xE99950, 0xFFEDB0};

// Schemes 1..6; any other number is no scheme and leaves custom colours alone.
std::optional<CandyScheme> candyScheme(int scheme);

inline constexpr int kBorderBrightnessLimit = 100;
int clampBorderBrightness(int value);

} // namespace tavrola

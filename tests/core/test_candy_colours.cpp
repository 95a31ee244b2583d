#include "core/widgets/CandyColours.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace tavrola;

TEST(CandyColours, BlendMixesEachChannelClampsThePercentageAndResolvesSystemColours) {
    EXPECT_EQ(BlendColors(0x000000, 0xFFFFFF, 50), 0x7F7F7Fu);
    EXPECT_EQ(BlendColors(0x000000, 0xFFFFFF, 150), 0xFFFFFFu);
    EXPECT_EQ(BlendColors(0x000000, 0xFFFFFF, -20), 0x000000u);
    EXPECT_EQ(BlendColors(0x102030, 0x102030, 37), 0x102030u);
    // Going down truncates toward zero: 255 + (0 - 255) * 50 / 100 = 255 - 127.
    EXPECT_EQ(BlendColors(0xFFFFFF, 0x000000, 50), 0x808080u);
    EXPECT_EQ(BlendColors(rgbColour(200, 0, 10), rgbColour(0, 100, 10), 25), rgbColour(150, 25, 10));
    EXPECT_EQ(BlendColors(systemColour(5), 0x000000, 100), 0x000000u);

    int r = -1, g = -1, b = -1;
    GetRGB(r, g, b, 0x00C08040);
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(0x40, 0x80, 0xC0));
    GetRGB(r, g, b, systemColour(13), [](int index) { return index == 13 ? rgbColour(1, 2, 3) : 0u; });
    EXPECT_EQ(std::tie(r, g, b), std::make_tuple(1, 2, 3));
    EXPECT_EQ(resolveColour(systemColour(13)), defaultSystemColour(13));
}

TEST(CandyColours, SchemesOneToSixAndBorderBrightnessWithinItsRange) {
    for (int scheme = -1; scheme <= 7; ++scheme)
        EXPECT_EQ(candyScheme(scheme).has_value(), scheme >= 1 && scheme <= 6) << scheme;
    EXPECT_EQ(clampBorderBrightness(150), 100);
    EXPECT_EQ(clampBorderBrightness(-150), -100);
    EXPECT_EQ(clampBorderBrightness(-42), -42);
}

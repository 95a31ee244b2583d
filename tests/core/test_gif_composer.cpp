// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/gif/GifComposer.h"
#include "core/gif/GifFile.h"
#include "core/gif/GifStretch.h"
#include "support/GifTestSupport.h"

#include <gtest/gtest.h>

using namespace tavrola;
using namespace tavrola::testing;

namespace {

constexpr std::uint32_t kClear = 0;
constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kGreen = 0xFF00FF00u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;

struct Composed {
    GifFile gif;
    GifComposer::FramePixels pixels;
    GifComposer composer;

    explicit Composed(const std::vector<GifEncoderFrame>& frames) {
        GifEncoder enc(1, 1);
        enc.setGlobalPalette(basicPalette());
        for (const auto& f : frames) {
            enc.addFrame(f);
            pixels.push_back(f.pixels);
        }
        EXPECT_TRUE(gif.load(enc.encode()));
        composer.reset(gif.canvasWidth(), gif.canvasHeight());
    }
    std::uint32_t at(int frame, int x, int y) {
        composer.compose(gif, pixels, frame);
        return composer.pixels()[static_cast<std::size_t>(y * composer.width() + x)];
    }
};

} // namespace

TEST(GifComposer, PlacesFramesAndKeepsWhatIsUnderTransparentPixels) {
    auto back = solidFrame(0, 0, 4, 4, 1); // red
    auto over = solidFrame(1, 1, 2, 2, 3); // blue square with one transparent pixel
    over.transparent = true;
    over.transparentIndex = 0;
    over.pixels[0] = 0;
    Composed c({back, over});
    EXPECT_EQ(c.at(1, 1, 1), kRed) << "transparent pixel";
    EXPECT_EQ(c.at(1, 2, 2), kBlue);
    EXPECT_EQ(c.at(1, 3, 3), kRed);
}

TEST(GifComposer, DisposalTwoClearsAndThreeRestores) {
    auto back = solidFrame(0, 0, 4, 4, 1);    // red, left in place
    auto cleared = solidFrame(0, 0, 2, 2, 2); // green, cleared to transparent afterwards
    cleared.disposal = 2;
    auto restored = solidFrame(2, 2, 2, 2, 3); // blue, the red under it comes back
    restored.disposal = 3;
    auto last = solidFrame(3, 0, 1, 1, 0); // black dot
    Composed c({back, cleared, restored, last});
    EXPECT_EQ(c.at(1, 0, 0), kGreen);
    EXPECT_EQ(c.at(2, 0, 0), kClear) << "disposal 2 leaves the area transparent";
    EXPECT_EQ(c.at(2, 3, 3), kBlue);
    EXPECT_EQ(c.at(3, 3, 3), kRed) << "disposal 3 restores the area";
    EXPECT_EQ(c.at(3, 0, 0), kClear);
    EXPECT_EQ(c.at(3, 3, 0), kBlack);

    // A jump back and forth rebuilds the same pictures.
    const auto frame3 = (c.composer.compose(c.gif, c.pixels, 3), c.composer.pixels());
    c.composer.compose(c.gif, c.pixels, 0);
    EXPECT_EQ(c.at(0, 0, 0), kRed);
    c.composer.compose(c.gif, c.pixels, 3);
    EXPECT_EQ(c.composer.pixels(), frame3);
}

TEST(GifComposer, MissingPixelsDrawNothingAndPaletteChangesShowAfterInvalidate) {
    Composed c({solidFrame(0, 0, 2, 2, 1), solidFrame(0, 0, 2, 2, 2)});
    c.pixels[1].resize(3);
    EXPECT_EQ(c.at(1, 0, 0), kRed) << "wrong-sized pixels";
    c.pixels.resize(1);
    c.composer.invalidate();
    EXPECT_EQ(c.at(1, 1, 1), kRed) << "missing pixels";
    c.composer.compose(c.gif, c.pixels, 9); // out of range: ignored
    EXPECT_EQ(c.composer.shownFrame(), 1);

    GifPalette p{};
    p[1] = {0, 0, 9};
    c.gif.setPalette(0, p);
    c.composer.invalidate();
    EXPECT_EQ(c.at(0, 0, 0), 0xFF000009u);
}

TEST(GifStretch, Geometry) {
    struct Case {
        int stretch, w, h, width, height;
        double scaleX, scaleY;
    };
    // Canvas 40 × 20 in a control of 100 × 100, or 30 × 30.
    const Case cases[] = {
        {0, 100, 100, 40, 20, 1, 1}, {1, 100, 100, 100, 50, 2.5, 2.5}, {2, 100, 100, 100, 100, 2.5, 5},
        {3, 100, 100, 40, 20, 1, 1}, {3, 30, 30, 30, 15, 0.75, 0.75},  {1, 30, 30, 30, 15, 0.75, 0.75},
        {4, 30, 30, 40, 20, 1, 1},   {9, 30, 30, 40, 20, 1, 1},
    };
    for (const Case& c : cases) {
        const GifDrawRect r = gifDrawRect(c.stretch, c.w, c.h, 40, 20);
        SCOPED_TRACE(::testing::Message() << c.stretch << " " << c.w);
        EXPECT_EQ(r.width, c.width);
        EXPECT_EQ(r.height, c.height);
        EXPECT_DOUBLE_EQ(r.scaleX, c.scaleX);
        EXPECT_DOUBLE_EQ(r.scaleY, c.scaleY);
    }
    // Offsets are image pixels, scaled with the image.
    const GifDrawRect r = gifDrawRect(2, 100, 100, 40, 20, 4, -2);
    EXPECT_EQ(r.x, 10);
    EXPECT_EQ(r.y, -10);
    EXPECT_EQ(gifDrawRect(1, 0, 0, 40, 20).width, 0);
    EXPECT_EQ(gifDrawRect(1, 10, 10, 0, 0).width, 0);
}

#include "core/clock/StripScroller.h"
#include "core/desktop/TwipScale.h"

#include <gtest/gtest.h>

using tavrola::StripScroller;
using tavrola::TwipScale;

TEST(StripScroller, OffInAnyCaseCentresAndStaysStill) {
    for (const char* value : {"OFF", "off", "Off"}) {
        StripScroller s;
        EXPECT_FALSE(s.startUp(value, 28800, 20000)) << value;
        EXPECT_EQ(s.left(), 4400) << value;
    }
    // A strip wider than the window is centred too, starting left of the window's edge.
    StripScroller wide;
    EXPECT_FALSE(wide.startUp("OFF", 10000, 20000));
    EXPECT_EQ(wide.left(), -5000);
}

TEST(StripScroller, AnythingElseRunsFromItsOwnWidth) {
    for (const char* value : {"", "ON", "of", " OFF", "yes"}) {
        StripScroller s;
        EXPECT_TRUE(s.startUp(value, 28800, 20000)) << '"' << value << '"';
        EXPECT_EQ(s.left(), 20000) << '"' << value << '"';
    }
}

TEST(StripScroller, MovesLeftUntilGoneThenReentersAtTheRightEdge) {
    StripScroller s;
    s.startUp("", 28800, 20000);
    EXPECT_EQ(s.tick(28800, 20000), 19950);
    s.setLeft(-19980);
    EXPECT_EQ(s.tick(28800, 20000), -20030);
    EXPECT_EQ(s.tick(28800, 20000), 28800);
    EXPECT_EQ(s.tick(28800, 20000), 28750);
    // Exactly at -width the strip is gone: it re-enters at the width the window has now.
    s.setLeft(-20000);
    EXPECT_EQ(s.tick(14400, 20000), 14400);
}

TEST(TwipScale, ConvertsBothWaysAtTheScreensDpi) {
    const TwipScale at96 = TwipScale::fromDpi(96, 96);
    EXPECT_EQ(at96.toTwipsX(1920), 28800);
    EXPECT_EQ(at96.toPixelsX(-20030), -1335);
    EXPECT_EQ(at96.toPixelsX(50), 3);
    const TwipScale at144 = TwipScale::fromDpi(144, 120);
    EXPECT_EQ(at144.toTwipsX(100), 1000);
    EXPECT_EQ(at144.toTwipsY(100), 1200);
    EXPECT_EQ(at144.toPixelsY(1200), 100);
    // A screen that reports no dpi keeps the usual 15 twips per pixel.
    const TwipScale none = TwipScale::fromDpi(0, -1);
    EXPECT_EQ(none.toTwipsX(2), 30);
    EXPECT_EQ(none.toTwipsY(2), 30);
}

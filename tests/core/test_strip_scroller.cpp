// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/StripScroller.h"
#include "core/desktop/TwipScale.h"

#include <gtest/gtest.h>

using tavrola::StripScroller;
using tavrola::TwipScale;

// OFF in any case centres the strip and keeps it still (a strip wider than the window starts left
// of its edge); anything else runs it in from its own width.
TEST(StripScroller, OffInAnyCaseCentresAnythingElseRuns) {
    struct Row {
        const char* value;
        int width;
        bool runs;
        int left;
    };
    for (const Row& r : {Row{"OFF", 28800, false, 4400},
                         {"off", 28800, false, 4400},
                         {"Off", 10000, false, -5000},
                         {"", 28800, true, 20000},
                         {"of", 28800, true, 20000},
                         {" OFF", 28800, true, 20000}}) {
        StripScroller s;
        EXPECT_EQ(s.startUp(r.value, r.width, 20000), r.runs) << '"' << r.value << '"';
        EXPECT_EQ(s.left(), r.left) << '"' << r.value << '"';
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

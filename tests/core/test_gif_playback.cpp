// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/gif/GifPlayback.h"

#include <gtest/gtest.h>

#include <climits>

using namespace tavrola;

namespace {

// Runs the timer until the player stops; returns the frames shown, with 0 marking LoopsEnded.
std::vector<int> runUntilStopped(GifPlayback& p, int maxTicks = 100) {
    std::vector<int> shown;
    for (int i = 0; i < maxTicks; ++i) {
        const auto step = p.tick();
        if (step.show)
            shown.push_back(p.currentFrame());
        if (step.loopsEnded)
            shown.push_back(0);
        if (step.timerMs < 0)
            break;
    }
    return shown;
}

} // namespace

TEST(GifPlayback, FrameTimesNeverFallBelowTheMinimum) {
    GifPlayback p;
    p.setFrames({0, 0, 200, 30});
    EXPECT_EQ(p.frameDelay(1), 50) << "delay 0 runs at the 50 ms default";
    EXPECT_EQ(p.frameDelay(4), 50);
    EXPECT_EQ(p.frameDelay(5), 50) << "past the last frame";
    EXPECT_EQ(p.action(1).timerMs, 50);
    EXPECT_EQ(p.tick().timerMs, 50);
    EXPECT_EQ(p.tick().timerMs, 200);
    EXPECT_TRUE(p.setMinFrameDelay(5));
    EXPECT_EQ(p.frameDelay(4), 30) << "clamped to 10";
    EXPECT_TRUE(p.setMinFrameDelay(40000));
    EXPECT_FALSE(p.setMinFrameDelay(32701)) << "clamped to 32700 both times: nothing to mark";
    EXPECT_EQ(p.frameDelay(3), 32700);
}

TEST(GifPlayback, LoopCountsEndOnTheFirstFrame) {
    GifPlayback p;
    EXPECT_EQ(p.loopsRemaining(), -1) << "nothing loaded";
    p.setFrames({100, 100, 100});
    p.setLoops(-2); // read as 2
    ASSERT_EQ(p.action(1).timerMs, 100);
    EXPECT_EQ(runUntilStopped(p), (std::vector<int>{2, 3, 1, 2, 3, 1, 0}));
    EXPECT_EQ(p.state(), GifPlayback::Stopped);
    p.action(1); // playing again runs the full two passes once more
    p.tick();
    p.tick();
    p.tick();
    EXPECT_EQ(p.loopsRemaining(), 1);
    EXPECT_EQ(runUntilStopped(p).size(), 4u);

    p.setLoops(INT_MIN);
    EXPECT_GT(p.loops(), 0);
    p.setLoops(0); // forever
    p.action(1);
    EXPECT_EQ(runUntilStopped(p, 1000).size(), 1000u);

    GifPlayback single;
    single.setFrames({0});
    single.action(1);
    const auto step = single.tick();
    EXPECT_TRUE(step.loopsEnded);
    EXPECT_EQ(step.timerMs, -1);
    EXPECT_EQ(single.loopsDone(), 1);
}

TEST(GifPlayback, Actions) {
    GifPlayback p;
    EXPECT_FALSE(p.action(1).show) << "nothing loaded: no effect";
    p.setFrames({100, 200, 300});
    p.action(1);
    p.tick();
    auto s = p.action(2); // pause
    EXPECT_EQ(s.timerMs, -1);
    EXPECT_EQ(p.state(), GifPlayback::Paused);
    EXPECT_TRUE(p.action(3).show); // step
    EXPECT_EQ(p.currentFrame(), 3);
    p.action(3);
    EXPECT_EQ(p.currentFrame(), 1) << "stepping past the last frame wraps";
    EXPECT_EQ(p.state(), GifPlayback::Paused);

    p.action(1);
    p.tick();
    s = p.action(0); // stop
    EXPECT_TRUE(s.show);
    EXPECT_EQ(s.timerMs, -1);
    EXPECT_EQ(p.currentFrame(), 1);
    EXPECT_EQ(p.state(), GifPlayback::Stopped);
    p.action(2);
    EXPECT_EQ(p.state(), GifPlayback::Stopped) << "pause only pauses a playing animation";

    p.tick();
    s = p.action(4); // restart
    EXPECT_TRUE(s.show);
    EXPECT_EQ(s.timerMs, 100);
    EXPECT_EQ(p.state(), GifPlayback::Playing);
    EXPECT_FALSE(p.action(7).show);
    EXPECT_EQ(p.state(), GifPlayback::Playing);
}

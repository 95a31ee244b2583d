#include "core/widgets/GifPlayback.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(p.frameDelay(3), 200);
    EXPECT_EQ(p.frameDelay(4), 50);
    EXPECT_EQ(p.action(1).timerMs, 50);
    EXPECT_EQ(p.tick().timerMs, 50);
    EXPECT_EQ(p.tick().timerMs, 200);

    EXPECT_TRUE(p.setMinFrameDelay(5));
    EXPECT_EQ(p.minFrameDelay(), 10);
    EXPECT_EQ(p.frameDelay(4), 30);
    EXPECT_TRUE(p.setMinFrameDelay(40000));
    EXPECT_EQ(p.minFrameDelay(), 32700);
    EXPECT_FALSE(p.setMinFrameDelay(32701)) << "no change, nothing to mark";
    EXPECT_EQ(p.frameDelay(3), 32700);
}

TEST(GifPlayback, TwoLoopsOverThreeFramesEndOnTheFirstFrame) {
    GifPlayback p;
    p.setFrames({100, 100, 100});
    p.setLoops(2);
    EXPECT_EQ(p.loopsRemaining(), 2);
    ASSERT_EQ(p.action(1).timerMs, 100);
    EXPECT_EQ(runUntilStopped(p), (std::vector<int>{2, 3, 1, 2, 3, 1, 0}));
    EXPECT_EQ(p.currentFrame(), 1);
    EXPECT_EQ(p.state(), GifPlayback::Stopped);
    EXPECT_EQ(p.loopsDone(), 0);
    // Playing again runs the full two passes once more.
    p.action(1);
    EXPECT_EQ(runUntilStopped(p).size(), 7u);
}

TEST(GifPlayback, LoopsZeroPlaysForever) {
    GifPlayback p;
    p.setFrames({10, 10});
    p.setLoops(0);
    p.action(1);
    EXPECT_EQ(runUntilStopped(p, 1000).size(), 1000u);
    EXPECT_EQ(p.loopsRemaining(), 0);
}

TEST(GifPlayback, LoopsAndRemaining) {
    GifPlayback p;
    EXPECT_EQ(p.loopsRemaining(), -1) << "nothing loaded";
    EXPECT_EQ(p.currentFrame(), 0);
    p.setLoops(-3);
    EXPECT_EQ(p.loops(), 3);
    EXPECT_FALSE(p.setLoops(3));
    p.setLoops(INT_MIN);
    EXPECT_GT(p.loops(), 0);
    p.setLoops(3);
    p.setFrames({10, 10});
    p.action(1);
    p.tick();
    p.tick(); // wrapped once
    EXPECT_EQ(p.loopsRemaining(), 2);
}

TEST(GifPlayback, SingleFrameStopsAtOnce) {
    GifPlayback p;
    p.setFrames({0});
    p.action(1);
    const auto step = p.tick();
    EXPECT_TRUE(step.loopsEnded);
    EXPECT_EQ(step.timerMs, -1);
    EXPECT_EQ(p.currentFrame(), 1);
    EXPECT_EQ(p.loopsDone(), 1);
    EXPECT_EQ(p.state(), GifPlayback::Stopped);
}

TEST(GifPlayback, Actions) {
    GifPlayback p;
    EXPECT_FALSE(p.action(1).show) << "nothing loaded: no effect";
    EXPECT_EQ(p.action(1).timerMs, -1);
    p.setFrames({100, 200, 300});
    p.action(1);
    EXPECT_EQ(p.state(), GifPlayback::Playing);
    p.tick();
    EXPECT_EQ(p.currentFrame(), 2);

    auto s = p.action(2);
    EXPECT_EQ(p.state(), GifPlayback::Paused);
    EXPECT_EQ(s.timerMs, -1);
    EXPECT_EQ(p.currentFrame(), 2);

    s = p.action(3);
    EXPECT_TRUE(s.show);
    EXPECT_EQ(p.currentFrame(), 3);
    p.action(3);
    EXPECT_EQ(p.currentFrame(), 1) << "stepping past the last frame wraps";
    EXPECT_EQ(p.state(), GifPlayback::Paused);

    p.action(1);
    p.tick();
    s = p.action(0);
    EXPECT_TRUE(s.show);
    EXPECT_EQ(s.timerMs, -1);
    EXPECT_EQ(p.currentFrame(), 1);
    EXPECT_EQ(p.state(), GifPlayback::Stopped);
    p.action(2);
    EXPECT_EQ(p.state(), GifPlayback::Stopped) << "pause only pauses a playing animation";

    p.tick();
    s = p.action(4);
    EXPECT_TRUE(s.show);
    EXPECT_EQ(s.timerMs, 100);
    EXPECT_EQ(p.currentFrame(), 1);
    EXPECT_EQ(p.state(), GifPlayback::Playing);

    s = p.action(7);
    EXPECT_FALSE(s.show);
    EXPECT_EQ(p.state(), GifPlayback::Playing);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace tavrola {

// Timing and looping of an animation, free of any timer: the host starts its one-shot timer for
// the delay a step asks for, calls tick() when it fires and shows the frame a step names.
class GifPlayback {
public:
    enum State { Stopped = 0, Playing = 1, Paused = 2 };

    // What the host does after a call: it always stops its timer first.
    struct Step {
        bool show = false;       // show currentFrame() and raise FrameChanged
        bool loopsEnded = false; // raise LoopsEnded
        int timerMs = -1;        // start the one-shot timer for this long; -1: leave it stopped
    };

    static constexpr int kMinDelayFloor = 10;
    static constexpr int kMinDelayCeiling = 32700;

    // Delays of the frames in milliseconds; an empty list unloads.
    void setFrames(std::vector<int> delays);
    bool loaded() const { return !m_delays.empty(); }
    int frameCount() const { return static_cast<int>(m_delays.size()); }
    int currentFrame() const { return m_current; } // 1-based, 0 when nothing is loaded
    int state() const { return m_state; }

    int minFrameDelay() const { return m_minFrameDelay; }
    bool setMinFrameDelay(int ms); // true when the value changed
    int loops() const { return m_loops; }
    bool setLoops(int loops);
    int loopsDone() const { return m_loopsDone; }
    int loopsRemaining() const;
    // How long frame n (1-based) stays on screen.
    int frameDelay(int n) const;

    Step tick();
    // Action 0 stop, 1 play, 2 pause, 3 step, 4 restart; other values and an empty player do nothing.
    Step action(int a);

private:
    std::vector<int> m_delays;
    int m_current = 0;
    int m_state = Stopped;
    int m_loops = 0;
    int m_loopsDone = 0;
    int m_minFrameDelay = 50;
};

} // namespace tavrola

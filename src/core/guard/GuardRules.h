// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <deque>
#include <string>

namespace tavrola {

// When the guard starts the clock again, and when it calls it hung. Times are the guard's own
// steady clock, handed in, so the rules run the same under a made-up clock.
class GuardRules {
public:
    using Ms = std::chrono::milliseconds;
    static constexpr Ms kRestartDelay{1000};  // a crash is answered at once, well within 5 s
    static constexpr Ms kHangAfter{30000};    // no heartbeat this long: the clock is hung
    static constexpr int kBurst = 5;          // this many restarts ...
    static constexpr Ms kBurstWindow{120000}; // ... within this time ...
    static constexpr Ms kBackoff{60000};      // ... and the next waits this long

    // How the child ended: crashed (a signal, an abnormal end) or with this exit code.
    struct Exit {
        bool crashed = false;
        int code = 0;
    };
    struct Next {
        bool restart = false;
        Ms delay{0};
        std::string reason; // for the log: why it ended
    };

    void started(Ms now);
    void heartbeat(Ms now);
    // True once, when the running child has been silent for kHangAfter; the caller then kills it,
    // and the end that follows is told as a hang.
    bool checkHung(Ms now);
    // The child ended: start it again (after `delay`) unless it ended normally.
    Next ended(Ms now, Exit exit);

private:
    std::deque<Ms> m_restarts; // recent restarts, within kBurstWindow
    Ms m_lastSign{0};
    bool m_running = false;
    bool m_hung = false;
};

} // namespace tavrola

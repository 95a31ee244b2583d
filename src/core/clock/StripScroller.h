// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace tavrola {

// The prayer-times strip's motion, in twips: either still and centred, or running to the left and
// re-entering at the window's right edge once it has left on the left.
class StripScroller {
public:
    static constexpr int kIntervalMs = 20;
    static constexpr int kStepTwips = 50;

    // Start-up from the SKROL value: "OFF" in any case centres the strip and keeps it still;
    // anything else, the empty value included, starts it one strip width right of its place.
    // True when the strip is to run (its timer enabled).
    bool startUp(std::string_view skrol, int innerWidth, int stripWidth);

    // One timer tick; returns the new left edge. The timer being enabled is what "running" means,
    // so a tick always moves.
    int tick(int innerWidth, int stripWidth);

    int left() const { return m_left; }
    // The strip was placed from outside (a resize re-laid it): carry on from there.
    void setLeft(int left) { m_left = left; }

private:
    int m_left = 0;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/gif/GifPlayback.h"

#include <algorithm>
#include <climits>

namespace tavrola {

void GifPlayback::setFrames(std::vector<int> delays) {
    m_delays = std::move(delays);
    m_current = m_delays.empty() ? 0 : 1;
    m_state = Stopped;
    m_loopsDone = 0;
}

bool GifPlayback::setMinFrameDelay(int ms) {
    const int v = std::clamp(ms, kMinDelayFloor, kMinDelayCeiling);
    if (v == m_minFrameDelay)
        return false;
    m_minFrameDelay = v;
    return true;
}

bool GifPlayback::setLoops(int loops) {
    const int v = loops == INT_MIN ? INT_MAX : (loops < 0 ? -loops : loops);
    if (v == m_loops)
        return false;
    m_loops = v;
    return true;
}

int GifPlayback::loopsRemaining() const {
    if (!loaded())
        return -1;
    if (m_loops == 0)
        return 0;
    return m_loops - m_loopsDone;
}

int GifPlayback::frameDelay(int n) const {
    if (n < 1 || n > frameCount())
        return m_minFrameDelay;
    return std::max(m_delays[static_cast<std::size_t>(n - 1)], m_minFrameDelay);
}

GifPlayback::Step GifPlayback::tick() {
    Step step;
    if (!loaded())
        return step;
    bool wrapped = false;
    if (++m_current > frameCount()) {
        m_current = 1;
        wrapped = true;
    }
    bool carryOn = true;
    if (frameCount() == 1) {
        m_loopsDone = 1;
        m_state = Stopped;
        carryOn = false;
    } else if (wrapped && m_loops != 0 && ++m_loopsDone >= m_loops) {
        m_loopsDone = 0;
        m_state = Stopped;
        carryOn = false;
    }
    step.show = true;
    if (carryOn)
        step.timerMs = frameDelay(m_current);
    else
        step.loopsEnded = true;
    return step;
}

GifPlayback::Step GifPlayback::action(int a) {
    Step step;
    if (!loaded())
        return step;
    switch (a) {
    case 0:
        m_state = Stopped;
        m_loopsDone = 0;
        m_current = 1;
        step.show = true;
        break;
    case 1:
        m_state = Playing;
        step.timerMs = frameDelay(m_current);
        break;
    case 2:
        if (m_state == Playing)
            m_state = Paused;
        break;
    case 3:
        m_current = m_current >= frameCount() ? 1 : m_current + 1;
        m_state = Paused;
        step.show = true;
        break;
    case 4:
        action(0);
        step = action(1);
        step.show = true;
        break;
    default:
        break;
    }
    return step;
}

} // namespace tavrola

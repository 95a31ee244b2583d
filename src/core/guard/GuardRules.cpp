// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/guard/GuardRules.h"

namespace tavrola {

void GuardRules::started(Ms now) {
    m_running = true;
    m_hung = false;
    m_lastSign = now; // the start-up counts as a sign of life; its first tick follows within seconds
}

void GuardRules::heartbeat(Ms now) {
    m_lastSign = now;
}

bool GuardRules::checkHung(Ms now) {
    if (!m_running || m_hung || now - m_lastSign < kHangAfter)
        return false;
    m_hung = true;
    return true;
}

GuardRules::Next GuardRules::ended(Ms now, Exit exit) {
    m_running = false;
    Next next;
    if (m_hung)
        next.reason = "hung: no heartbeat for " + std::to_string(kHangAfter.count() / 1000) + " s";
    else if (exit.crashed)
        next.reason = "crashed (" + std::to_string(exit.code) + ")";
    else if (exit.code != 0)
        next.reason = "ended with status " + std::to_string(exit.code);
    else
        return {false, Ms{0}, "ended normally"};
    m_hung = false;

    while (!m_restarts.empty() && now - m_restarts.front() >= kBurstWindow)
        m_restarts.pop_front();
    next.restart = true;
    if (static_cast<int>(m_restarts.size()) >= kBurst) {
        // The wait is the cool-down: the count starts afresh after it, so a clock that keeps
        // failing is tried once a minute or so, never given up on.
        next.delay = kBackoff;
        m_restarts.clear();
    } else {
        next.delay = kRestartDelay;
    }
    m_restarts.push_back(now + next.delay);
    return next;
}

} // namespace tavrola

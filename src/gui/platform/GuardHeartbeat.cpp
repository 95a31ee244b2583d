// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/GuardHeartbeat.h"

#include "gui/guard/ClockGuard.h"

#include <cstdio>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace tavrola {

GuardHeartbeat::GuardHeartbeat() {
#ifdef Q_OS_UNIX
    // A guard that ended leaves a closed pipe; writing to it must fail, not end the clock.
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

std::unique_ptr<GuardHeartbeat> GuardHeartbeat::fromEnvironment() {
    if (qEnvironmentVariableIntValue(ClockGuard::kHeartbeatVariable) != 1)
        return nullptr;
    return std::unique_ptr<GuardHeartbeat>(new GuardHeartbeat);
}

void GuardHeartbeat::beat() {
    if (m_broken)
        return;
    if (std::fputc('.', stdout) == EOF || std::fflush(stdout) != 0)
        m_broken = true;
}

} // namespace tavrola

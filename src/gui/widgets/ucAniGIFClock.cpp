// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/ucAniGIFClock.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>
#include <vector>

namespace tavrola {

ucAniGIFClock& ucAniGIFClock::instance() {
    // Owned by the application, so it goes before Qt does.
    static QPointer<ucAniGIFClock> clock;
    if (!clock)
        clock = new ucAniGIFClock(QCoreApplication::instance());
    return *clock;
}

ucAniGIFClock::ucAniGIFClock(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { fire(); });
    m_elapsed.start();
}

void ucAniGIFClock::schedule(const void* player, int ms, std::function<void()> due) {
    qint64 at = m_elapsed.elapsed() + std::max(0, ms);
    if (ms >= 1000)
        at = (at + 999) / 1000 * 1000;
    m_firing.erase(player);
    m_entries[player] = Entry{at, std::move(due)};
    rearm();
}

void ucAniGIFClock::cancel(const void* player) {
    m_firing.erase(player);
    if (m_entries.erase(player))
        rearm();
}

void ucAniGIFClock::rearm() {
    if (m_entries.empty()) {
        m_timer.stop();
        return;
    }
    qint64 next = m_entries.begin()->second.dueMs;
    for (const auto& [player, e] : m_entries)
        next = std::min(next, e.dueMs);
    m_timer.start(static_cast<int>(std::max<qint64>(0, next - m_elapsed.elapsed())));
}

void ucAniGIFClock::fire() {
    const qint64 now = m_elapsed.elapsed();
    std::vector<std::pair<const void*, std::function<void()>>> calls;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->second.dueMs <= now + kTogetherMs) {
            m_firing.insert(it->first);
            calls.emplace_back(it->first, std::move(it->second.call));
            it = m_entries.erase(it);
        } else {
            ++it;
        }
    }
    // A frame's handlers may stop, reschedule or delete other players meanwhile.
    for (auto& [player, call] : calls)
        if (m_firing.erase(player))
            call();
    rearm();
}

} // namespace tavrola

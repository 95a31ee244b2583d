// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <set>

namespace tavrola {

// The one clock every animated picture takes its frames from. Frames that fall due within a few
// milliseconds of each other are shown in one wake-up, so their paints reach the screen together;
// and a rest of a second or more ends on a whole second of this clock, so pictures that rest
// between their movements set off together and then keep in step.
class ucAniGIFClock : public QObject {
public:
    static ucAniGIFClock& instance();

    // Calls `due` once after `ms` (a rest of a second or more: at the next whole second after
    // that). A later call for the same player replaces the earlier one.
    void schedule(const void* player, int ms, std::function<void()> due);
    void cancel(const void* player);

    static constexpr int kTogetherMs = 15;

private:
    explicit ucAniGIFClock(QObject* parent);
    void fire();
    void rearm();

    struct Entry {
        qint64 dueMs;
        std::function<void()> call;
    };
    QTimer m_timer;
    QElapsedTimer m_elapsed;
    std::map<const void*, Entry> m_entries;
    std::set<const void*> m_firing; // taken for this wake-up; a cancel drops it
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

namespace tavrola {

// The clock's side of `tavrola --guard`: a byte on standard output on every tick, from the GUI
// thread, so that a frozen window stops the heartbeat. Made only when the guard asked for it.
class GuardHeartbeat : public QObject {
    Q_OBJECT
public:
    static std::unique_ptr<GuardHeartbeat> fromEnvironment();

public slots:
    void beat();

private:
    GuardHeartbeat();
    bool m_broken = false; // the guard is gone: stay quiet
};

} // namespace tavrola

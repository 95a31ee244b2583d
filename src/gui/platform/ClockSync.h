// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace tavrola {

// Watches whether the kernel keeps the system clock synchronised (Linux: adjtimex's TIME_ERROR or
// STA_UNSYNC). Elsewhere it never reports a problem.
class ClockSync : public QObject {
    Q_OBJECT
public:
    // Whether the system clock is synchronised now; true where it cannot be told.
    static bool synchronised();

public slots:
    // Called on every clock tick; looks every 30th time, a cheap system call.
    void check();

signals:
    void unsynchronisedChanged(bool unsynchronised);

private:
    int m_ticks = 0;
    bool m_unsynchronised = false;
};

} // namespace tavrola

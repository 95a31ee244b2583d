// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/QtClock.h"

#include <QDateTime>

namespace tavrola {

DateTime QtClock::now() const {
    const QDateTime t = QDateTime::currentDateTime();
    const QDate d = t.date();
    const QTime tm = t.time();
    return DateTime{{d.year(), d.month(), d.day()}, tm.hour(), tm.minute(), tm.second(), tm.msec()};
}

} // namespace tavrola

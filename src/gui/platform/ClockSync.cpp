// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/ClockSync.h"

#ifdef Q_OS_LINUX
#include <sys/timex.h>
#endif

namespace tavrola {

bool ClockSync::synchronised() {
#ifdef Q_OS_LINUX
    struct timex t {};
    const int state = ::adjtimex(&t); // modes 0: reads only
    return state != -1 && state != TIME_ERROR && !(t.status & STA_UNSYNC);
#else
    return true;
#endif
}

void ClockSync::check() {
    if (m_ticks++ % 30 != 0)
        return;
    const bool unsynchronised = !synchronised();
    if (unsynchronised == m_unsynchronised)
        return;
    m_unsynchronised = unsynchronised;
    emit unsynchronisedChanged(unsynchronised);
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace tavrola {

// Start-up timing for measurements, switched on by TAVROLA_TRACE_STARTUP=1.
class StartupTrace {
public:
    // Call first thing in main: the reference where the system cannot tell when the process began.
    static void markMain();
    static bool enabled();
    // Milliseconds since the process started (on Linux to the kernel's 10 ms tick), or since
    // markMain() elsewhere; -1 when neither is known.
    static qint64 elapsedMs();
};

} // namespace tavrola

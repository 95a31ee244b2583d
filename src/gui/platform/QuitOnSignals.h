// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

class QSocketNotifier;

namespace tavrola {

// Ends the program the way the tray's "Keluar" does, when the session or the system asks it to end
// (SIGTERM at log-out and power-off, SIGHUP, SIGINT): the event loop stops and main() tears down in
// order, so the single-instance lock and the files are left tidy. Does nothing on Windows.
class QuitOnSignals {
public:
    QuitOnSignals();
    ~QuitOnSignals(); // the signals' default actions again
    QuitOnSignals(const QuitOnSignals&) = delete;
    QuitOnSignals& operator=(const QuitOnSignals&) = delete;

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/QuitOnSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace tavrola {

#ifdef Q_OS_UNIX
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
// A signal handler may do almost nothing: it writes a byte that the event loop then reads.
int g_wake[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_wake[1], &byte, 1);
}

void setHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : kSignals)
        ::sigaction(s, &action, nullptr);
}

} // namespace
#endif

QuitOnSignals::QuitOnSignals() {
#ifdef Q_OS_UNIX
    if (g_wake[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_wake) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(g_wake[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(g_wake[0], &byte, 1);
        // exit(), not quit(): quit() asks the windows first, and the clock window only hides.
        QCoreApplication::exit(0);
        // A signal during a dialog shown before the main loop runs ends that dialog's loop only;
        // the main loop ends as it starts.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    });
    setHandler(onSignal);
#endif
}

QuitOnSignals::~QuitOnSignals() {
#ifdef Q_OS_UNIX
    setHandler(SIG_DFL);
#endif
}

} // namespace tavrola

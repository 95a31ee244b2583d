// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/StartupTrace.h"

#include <QElapsedTimer>

#ifdef Q_OS_LINUX
#include <QByteArray>
#include <QFile>
#include <ctime>
#include <unistd.h>
#endif

namespace tavrola {

namespace {

QElapsedTimer& mainTimer() {
    static QElapsedTimer timer;
    return timer;
}

#ifdef Q_OS_LINUX
// The process's start in milliseconds after boot, from /proc/self/stat; -1 if unreadable.
qint64 processStartMs() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The command name may hold spaces and parentheses: fields are counted after its last ')'.
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return -1;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    // starttime is field 22 of the line, the 20th after the name.
    if (fields.size() < 20)
        return -1;
    bool ok = false;
    const qint64 ticks = fields[19].toLongLong(&ok);
    const long perSecond = sysconf(_SC_CLK_TCK);
    return ok && perSecond > 0 ? ticks * 1000 / perSecond : -1;
}
#endif

} // namespace

void StartupTrace::markMain() {
    mainTimer().start();
}

bool StartupTrace::enabled() {
    return qEnvironmentVariableIntValue("TAVROLA_TRACE_STARTUP") == 1;
}

qint64 StartupTrace::elapsedMs() {
#ifdef Q_OS_LINUX
    timespec now{};
    const qint64 start = processStartMs();
    if (start >= 0 && clock_gettime(CLOCK_BOOTTIME, &now) == 0)
        return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000 - start;
#endif
    return mainTimer().isValid() ? mainTimer().elapsed() : -1;
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/guard/GuardRules.h"

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <string>

namespace tavrola {

// `tavrola --guard`: runs the clock as a child process and starts it again when it crashes, is
// killed or stops ticking (GuardRules decides when). Ends when the clock ends normally. The child
// is told by TAVROLA_GUARD_HEARTBEAT to write a heartbeat to its standard output on every tick.
class ClockGuard : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kHeartbeatVariable = "TAVROLA_GUARD_HEARTBEAT";

    // log: one line per restart and its reason.
    ClockGuard(QString program, QStringList arguments, std::function<void(const std::string&)> log);
    ~ClockGuard() override;

    void start();
    // Ends the clock as its menu's "Keluar" would (SIGTERM), killing it if it has not ended in time.
    void stop();

signals:
    // The clock ended normally: the guard's work is done.
    void clockEnded();

private slots:
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void onErrorOccurred(QProcess::ProcessError error);
    void onOutput();
    void onCheck();

private:
    GuardRules::Ms now() const;
    void launch();
    void childGone(GuardRules::Exit exit);

    QString m_program;
    QStringList m_arguments;
    std::function<void(const std::string&)> m_log;
    GuardRules m_rules;
    QProcess m_child;
    QElapsedTimer m_elapsed;
    QTimer m_check;   // looks for a hang once a second
    QTimer m_restart; // the delay before the next start
    bool m_stopping = false;
};

// The guard's whole run: its own application object (no display needed), the clock as a child
// with the same arguments less --guard, and the restarts logged to log/tavrola.log.
int runClockGuard(int argc, char* argv[]);

} // namespace tavrola

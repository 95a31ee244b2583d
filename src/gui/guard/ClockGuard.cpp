// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/guard/ClockGuard.h"

#include "core/AppInfo.h"
#include "core/files/LogFile.h"
#include "gui/platform/FolderPlacement.h"
#include "gui/platform/QuitOnSignals.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProcessEnvironment>
#include <QtDebug>

namespace tavrola {

namespace {

constexpr int kStopWaitMs = 10000; // the clock's own tidy end, before it is killed

} // namespace

ClockGuard::ClockGuard(QString program, QStringList arguments, std::function<void(const std::string&)> log)
    : m_program(std::move(program)), m_arguments(std::move(arguments)), m_log(std::move(log)) {
    m_elapsed.start();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kHeartbeatVariable), QStringLiteral("1"));
    m_child.setProcessEnvironment(environment);
    m_child.setProgram(m_program);
    m_child.setArguments(m_arguments);
    // Standard output carries the heartbeat; the clock's messages go on to the guard's own stream.
    m_child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(&m_child, &QProcess::finished, this, &ClockGuard::onFinished);
    connect(&m_child, &QProcess::errorOccurred, this, &ClockGuard::onErrorOccurred);
    connect(&m_child, &QProcess::readyReadStandardOutput, this, &ClockGuard::onOutput);
    m_check.setInterval(1000);
    connect(&m_check, &QTimer::timeout, this, &ClockGuard::onCheck);
    m_restart.setSingleShot(true);
    connect(&m_restart, &QTimer::timeout, this, &ClockGuard::launch);
}

ClockGuard::~ClockGuard() {
    stop();
}

GuardRules::Ms ClockGuard::now() const {
    return GuardRules::Ms(m_elapsed.elapsed());
}

void ClockGuard::start() {
    m_check.start();
    launch();
}

void ClockGuard::launch() {
    if (m_stopping)
        return;
    m_rules.started(now());
    m_child.start();
}

void ClockGuard::stop() {
    m_stopping = true;
    m_check.stop();
    m_restart.stop();
    if (m_child.state() == QProcess::NotRunning)
        return;
    m_child.terminate();
    if (!m_child.waitForFinished(kStopWaitMs)) {
        m_child.kill();
        m_child.waitForFinished(kStopWaitMs);
    }
}

void ClockGuard::onOutput() {
    // Any output is a heartbeat; the clock writes nothing else there.
    m_child.readAllStandardOutput();
    m_rules.heartbeat(now());
}

void ClockGuard::onCheck() {
    if (m_child.state() == QProcess::Running && m_rules.checkHung(now()))
        m_child.kill(); // SIGKILL also ends a stopped process; its end then restarts it
}

void ClockGuard::onFinished(int exitCode, QProcess::ExitStatus status) {
    childGone({status == QProcess::CrashExit, exitCode});
}

void ClockGuard::onErrorOccurred(QProcess::ProcessError error) {
    // A program that cannot be started sends no finished(); it is retried like a crash.
    if (error == QProcess::FailedToStart)
        childGone({true, -1});
}

void ClockGuard::childGone(GuardRules::Exit exit) {
    if (m_stopping)
        return;
    const GuardRules::Next next = m_rules.ended(now(), exit);
    if (!next.restart) {
        // Said, so that an unattended screen's log tells this end from a crash of the guard itself.
        m_log("Guard: the clock ended normally; the guard ends with it");
        emit clockEnded();
        return;
    }
    m_log("Guard: the clock " + next.reason + ", starting it again in " +
          std::to_string(next.delay.count() / 1000) + " s");
    m_restart.start(static_cast<int>(next.delay.count()));
}

int runClockGuard(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromUtf8(app::kTitle));
    QuitOnSignals endOnSignals;
    QStringList arguments = QCoreApplication::arguments().mid(1);
    arguments.removeAll(QStringLiteral("--guard"));
    arguments.removeAll(QStringLiteral("-guard"));

    // The log's folder is looked up when a line is written, by then the clock has placed it: the
    // guard never makes the user's data folder itself, so the clock's first start stays its own.
    const auto log = [](const std::string& line) {
        const QString text = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")) +
                             QString::fromStdString(line);
        qWarning().noquote() << text;
        LogFile(placeRunningProgram().folder.logFolder() / "tavrola.log").append(text.toLocal8Bit().toStdString());
    };
    ClockGuard guard(QCoreApplication::applicationFilePath(), arguments, log);
    QObject::connect(&guard, &ClockGuard::clockEnded, &app, &QCoreApplication::quit);
    guard.start();
    const int status = QCoreApplication::exec();
    guard.stop();
    return status;
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/QtShell.h"

#include "gui/platform/LocalText.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

namespace tavrola {

bool QtShell::isOpenableAddress(const std::string& address) {
    const QUrl url(toQt(address).trimmed(), QUrl::StrictMode);
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == "mailto")
        return !url.path().isEmpty();
    return (scheme == "http" || scheme == "https") && !url.host().isEmpty();
}

bool QtShell::runningUnderTest() {
    if (!qEnvironmentVariableIsEmpty("TAVROLA_TESTING"))
        return true;
    const QString platform = QGuiApplication::platformName();
    if (platform == "offscreen" || platform == "minimal")
        return true;
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return program.startsWith("tst_") || program.startsWith("tavrola_core_tests");
}

bool QtShell::openAddress(const std::string& address) {
    if (runningUnderTest() || !isOpenableAddress(address))
        return false;
    return QDesktopServices::openUrl(QUrl(toQt(address).trimmed(), QUrl::StrictMode));
}

bool QtShell::powerOff() {
    if (runningUnderTest())
        return false;
    QProcess process;
#ifdef Q_OS_WIN
    // Closes running programs without asking and switches off at once; no console window flashes up.
    process.setProgram("shutdown");
    process.setArguments({"/s", "/f", "/t", "00"});
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* args) {
        args->flags |= 0x08000000; // CREATE_NO_WINDOW
    });
#else
    // The same immediate power-off on systemd; -i ignores inhibitors such as open sessions.
    process.setProgram("systemctl");
    process.setArguments({"poweroff", "-i"});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
#endif
    return process.startDetached();
}

} // namespace tavrola

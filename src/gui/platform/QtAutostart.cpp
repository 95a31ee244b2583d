// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/QtAutostart.h"

#include "core/AppInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace tavrola {

namespace {

#ifdef Q_OS_WIN
const QString kRunKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
#endif

QString entryName() {
    return QString::fromUtf8(app::kTitle);
}

} // namespace

QtAutostart::QtAutostart(QString program, QString autostartFolder)
    : m_program(std::move(program)), m_folder(std::move(autostartFolder)) {}

QtAutostart::QtAutostart()
    : QtAutostart(QCoreApplication::applicationFilePath(),
                  QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) +
                      QStringLiteral("/autostart")) {}

QString QtAutostart::entryPath() const {
    return QDir(m_folder).filePath(QStringLiteral("tavrola.desktop"));
}

QString QtAutostart::desktopEntry(const QString& program) {
    // The entry's values may hold no control character; such a path cannot be written.
    if (program.isEmpty() || std::any_of(program.begin(), program.end(),
                                         [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; }))
        return {};
    // Exec quoting: the path in double quotes with " ` $ \ escaped, then the string escape of the
    // file format doubles each backslash again; a literal percent sign is written twice.
    QString quoted;
    for (const QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    // TryExec takes the plain path, with only the string escapes: a session skips the entry once the
    // program is gone (uninstalled) instead of failing to start it at every login. A space at either
    // end is written as \s, which readers would otherwise trim.
    QString plain = program;
    plain.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    if (plain.endsWith(QLatin1Char(' ')))
        plain.replace(plain.size() - 1, 1, QStringLiteral("\\s"));
    if (plain.startsWith(QLatin1Char(' ')))
        plain.replace(0, 1, QStringLiteral("\\s"));
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Comment=Prayer-times clock\n"
                          "TryExec=%2\n"
                          "Exec=\"%3\" --guard\n"
                          "Icon=tavrola\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(entryName(), plain, quoted);
}

bool QtAutostart::isEnabled() const {
#ifdef Q_OS_WIN
    return QSettings(kRunKey, QSettings::NativeFormat).contains(entryName());
#else
    return QFile::exists(entryPath());
#endif
}

bool QtAutostart::setEnabled(bool on) {
#ifdef Q_OS_WIN
    QSettings run(kRunKey, QSettings::NativeFormat);
    if (on)
        run.setValue(entryName(),
                     QLatin1Char('"') + QDir::toNativeSeparators(m_program) + QStringLiteral("\" --guard"));
    else
        run.remove(entryName());
    run.sync();
    return run.status() == QSettings::NoError && isEnabled() == on;
#else
    if (!on)
        return !QFile::exists(entryPath()) || QFile::remove(entryPath());
    const QString text = desktopEntry(m_program);
    if (text.isEmpty() || !QDir().mkpath(m_folder))
        return false;
    QSaveFile file(entryPath());
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit();
#endif
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/FolderPlacement.h"

#include "gui/platform/LocalText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavrola {

FolderPlacement placeProgramFolder(const QString& programDir, const QString& userDataDir) {
    const QDir program(programDir);
    const bool installed = program.exists(QString::fromLatin1(FolderPlacement::kInstalledMarker)) ||
                           !QFileInfo(programDir).isWritable();
    if (!installed)
        return {ProgramFolder(pathFromQt(programDir)), false, false};

    const QDir data(userDataDir);
    const bool firstStart = !data.exists();
    data.mkpath(QStringLiteral("."));
    // A maker's defaults shipped beside the executable; the user's own files are never replaced.
    for (const char* name : {"setting.ini", "dbase/dbsolat.dat"}) {
        const QString from = program.filePath(QString::fromLatin1(name));
        const QString to = data.filePath(QString::fromLatin1(name));
        if (!QFileInfo::exists(from) || QFileInfo::exists(to))
            continue;
        data.mkpath(QFileInfo(to).path());
        if (QFile::copy(from, to))
            QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    return {ProgramFolder(pathFromQt(programDir), pathFromQt(userDataDir)), true, firstStart};
}

FolderPlacement placeRunningProgram() {
    return placeProgramFolder(QCoreApplication::applicationDirPath(),
                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace tavrola

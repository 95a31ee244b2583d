// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QtDebug>

#include <cstdlib>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace tavrola {

namespace {

QString lockFolder(const QString& dataFolder) {
#ifndef Q_OS_WIN
    // Qt checks that the runtime folder (or its own stand-in under /tmp) is the user's own with mode
    // 0700, and answers empty if not. A session without XDG_RUNTIME_DIR has none: the data folder.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty())
            return runtime;
    }
#endif
    return dataFolder;
}

// Whether a lock file is found at `path` that another user could have made: not a plain file of
// ours, or in a folder other users can write.
bool foreignLockAt(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists() && !file.isSymLink())
        return false;
#ifdef Q_OS_UNIX
    return file.isSymLink() || !file.isFile() || file.ownerId() != ::geteuid() ||
           QFileInfo(file.absolutePath()).permissions().testFlag(QFileDevice::WriteOther);
#else
    return false; // %APPDATA% belongs to its user
#endif
}

// The lock this process holds. Qt ends the process with exit() when the X server goes away (the
// session ended), and then no destructor runs; the lock goes in an exit handler instead.
QLockFile* g_held = nullptr;

void releaseAtExit() {
    if (g_held)
        g_held->unlock();
}

void hold(QLockFile* lock) {
    [[maybe_unused]] static const int registered = std::atexit(releaseAtExit);
    g_held = lock;
}

} // namespace

SingleInstance::SingleInstance(const QString& dataFolder) {
    QString key = QFileInfo(dataFolder).absoluteFilePath();
#ifdef Q_OS_WIN
    key = key.toLower();
#endif
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_path =
        QDir(lockFolder(dataFolder)).filePath(QStringLiteral("tavrola-%1.lock").arg(QString::fromLatin1(hash)));
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock whose process is gone is stale at once; a live one never is.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    if (g_held == m_lock.get())
        g_held = nullptr;
}

bool SingleInstance::acquire() {
    if (foreignLockAt(m_path)) {
        qWarning("Ignoring the lock file %s: another user could have made it", qUtf8Printable(m_path));
        if (!QFile::remove(m_path)) {
            qWarning("Starting without a single-instance lock");
            m_lock.reset();
            return true;
        }
    }
    if (m_lock->tryLock(0)) {
        hold(m_lock.get());
        return true;
    }
    if (m_lock->error() != QLockFile::LockFailedError)
        return true;
    if (foreignLockAt(m_path)) { // put there since the look above
        qWarning("Starting without a single-instance lock: %s is not this user's own", qUtf8Printable(m_path));
        m_lock.reset();
        return true;
    }
    return false;
}

} // namespace tavrola

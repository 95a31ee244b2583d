#include "gui/platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace tavrola {

SingleInstance::SingleInstance(const QString& programFolder) {
    QString key = QFileInfo(programFolder).absoluteFilePath();
#ifdef Q_OS_WIN
    key = key.toLower();
#endif
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_path = QDir(QDir::tempPath()).filePath(QStringLiteral("tavrola-%1.lock").arg(QString::fromLatin1(hash)));
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock whose process is gone is stale at once; a live one never is.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire() {
    if (m_lock->tryLock(0))
        return true;
    return m_lock->error() != QLockFile::LockFailedError;
}

} // namespace tavrola

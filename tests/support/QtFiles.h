// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whole-file reads and writes for the window tests, and the shared test data folder.
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavrola::testing {

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QString dataFile(const QString& name) {
    return QStringLiteral(TAVROLA_TEST_DATA "/") + name;
}

} // namespace tavrola::testing

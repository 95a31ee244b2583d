// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <filesystem>
#include <string>

namespace tavrola {

// The files keep bytes in the local 8-bit code page; this is the one place text crosses to Qt.
inline QString toQt(const std::string& bytes) {
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
inline std::string fromQt(const QString& text) {
    const QByteArray b = text.toLocal8Bit();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}
inline QString pathToQt(const std::filesystem::path& p) {
#ifdef Q_OS_WIN
    return QString::fromStdWString(p.wstring());
#else
    return QString::fromLocal8Bit(p.string().c_str());
#endif
}
inline std::filesystem::path pathFromQt(const QString& p) {
#ifdef Q_OS_WIN
    return std::filesystem::path(p.toStdWString());
#else
    return std::filesystem::path(p.toLocal8Bit().toStdString());
#endif
}

} // namespace tavrola

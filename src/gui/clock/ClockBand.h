// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QWidget;

namespace tavrola {

class ClockFace;

// The clock window's middle band: the big clock, and under it the Malay date line and the Hijri date
// in Jawi letters. Its controls are children of the window.
class ClockBand : public QObject {
    Q_OBJECT
public:
    explicit ClockBand(QWidget& window);

    void setFaces(const QString& digitFamily, const QString& jawiFamily);

    // Repaints only the digits that changed.
    void showTime(const QString& text);
    void showDateLine(const QString& line);
    void showHijri(const QString& text);

    QString time() const;
    QString dateLine() const;
    QString hijri() const;

private:
    ClockFace* TextTimeReal;
    QLabel* tarikh_melayu_caption;
    QLabel* TextDateJawi;
};

} // namespace tavrola

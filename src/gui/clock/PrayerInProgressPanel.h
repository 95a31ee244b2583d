// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

namespace tavrola {

// The calm screen while a prayer stands: the whole window dark but for a small clock, the
// prayer's name with "Solat sedang didirikan" and the minutes since the iqamah, dim, in the
// bottom right-hand corner, so that the screen does not look switched off or broken. Drawn to
// its own size; no timer of its own.
class PrayerInProgressPanel : public QWidget {
    Q_OBJECT
public:
    explicit PrayerInProgressPanel(QWidget* parent = nullptr);

    void setFaces(const QString& digitFamily, const QStringList& letterFamilies);

    // clockText as the big clock shows it ("01:17:05 pm" or "13:17:05").
    void showPrayer(const QString& clockText, const QString& prayerName, int minutes, bool afterIqamah);

    QString clockText() const { return m_clock; }
    QString caption() const { return m_caption; }
    QString minutesText() const { return m_minutes; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect corner() const;

    QString m_digitFamily;
    QStringList m_letterFamilies;
    QString m_clock;
    QString m_caption;
    QString m_minutes;
};

} // namespace tavrola

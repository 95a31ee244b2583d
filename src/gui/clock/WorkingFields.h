// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/clock/PrayerSchedule.h"

#include <QDate>
#include <QObject>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace tavrola {

class MonitorPanel;

// The clock window's working fields (Picture1, hidden): what the tick, the calendar and the shutdown
// check note down besides what the congregation sees.
class WorkingFields : public QObject {
    Q_OBJECT
public:
    explicit WorkingFields(QWidget& window);

    void showMinute(const QString& minuteText);
    void showDateKey(const QString& dateKey);
    // The day's names; the long date only when the day is another than last written.
    void showCalendar(const PrayerSchedule::Calendar& calendar);
    // The long date is written afresh at the next calendar (a clock that jumped).
    void forgetDay();
    void showMonth(const QString& month);
    void showHijriCorrection(const QString& masa);
    void showShutdown(const QString& shutTutup, const QString& jamcount);
    // The monitor tools write the display's resolution here.
    void lendResolutionLine(MonitorPanel& panel);

private:
    QLineEdit* txtTime;
    QLineEdit* txtDate;
    QLineEdit* Jamcount;
    QLineEdit* Tarikh_Takwim1;
    QLabel* shut_tutup;
    QLabel* Label2;
    QLabel* tarikh;
    QLabel* hariku;
    QLabel* bulan;
    QLabel* bulan1;
    QDate m_longDateOf; // the day tarikh was last written for
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/controls/TimePickerText.h"

#include <QGroupBox>
#include <QString>

#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavrola {

class Clock;
class ucTimePicker;

// The settings window's lower frame, "Jadual Shutdown": the Hijri correction, the daily shutdown
// (its box and time), the screen's night hours, the status, and the window's Simpan, Tutup and
// Sandaran... buttons.
class ShutdownFrame : public QGroupBox {
    Q_OBJECT
public:
    ShutdownFrame(Clock& clock, QWidget* parent = nullptr);

    // As designed: empty boxes, the shutdown off with the time picker at the clock's time.
    void reset();
    // The stored values; `shutdown` without its quotes.
    void load(const QString& hijri, const QString& nightOff, const QString& nightOn, const std::string& shutdown);

    QString hijriText() const;
    QString nightOffText() const; // trimmed
    QString nightOnText() const;
    bool shutdownOn() const;
    HourMinute shutdownTime() const;
    void showStatus(const std::string& text);

signals:
    void saveClicked();
    void closeClicked();
    void backupsClicked();

private:
    void shutdownToggled();

    Clock& m_clock;
    QLineEdit* m_hijri;
    QCheckBox* m_enable;
    ucTimePicker* m_time;
    QLineEdit* m_nightOff;
    QLineEdit* m_nightOn;
    QLabel* m_status;
};

} // namespace tavrola

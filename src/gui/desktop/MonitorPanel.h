// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/desktop/MMonitors.h"
#include "core/desktop/Rect.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tavrola {

class Screens;

// The monitor tools of the clock window (its Picture3 panel): covering a monitor or the whole desktop,
// moving to the next monitor, pulling the window back onto the desktop, and the monitor report. It acts
// on one top-level window, the one given, and also answers that window's F12 key and activation.
class MonitorPanel : public QWidget {
    Q_OBJECT
public:
    MonitorPanel(QWidget* window, const Screens& screens, QWidget* parent = nullptr);

    // The label that shows the display resolution (the clock window's Label2).
    void setResolutionLabel(QLabel* label) { m_resolutionLabel = label; }

public slots:
    // Start-up placement: the monitor under the mouse pointer (at least 1), window state normal.
    void coverMonitorUnderCursor();
    // Monitor tools start-up: remembers the window's monitor and starts the report.
    void InitMonitorButton();
    // The next monitor keeping the window's size and offset (the tray's and settings' "Tukar Display").
    void switchMonitorsByMove();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void cmdSwitchMonitors_Click();
    void cmdCoverScreen_Click();
    void cmdForceOnscreen_Click();
    // DisplayTimer: the report while someone can see it; a hidden panel catches up when shown.
    void DisplayTimer_Timer();
    void ChgMonitorTimer_Timer();
    // A monitor came or went: keep the window on the desktop that is left and the choice in range.
    void monitorsChanged();

private:
    // The window's rectangle on the screen, frame included.
    Rect windowRect() const;
    // Puts the window's outer rectangle at r.
    void moveWindowToRect(const Rect& r);
    // Covers monitor index (0: the whole desktop), task bar included. An index that is not there
    // falls back to monitor 1 rather than shrinking the window to nothing.
    void CoverMonitor(int index);
    void ShowMonitorInfo();
    // The Tag text of cmdSwitchMonitors: the monitor the window was last sent to.
    QString tag() const;
    void setTag(int n);

    QPointer<QWidget> m_window;
    MMonitors m_monitors;
    QPointer<QLabel> m_resolutionLabel;
    bool m_reportStale = false;

    QPlainTextEdit* TextMonitor;
    QPushButton* cmdSwitchMonitors;
    QCheckBox* chkOverlap;
    QTimer* DisplayTimer;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/ProgramFolder.h"
#include "core/shutdown/ShutdownSchedule.h"
#include "gui/shutdown/FrmShutdownConfirm.h"

#include <QObject>
#include <QString>

class QWidget;

namespace tavrola {

class Clock;
class Shell;

// The daily shutdown check behind the clock window's `ShutDwn` timer: writes the clock's status
// displays and opens FrmShutdownConfirm modally on the first matching tick of the day.
class ShutdownScheduler : public QObject {
    Q_OBJECT
public:
    ShutdownScheduler(ProgramFolder folder, const Clock& clock, Shell& shell, QWidget* dialogParent = nullptr,
                      QObject* parent = nullptr);

    const ShutdownSchedule& schedule() const { return m_schedule; }

public slots:
    void ShutDwn_Timer();

signals:
    // The clock window's shut_tutup, Jamcount and lblLabel2, after every check.
    void statusShown(const QString& shutTutup, const QString& jamcount, const QString& statusLine);
    // tarikh_melayu_caption, as the dialog opens.
    void dateCaptionShown(const QString& caption);
    // ShutDwn off while the dialog is open, on again after a cancel, off for good on shutting down.
    void checksRunning(bool on);
    void trayIconRemovalRequested();
    // The computer is being switched off: end the program. Without a listener the event loops end.
    void programEndRequested();
    // The dialog is about to be shown modally (tests and the wiring may watch it).
    void dialogOpening(FrmShutdownConfirm* dialog);

private:
    ProgramFolder m_folder;
    const Clock& m_clock;
    Shell& m_shell;
    QWidget* m_dialogParent;
    ShutdownSchedule m_schedule;
};

} // namespace tavrola

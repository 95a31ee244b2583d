#pragma once

#include "core/config/ProgramFolder.h"
#include "core/shutdown/ShutdownSchedule.h"
#include "gui/shutdown/FrmShutdownConfirm.h"

#include <QObject>
#include <QString>

#include <functional>

class QTimer;
class QWidget;

namespace tavrola {

class Clock;
class Shell;

// Runs the daily shutdown check behind the clock window's `ShutDwn` timer and opens
// FrmShutdownConfirm modally on the first matching tick of the day.
class ShutdownScheduler : public QObject {
    Q_OBJECT
public:
    // The clock window's displays this check writes; any may be left empty.
    struct Displays {
        std::function<void(const QString&)> setShutTutup;   // shut_tutup
        std::function<void(const QString&)> setJamcount;    // Jamcount
        std::function<void(const QString&)> setStatusLine;  // lblLabel2
        std::function<void(const QString&)> setDateCaption; // tarikh_melayu_caption
    };

    // Connects to `ShutDwn` (which stays the clock window's timer) and gives it its 30-second interval.
    ShutdownScheduler(QTimer* ShutDwn, ProgramFolder folder, const Clock& clock, Shell& shell, Displays displays,
                      FrmShutdownConfirm::Hooks dialogHooks, QWidget* dialogParent = nullptr,
                      QObject* parent = nullptr);

    const ShutdownSchedule& schedule() const { return m_schedule; }

public slots:
    void ShutDwn_Timer();

signals:
    // The dialog is about to be shown modally (tests and the wiring may watch it).
    void dialogOpening(FrmShutdownConfirm* dialog);

private:
    QTimer* m_timer;
    ProgramFolder m_folder;
    const Clock& m_clock;
    Shell& m_shell;
    Displays m_displays;
    FrmShutdownConfirm::Hooks m_dialogHooks;
    QWidget* m_dialogParent;
    ShutdownSchedule m_schedule;
};

} // namespace tavrola

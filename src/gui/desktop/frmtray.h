#pragma once

#include "core/config/ProgramFolder.h"
#include "core/platform/Tray.h"

#include <QWidget>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace tavrola {

class Clock;
class Dialogs;
class Shell;

// The hidden window behind the notification-area icon: the icon, its menu, and the start-up chain
// that runs the first time the icon is needed.
class frmtray : public QWidget {
    Q_OBJECT
public:
    // What the menu and the load step reach outside this window; empty hooks do nothing, except
    // `quit`, which by default leaves the application's event loops.
    struct Hooks {
        std::function<void()> about;                // &About
        std::function<void()> settings;             // &Settings
        std::function<void()> noBackground;         // &Tiada Latar Belakang
        std::function<void()> nextDisplay;          // &Tukar Display
        std::function<void()> manualUpdateCheck;    // Semak &Kemaskini
        std::function<void()> automaticUpdateCheck; // tmrUpdateCheck, 15 s after loading
        std::function<void()> loadUpdater;          // load the data updater, unseen
        std::function<void()> showClock;            // show the clock window
        std::function<void()> quit;                 // end the program at once
    };

    frmtray(ProgramFolder folder, const Clock& clock, Dialogs& dialogs, Shell& shell, Tray& tray, Hooks hooks = {},
            QWidget* parent = nullptr);

    Hooks& hooks() { return m_hooks; }
    bool loaded() const { return m_loaded; }

    QLabel* Picture1;
    QTimer* tmrUpdateCheck;
    QMenu* mnuPopup;
    QAction* mnuabout;
    QAction* mnuShutdwn;
    QAction* mnusettings;
    QAction* mnuNoBG;
    QAction* mnutukardisplay;
    QAction* mnulamanweb;
    QAction* mnusemakkemaskini;
    QAction* mnu1;
    QAction* mnuexit;

public slots:
    // The load step; runs once, on the first LoadIcon.
    void Form_Load();
    // Adds the icon, loading this window first if needed. True when the icon is in the notification area.
    bool LoadIcon();
    void DelIcon();
    // The clock window's close: the program goes on, reachable from the icon.
    void hideClockToTray(QWidget* clockWindow);
    void trayClicked(TrayClick click);
    void popupMenu(const QPoint& globalPos);
    void tmrUpdateCheck_Timer();
    void mnulamanweb_Click();
    void mnuexit_Click();

private:
    void addIcon();
    QAction* item(const char* name, const QString& caption, std::function<void()> Hooks::*hook);

    ProgramFolder m_folder;
    const Clock& m_clock;
    Dialogs& m_dialogs;
    Shell& m_shell;
    Tray& m_tray;
    Hooks m_hooks;
    bool m_loaded = false;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/ProgramFolder.h"
#include "core/platform/Tray.h"

#include <QWidget>

class QAction;
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
    frmtray(ProgramFolder folder, const Clock& clock, Dialogs& dialogs, Shell& shell, Tray& tray,
            QWidget* parent = nullptr);

    bool loaded() const { return m_loaded; }

signals:
    // The menu's items and the load step's work outside this window.
    void aboutRequested();                  // &About
    void settingsRequested();               // &Settings
    void noBackgroundRequested();           // &Tiada Latar Belakang
    void nextDisplayRequested();            // &Tukar Display
    void updateCheckRequested(bool silent); // Semak &Kemaskini (not silent)
    void automaticUpdateCheckDue();         // tmrUpdateCheck, 15 s after loading
    void updaterLoadRequested();            // load the data updater, unseen
    void clockShowRequested();              // show the clock window
    // &Keluar: end the program at once. Without a listener the application's event loops end.
    void quitRequested();

public slots:
    // Adds the icon, loading this window first if needed. True when the icon is in the notification area.
    bool LoadIcon();
    void DelIcon();
    // The clock window's close: the program goes on, reachable from the icon.
    void hideClockToTray(QWidget* clockWindow);

private slots:
    // The load step; runs once, on the first LoadIcon.
    void Form_Load();
    void trayClicked(TrayClick click);
    void popupMenu(const QPoint& globalPos);
    void tmrUpdateCheck_Timer();
    void mnulamanweb_Click();
    void mnuexit_Click();

private:
    void addIcon();
    QAction* item(const char* name, const QString& caption);

    ProgramFolder m_folder;
    const Clock& m_clock;
    Dialogs& m_dialogs;
    Shell& m_shell;
    Tray& m_tray;
    bool m_loaded = false;

    QTimer* tmrUpdateCheck;
    QMenu* mnuPopup;
};

} // namespace tavrola

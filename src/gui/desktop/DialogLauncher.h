// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/ProgramFolder.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace tavrola {

class Clock;
class Dialogs;
class ModBackupINI;
class Shell;

// Opens the program's small modal windows when the menus ask for them: the About window over the
// clock, the backup and announcements' windows over the settings window.
class DialogLauncher : public QObject {
    Q_OBJECT
public:
    DialogLauncher(ProgramFolder folder, Shell& shell, const Clock& clock, ModBackupINI& backups, Dialogs& dialogs,
                   QObject* parent = nullptr);

    void setOwners(QWidget* aboutOwner, QWidget* backupsOwner);

public slots:
    void openAbout();
    void openBackups();
    void openAnnouncements();

private:
    ProgramFolder m_folder;
    Shell& m_shell;
    const Clock& m_clock;
    ModBackupINI& m_backups;
    Dialogs& m_dialogs;
    QPointer<QWidget> m_aboutOwner;
    QPointer<QWidget> m_backupsOwner;
};

} // namespace tavrola

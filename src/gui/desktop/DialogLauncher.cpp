// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/desktop/DialogLauncher.h"

#include "gui/announce/FrmPengumuman.h"
#include "gui/settings/frmBackupINI.h"
#include "gui/platform/LocalText.h"
#include "gui/update/frmAbout.h"

namespace tavrola {

DialogLauncher::DialogLauncher(ProgramFolder folder, Shell& shell, const Clock& clock, ModBackupINI& backups,
                               Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_shell(shell), m_clock(clock), m_backups(backups),
      m_dialogs(dialogs) {}

void DialogLauncher::setOwners(QWidget* aboutOwner, QWidget* backupsOwner) {
    m_aboutOwner = aboutOwner;
    m_backupsOwner = backupsOwner;
}

void DialogLauncher::openAbout() {
    frmAbout about(m_shell, m_clock, m_aboutOwner);
    about.showLogoFile(pathToQt(m_folder.root() / "logo" / "logo.gif"));
    about.exec();
}

void DialogLauncher::openBackups() {
    frmBackupINI backupWindow(m_backups, m_dialogs, m_backupsOwner);
    backupWindow.exec();
}

void DialogLauncher::openAnnouncements() {
    FrmPengumuman announcements(m_folder, m_clock, m_dialogs, m_backupsOwner);
    announcements.exec();
}

} // namespace tavrola

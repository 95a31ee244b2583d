// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <filesystem>
#include <vector>

class QLabel;
class QListWidget;

namespace tavrola {

class Dialogs;
class ModBackupINI;

// Lists the backups of setting.ini and takes, restores, deletes them or resets to defaults.
class frmBackupINI : public QDialog {
    Q_OBJECT
public:
    frmBackupINI(ModBackupINI& backups, Dialogs& dialogs, QWidget* parent = nullptr);

private slots:
    void cmdCreateBackup_Click();
    void cmdRestore_Click();
    void cmdDeleteBackup_Click();
    void cmdRestoreDefault_Click();
    void cmdRefresh_Click();

private:
    void LoadBackupList();
    // The selected backup's index, or -1 after telling the user why there is none.
    int selectedBackup(const char* nothingSelectedText);
    bool ask(const QString& question);
    void warn(const QString& text);
    void setStatus(const QString& text);

    ModBackupINI& m_backups;
    Dialogs& m_dialogs;

    QListWidget* lstBackups = nullptr;
    QLabel* lblStatus = nullptr;
    // Full paths of the listed backups; entry i of the list is BackupPaths[i] while i < BackupCount.
    std::vector<std::filesystem::path> BackupPaths;
    int BackupCount = 0;
};

} // namespace tavrola

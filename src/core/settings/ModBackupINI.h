// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/ProgramFolder.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tavrola {

class Clock;
class Dialogs;

// Time-stamped copies of setting.ini in the backup folder, restore, delete and reset to defaults.
// Messages go through the Dialogs service, titled with the application's title.
class ModBackupINI {
public:
    ModBackupINI(ProgramFolder folder, const Clock& clock, Dialogs& dialogs);

    // Writes the default file when setting.ini is missing; an existing file is never looked at.
    void CheckAndRestoreINI();
    // Copies setting.ini to backup/setting.ini.bak.yyyymmdd_hhmmss. Never shows a message.
    bool CreateBackup();
    // Full paths of the backups, oldest first (the names sort by their time stamp). An error while
    // listing gives an empty list and, when asked for, sets *failed.
    std::vector<std::filesystem::path> GetBackupList(bool* failed = nullptr) const;
    bool RestoreBackup(const std::filesystem::path& backup);
    bool DeleteBackup(const std::filesystem::path& backup);
    bool WriteDefaultINI();

    // The file name a backup taken at `now` gets.
    std::string backupNameFor(const struct DateTime& now) const;

private:
    void warn(const std::string& text);
    void inform(const std::string& text);

    ProgramFolder m_folder;
    const Clock& m_clock;
    Dialogs& m_dialogs;
};

} // namespace tavrola

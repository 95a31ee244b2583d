// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace tavrola {

// The program's own folder (the executable's directory, read-only once installed) and the folder
// that holds the files the program writes. A portable copy keeps both in one folder; an installed
// copy writes to the user's data folder instead (src/gui/platform/FolderPlacement decides).
class ProgramFolder {
public:
    explicit ProgramFolder(std::filesystem::path root) : m_root(root), m_data(std::move(root)) {}
    ProgramFolder(std::filesystem::path root, std::filesystem::path dataRoot)
        : m_root(std::move(root)), m_data(std::move(dataRoot)) {}

    // Read-only: fonts and artwork.
    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path fontsFolder() const { return m_root / "Fonts"; }

    // Written by the program.
    const std::filesystem::path& dataRoot() const { return m_data; }
    std::filesystem::path settingsFile() const { return m_data / "setting.ini"; }
    std::filesystem::path databaseFile() const { return m_data / "dbase" / "dbsolat.dat"; }
    // The zones' official yearly timetables the committee saved.
    std::filesystem::path officialTablesFolder() const { return m_data / "dbase" / "rasmi"; }
    std::filesystem::path backupFolder() const { return m_data / "backup"; }
    std::filesystem::path logFolder() const { return m_data / "log"; }
    // The announcements' list and pictures; made when the first one is added.
    std::filesystem::path announcementsFolder() const { return m_data / "pengumuman"; }

private:
    std::filesystem::path m_root;
    std::filesystem::path m_data;
};

} // namespace tavrola

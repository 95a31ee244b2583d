#pragma once

#include <filesystem>

namespace tavrola {

// The program's own folder (the executable's directory) and the files it keeps there.
class ProgramFolder {
public:
    explicit ProgramFolder(std::filesystem::path root) : m_root(std::move(root)) {}

    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path settingsFile() const { return m_root / "setting.ini"; }
    std::filesystem::path databaseFile() const { return m_root / "dbase" / "dbsolat.dat"; }
    std::filesystem::path backupFolder() const { return m_root / "backup"; }
    std::filesystem::path fontsFolder() const { return m_root / "Fonts"; }
    std::filesystem::path logFolder() const { return m_root / "log"; }

private:
    std::filesystem::path m_root;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ModBackupINI.h"

#include "core/files/AtomicFile.h"
#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"
#include "core/AppInfo.h"
#include "core/platform/Clock.h"
#include "core/platform/Dialogs.h"

#include <algorithm>

namespace tavrola {

namespace fs = std::filesystem;

namespace {
constexpr std::string_view kBackupPrefix = "setting.ini.bak.";

bool isBackupName(const std::string& name) {
    return name.size() >= kBackupPrefix.size() &&
           ini::equalsIgnoreCase(std::string_view(name).substr(0, kBackupPrefix.size()), kBackupPrefix);
}
} // namespace

ModBackupINI::ModBackupINI(ProgramFolder folder, const Clock& clock, Dialogs& dialogs)
    : m_folder(std::move(folder)), m_clock(clock), m_dialogs(dialogs) {}

void ModBackupINI::warn(const std::string& text) {
    m_dialogs.message(MessageIcon::Exclamation, app::kTitle, text);
}

void ModBackupINI::inform(const std::string& text) {
    m_dialogs.message(MessageIcon::Information, app::kTitle, text);
}

std::string ModBackupINI::backupNameFor(const DateTime& t) const {
    return std::string(kBackupPrefix) + pad(t.date.year, 4) + pad(t.date.month, 2) + pad(t.date.day, 2) + "_" +
           pad(t.hour, 2) + pad(t.minute, 2) + pad(t.second, 2);
}

void ModBackupINI::CheckAndRestoreINI() {
    std::error_code ec;
    const bool exists = fs::exists(m_folder.settingsFile(), ec);
    if (ec) {
        warn("Ralat dalam CheckAndRestoreINI: " + ec.message());
        return;
    }
    if (!exists)
        WriteDefaultINI();
}

bool ModBackupINI::CreateBackup() {
    std::error_code ec;
    const fs::path folder = m_folder.backupFolder();
    if (!fs::exists(folder, ec) && !ec)
        fs::create_directory(folder, ec);
    std::string bytes;
    if (!readWholeFile(m_folder.settingsFile(), bytes, ec))
        return false;
    const std::string name = backupNameFor(m_clock.now());
    // The temporary name must not look like a backup, or a crash would leave a bogus entry.
    return replaceFileAtomically(folder / name, folder / ("~" + name + ".tmp"), bytes, ec);
}

std::vector<fs::path> ModBackupINI::GetBackupList(bool* failed) const {
    if (failed)
        *failed = false;
    std::vector<fs::path> list;
    std::error_code ec;
    const fs::path folder = m_folder.backupFolder();
    if (!fs::is_directory(folder, ec))
        return list;
    fs::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_regular_file(typeEc) && isBackupName(it->path().filename().string()))
            list.push_back(folder / it->path().filename());
    }
    if (ec) {
        if (failed)
            *failed = true;
        return {};
    }
    std::sort(list.begin(), list.end());
    return list;
}

bool ModBackupINI::RestoreBackup(const fs::path& backup) {
    std::error_code ec;
    if (!fs::is_regular_file(backup, ec)) {
        warn("Fail sandaran tidak dijumpai: " + backup.string());
        return false;
    }
    std::string bytes;
    const fs::path target = m_folder.settingsFile();
    // The old file stays until the backup's copy is complete, then is replaced in one step.
    if (!readWholeFile(backup, bytes, ec) || !replaceFileAtomically(target, temporaryPathFor(target), bytes, ec)) {
        warn("Ralat: " + ec.message());
        return false;
    }
    if (!fs::exists(target, ec)) {
        warn("Gagal memulihkan fail setting.ini!");
        return false;
    }
    inform("Fail setting.ini telah dipulihkan dengan jayanya!");
    return true;
}

bool ModBackupINI::DeleteBackup(const fs::path& backup) {
    std::error_code ec;
    if (!fs::is_regular_file(backup, ec)) {
        warn("Fail sandaran tidak dijumpai!");
        return false;
    }
    if (!fs::remove(backup, ec) || ec) {
        warn("Gagal menghapus file: " + (ec ? ec.message() : std::string("file not found")));
        return false;
    }
    return true;
}

bool ModBackupINI::WriteDefaultINI() {
    std::error_code ec;
    const fs::path target = m_folder.settingsFile();
    // The old file stays until the new one is complete.
    if (!replaceFileAtomically(target, temporaryPathFor(target), defaultSettingsText(), ec)) {
        warn("Ralat semasa membuat fail lalai: " + ec.message());
        return false;
    }
    inform("Fail setting.ini telah dimulihkan!");
    return true;
}

} // namespace tavrola

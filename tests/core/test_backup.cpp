// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/AtomicFile.h"
#include "core/settings/ModBackupINI.h"
#include "core/settings/SettingsSchema.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

using namespace tavrola;
using fakes::readBytes;
using fakes::writeBytes;
namespace fs = std::filesystem;

namespace {

class BackupTest : public ::testing::Test {
protected:
    fakes::TempDir m_dir;
    ProgramFolder m_folder{m_dir.path()};
    fakes::FakeClock m_clock{DateTime{{2026, 12, 5}, 7, 25, 28, 0}};
    fakes::FakeDialogs m_dialogs;
    ModBackupINI m_backups{m_folder, m_clock, m_dialogs};
};

} // namespace

TEST_F(BackupTest, FirstLoadWithNothingWritesDefaultsButExistingSettingsAreNeverLookedAt) {
    m_backups.CheckAndRestoreINI();
    ASSERT_TRUE(m_backups.CreateBackup());
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_EQ(m_dialogs.shown[0].text, "Fail setting.ini telah dimulihkan!");
    EXPECT_EQ(m_dialogs.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(m_dialogs.shown[0].title, "Tavrola");
    EXPECT_EQ(readBytes(m_folder.settingsFile()), defaultSettingsText());
    const auto list = m_backups.GetBackupList();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], m_folder.backupFolder() / "setting.ini.bak.20261205_072528");
    EXPECT_EQ(readBytes(list[0]), defaultSettingsText());

    writeBytes(m_folder.settingsFile(), "garbage");
    m_backups.CheckAndRestoreINI();
    EXPECT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_EQ(readBytes(m_folder.settingsFile()), "garbage");
}

TEST_F(BackupTest, BackupsInTheSameSecondShareOneFileListOldestFirstAndNeverSpeak) {
    EXPECT_FALSE(m_backups.CreateBackup()) << "no setting.ini";
    writeBytes(m_folder.settingsFile(), "one");
    ASSERT_TRUE(m_backups.CreateBackup());
    writeBytes(m_folder.settingsFile(), "two");
    ASSERT_TRUE(m_backups.CreateBackup());
    m_clock.set(2026, 12, 4, 23, 59, 59);
    ASSERT_TRUE(m_backups.CreateBackup());
    writeBytes(m_folder.backupFolder() / "notes.txt", "x");
    writeBytes(m_folder.backupFolder() / "setting.ini.bak.old", "hand");

    const auto list = m_backups.GetBackupList();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].filename(), "setting.ini.bak.20261204_235959");
    EXPECT_EQ(list[1].filename(), "setting.ini.bak.20261205_072528");
    EXPECT_EQ(list[2].filename(), "setting.ini.bak.old");
    EXPECT_EQ(readBytes(list[1]), "two");

    // Nowhere to put it: a file stands where the folder should be.
    fs::remove_all(m_folder.backupFolder());
    writeBytes(m_folder.backupFolder(), "a file where the folder should be");
    EXPECT_FALSE(m_backups.CreateBackup());
    EXPECT_TRUE(m_backups.GetBackupList().empty());
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(BackupTest, RestoreResetAndDeleteReplaceTheSettingsAndSaySo) {
    writeBytes(m_folder.settingsFile(), "old");
    ASSERT_TRUE(m_backups.CreateBackup());
    const fs::path backup = m_backups.GetBackupList().at(0);
    writeBytes(m_folder.settingsFile(), "changed");
    ASSERT_TRUE(m_backups.RestoreBackup(backup));
    EXPECT_EQ(readBytes(m_folder.settingsFile()), "old");
    EXPECT_EQ(m_dialogs.texts().back(), "Fail setting.ini telah dipulihkan dengan jayanya!");
    EXPECT_EQ(m_dialogs.shown.back().icon, MessageIcon::Information);

    ASSERT_TRUE(m_backups.WriteDefaultINI());
    EXPECT_EQ(readBytes(m_folder.settingsFile()), defaultSettingsText());
    EXPECT_EQ(m_dialogs.texts().back(), "Fail setting.ini telah dimulihkan!");

    const std::size_t said = m_dialogs.shown.size();
    EXPECT_TRUE(m_backups.DeleteBackup(backup));
    EXPECT_EQ(m_dialogs.shown.size(), said);
    EXPECT_FALSE(m_backups.DeleteBackup(backup));
    EXPECT_EQ(m_dialogs.texts().back(), "Fail sandaran tidak dijumpai!");
    EXPECT_TRUE(m_backups.GetBackupList().empty());
}

TEST_F(BackupTest, AVanishedBackupOrAFailedRestoreOrResetKeepsTheOldSettings) {
    writeBytes(m_folder.settingsFile(), "current");
    const fs::path gone = m_folder.backupFolder() / "setting.ini.bak.20260101_000000";
    EXPECT_FALSE(m_backups.RestoreBackup(gone));
    EXPECT_EQ(m_dialogs.texts().back(), "Fail sandaran tidak dijumpai: " + gone.string());
    EXPECT_EQ(m_dialogs.shown.back().icon, MessageIcon::Exclamation);

    ASSERT_TRUE(m_backups.CreateBackup());
    AtomicFileTestHooks::failReplace = [](const fs::path&) { return true; };
    const bool restored = m_backups.RestoreBackup(m_backups.GetBackupList().at(0));
    const bool reset = m_backups.WriteDefaultINI();
    AtomicFileTestHooks::failReplace = nullptr;
    EXPECT_FALSE(restored);
    EXPECT_FALSE(reset);
    ASSERT_EQ(m_dialogs.shown.size(), 3u);
    EXPECT_EQ(m_dialogs.shown[1].text.rfind("Ralat: ", 0), 0u);
    EXPECT_EQ(m_dialogs.shown[2].text.rfind("Ralat semasa membuat fail lalai: ", 0), 0u);
    EXPECT_EQ(readBytes(m_folder.settingsFile()), "current");
}

#include "core/config/ModBackupINI.h"
#include "core/config/SettingsSchema.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/TempDir.h"
#include "gui/config/frmBackupINI.h"

#include <QLabel>
#include <QListWidget>
#include <QtTest>

using namespace tavrola;

class TestFrmBackupINI : public QObject {
    Q_OBJECT

    struct Rig {
        fakes::TempDir dir;
        ProgramFolder folder{dir.path()};
        fakes::FakeClock clock{DateTime{{2026, 12, 5}, 7, 25, 28, 0}};
        fakes::FakeDialogs dialogs;
        ModBackupINI backups{folder, clock, dialogs};
    };

    static QStringList entries(const frmBackupINI& w) {
        QStringList out;
        for (int i = 0; i < w.lstBackups->count(); ++i)
            out << w.lstBackups->item(i)->text();
        return out;
    }
    static void select(frmBackupINI& w, int row) { w.lstBackups->setCurrentRow(row); }

private slots:
    void placeholderEntryIsNotABackup() {
        Rig r;
        frmBackupINI w(r.backups, r.dialogs);
        QCOMPARE(w.windowTitle(), QString("PENGURUSAN SANDARAN SETTING.INI"));
        QCOMPARE(entries(w), QStringList{"(Tiada sandaran)"});
        QCOMPARE(w.BackupCount, 0);

        w.cmdRestore_Click();
        QCOMPARE(r.dialogs.texts().back(), std::string("Sila pilih satu sandaran untuk dipulihkan!"));
        w.cmdDeleteBackup_Click();
        QCOMPARE(r.dialogs.texts().back(), std::string("Sila pilih satu sandaran untuk dihapus!"));
        select(w, 0);
        w.cmdRestore_Click();
        QCOMPARE(r.dialogs.texts().back(), std::string("Pilihan sandaran tidak sah!"));
        w.cmdDeleteBackup_Click();
        QCOMPARE(r.dialogs.texts().back(), std::string("Pilihan sandaran tidak sah!"));
        for (const auto& s : r.dialogs.shown)
            QVERIFY(s.buttons == MessageButtons::Ok); // nothing was asked
        QCOMPARE(w.lblStatus->text(), QString("Status: Sedia"));
    }

    void createThenDeleteUpdatesTheList() {
        Rig r;
        fakes::writeBytes(r.folder.settingsFile(), defaultSettingsText());
        frmBackupINI w(r.backups, r.dialogs);
        w.cmdCreateBackup_Click();
        QCOMPARE(w.lblStatus->text(), QString("Status: Sandaran berjaya dibuat!"));
        QCOMPARE(entries(w), QStringList{"setting.ini.bak.20261205_072528"});

        select(w, 0);
        w.cmdDeleteBackup_Click();
        QCOMPARE(
            r.dialogs.shown.back().text,
            std::string("Adakah anda pasti ingin menghapus sandaran ini?\r\nsetting.ini.bak.20261205_072528"));
        QVERIFY(r.dialogs.shown.back().icon == MessageIcon::Question);
        QCOMPARE(w.lblStatus->text(), QString("Status: Sandaran dihapus!"));
        QCOMPARE(entries(w), QStringList{"(Tiada sandaran)"});

        // TAVROLA_SCREENSHOT=file.png keeps a picture of the window with two backups listed.
        if (const QString shot = qEnvironmentVariable("TAVROLA_SCREENSHOT"); !shot.isEmpty()) {
            QVERIFY(r.backups.CreateBackup());
            r.clock.set(2026, 12, 6, 8, 0, 0);
            QVERIFY(r.backups.CreateBackup());
            w.cmdRefresh_Click();
            w.lstBackups->setCurrentRow(1);
            w.show();
            QVERIFY(w.grab().save(shot));
        }
    }

    void createWithoutSettingsFails() {
        Rig r;
        frmBackupINI w(r.backups, r.dialogs);
        w.cmdCreateBackup_Click();
        QCOMPARE(w.lblStatus->text(), QString("Status: Gagal membuat sandaran!"));
        QCOMPARE(r.dialogs.texts().back(), std::string("Gagal membuat sandaran. Pastikan setting.ini wujud."));
    }

    void answeringNoChangesNothing() {
        Rig r;
        fakes::writeBytes(r.folder.settingsFile(), "mine");
        QVERIFY(r.backups.CreateBackup());
        frmBackupINI w(r.backups, r.dialogs);
        w.cmdRefresh_Click();
        QCOMPARE(w.lblStatus->text(), QString("Status: Senarai disegarkan"));
        fakes::writeBytes(r.folder.settingsFile(), "changed");
        select(w, 0);
        r.dialogs.answers = {DialogAnswer::No, DialogAnswer::No, DialogAnswer::No};
        w.cmdRestore_Click();
        w.cmdDeleteBackup_Click();
        w.cmdRestoreDefault_Click();
        QCOMPARE(r.dialogs.shown.size(), std::size_t(3));
        QCOMPARE(w.lblStatus->text(), QString("Status: Senarai disegarkan"));
        QCOMPARE(fakes::readBytes(r.folder.settingsFile()), std::string("changed"));
        QCOMPARE(r.backups.GetBackupList().size(), std::size_t(1));
    }

    void restoreAndResetReportTheirOutcome() {
        Rig r;
        fakes::writeBytes(r.folder.settingsFile(), "saved");
        QVERIFY(r.backups.CreateBackup());
        fakes::writeBytes(r.folder.settingsFile(), "changed");
        frmBackupINI w(r.backups, r.dialogs);
        select(w, 0);
        w.cmdRestore_Click();
        QCOMPARE(w.lblStatus->text(), QString("Status: Pulihan berjaya!"));
        QCOMPARE(fakes::readBytes(r.folder.settingsFile()), std::string("saved"));

        w.cmdRestoreDefault_Click();
        QCOMPARE(r.dialogs.shown[r.dialogs.shown.size() - 2].text,
                 std::string("Adakah anda pasti ingin tungkus semula setting.ini ke nilai lalai?\r\n"
                             "Semua konfigurasi semasa akan kehilangan!"));
        QCOMPARE(w.lblStatus->text(), QString("Status: Tungkus semula berjaya!"));
        QCOMPARE(fakes::readBytes(r.folder.settingsFile()), defaultSettingsText());
        QCOMPARE(entries(w).size(), 1); // the list is left as it was
    }

    void restoringABackupDeletedMeanwhileFails() {
        Rig r;
        fakes::writeBytes(r.folder.settingsFile(), "current");
        QVERIFY(r.backups.CreateBackup());
        frmBackupINI w(r.backups, r.dialogs);
        const auto path = w.BackupPaths.at(0);
        std::filesystem::remove(path);
        select(w, 0);
        w.cmdRestore_Click();
        QCOMPARE(r.dialogs.texts().back(), "Fail sandaran tidak dijumpai: " + path.string());
        QCOMPARE(w.lblStatus->text(), QString("Status: Gagal memulihkan!"));
        QCOMPARE(fakes::readBytes(r.folder.settingsFile()), std::string("current"));
    }
};

QTEST_MAIN(TestFrmBackupINI)
#include "tst_frm_backup_ini.moc"

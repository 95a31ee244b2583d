// SPDX-License-Identifier: GPL-3.0-or-later
// The about window, the backup window and the update check with its window.
#include "core/settings/ModBackupINI.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeHttpClient.h"
#include "fakes/FakeShell.h"
#include "fakes/TempDir.h"
#include "gui/settings/frmBackupINI.h"
#include "gui/update/FrmAutoUpdate.h"
#include "gui/update/ModAutoUpdate.h"
#include "gui/update/frmAbout.h"
#include "support/LayoutCheck.h"
#include "support/QtTestRegistry.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace tavrola;

namespace {

// Manifests are written with ' for " to keep them readable.
std::string J(std::string s) {
    std::replace(s.begin(), s.end(), '\'', '"');
    return s;
}
const std::string kNewer =
    J("{'version': '2.0.28', 'download': 'https://dl.example.com/tavrola', 'changes': 'Baiki jam'}");

struct UpdateRig {
    fakes::TempDir dir;
    fakes::FakeHttpClient http;
    fakes::FakeShell shell;
    fakes::FakeDialogs dialogs;
    fakes::FakeClock clock{DateTime{{2026, 12, 6}, 21, 5, 9, 0}};
    std::unique_ptr<ModAutoUpdate> mod =
        std::make_unique<ModAutoUpdate>(http, shell, dialogs, clock, ini(), "upd.example.com");
    std::filesystem::path ini() const { return dir / "setting.ini"; }
};

struct BackupRig {
    fakes::TempDir dir;
    ProgramFolder folder{dir.path()};
    fakes::FakeClock clock{DateTime{{2026, 12, 5}, 7, 25, 28, 0}};
    fakes::FakeDialogs dialogs;
    ModBackupINI backups{folder, clock, dialogs};
    frmBackupINI w{backups, dialogs};
    QListWidget* list = w.findChild<QListWidget*>("lstBackups");
    QStringList entries() const {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
};

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void aboutTypesItsTextAndOpensItsLinks() {
        fakes::FakeShell shell;
        fakes::FakeClock clock;
        frmAbout w(shell, clock, "AB", "https://maker.example.com/", "hubungi@example.com");
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TAVROLA_VERIFY_LAYOUT(&w);
        QTRY_COMPARE(w.findChild<QLabel*>("lblInfo")->text(), QString("AB")); // one character a tick,
        QTRY_VERIFY(!w.findChild<QTimer*>("Timer1")->isActive());             // then it stops
        w.findChild<QPushButton*>("cmdWeb")->click();
        w.findChild<QPushButton*>("cmdEmail")->click();
        QCOMPARE(shell.opened,
                 (std::vector<std::string>{"https://maker.example.com/", "mailto:hubungi@example.com"}));
    }

    void backupWindowRefusesThePlaceholderAndAsksFirst() {
        BackupRig r;
        QCOMPARE(r.entries(), QStringList{"(Tiada sandaran)"});
        r.list->setCurrentRow(0);
        r.w.findChild<QPushButton*>("cmdRestore")->click();
        r.w.findChild<QPushButton*>("cmdDeleteBackup")->click();
        QCOMPARE(r.dialogs.texts(),
                 (std::vector<std::string>{"Pilihan sandaran tidak sah!", "Pilihan sandaran tidak sah!"}));
        r.w.findChild<QPushButton*>("cmdCreateBackup")->click(); // no setting.ini yet
        QCOMPARE(r.w.findChild<QLabel*>("lblStatus")->text(), QString("Status: Gagal membuat sandaran!"));

        fakes::writeBytes(r.folder.settingsFile(), "saved");
        r.w.findChild<QPushButton*>("cmdCreateBackup")->click();
        QCOMPARE(r.entries(), QStringList{"setting.ini.bak.20261205_072528"});
        fakes::writeBytes(r.folder.settingsFile(), "changed");
        r.list->setCurrentRow(0);
        r.w.findChild<QPushButton*>("cmdRestore")->click();
        QCOMPARE(fakes::readBytes(r.folder.settingsFile()), std::string("saved"));
        r.w.findChild<QPushButton*>("cmdDeleteBackup")->click();
        QCOMPARE(r.entries(), QStringList{"(Tiada sandaran)"});
        r.w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.w));
        TAVROLA_VERIFY_LAYOUT(&r.w);
    }

    // Which replies are usable is UpdateCheck's (core); the window side: told only when asked.
    void failedCheckIsToldOnlyWhenAsked() {
        for (const bool silent : {false, true}) {
            UpdateRig r;
            r.mod->CheckForUpdates(silent);
            QVERIFY(r.http.fail(HttpResponse::Error::Timeout, "x"));
            QVERIFY(!r.mod->updateWindow());
            const std::string failed = "Tidak dapat menyemak kemaskini. Sila pastikan internet bersambung.";
            QCOMPARE(r.dialogs.texts(), silent ? std::vector<std::string>{} : std::vector<std::string>{failed});
        }
    }

    void updateCheckUpToDateSharesOneRequest() {
        UpdateRig r;
        QVERIFY(r.mod->CheckForUpdates(true));
        QVERIFY(!r.mod->CheckForUpdates(false));          // joins the one waiting
        QCOMPARE(r.http.requests.size(), std::size_t(1)); // its address and "newer" are UpdateCheck's (core)
        QVERIFY(r.http.reply(200, J("{'version': '2.0.9'}")));
        QCOMPARE(r.dialogs.texts(), std::vector<std::string>{"Anda menggunakan versi terkini (2.0.27)."});
        QVERIFY(!r.mod->updateWindow());
        r.mod->CheckForUpdates(false);
        r.mod.reset(); // destroyed while waiting: the request is withdrawn
        QCOMPARE(r.http.cancelled, 1);
    }

    void newerVersionOpensTheWindowAndItsDownloadPage() {
        UpdateRig r;
        r.mod->CheckForUpdates(true);
        QVERIFY(r.http.reply(200, kNewer));
        QPointer<FrmAutoUpdate> w = r.mod->updateWindow();
        QVERIFY(w && w->isVisible() && w->isModal());
        QVERIFY(QTest::qWaitForWindowExposed(w.data()));
        TAVROLA_VERIFY_LAYOUT(w.data());
        w->findChild<QPushButton*>("cmdDownload")->click();
        QCOMPARE(r.shell.opened, std::vector<std::string>{"https://dl.example.com/tavrola?v=2.0.28"});
        TAVROLA_TRY_VERIFY(!w);
        r.mod->CheckForUpdates(true); // a failed fetch keeps the last manifest
        QVERIFY(r.http.reply(503, J("{'version':'9.9','download':'https://evil/'}")));
        QCOMPARE(r.mod->DownloadUrl(), std::string("https://dl.example.com/tavrola"));
    }
};

TAVROLA_QTEST(TestDialogs)
#include "tst_dialogs.moc"

// The about window, the backup window and the update check with its window.
#include "core/config/IniFile.h"
#include "core/config/ModBackupINI.h"
#include "core/config/SettingsSchema.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeHttpClient.h"
#include "fakes/FakeShell.h"
#include "fakes/TempDir.h"
#include "gui/config/frmBackupINI.h"
#include "gui/update/FrmAutoUpdate.h"
#include "gui/update/ModAutoUpdate.h"
#include "gui/update/frmAbout.h"
#include "support/LayoutCheck.h"
#include "support/QtTestRegistry.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
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
    std::string lastCheck() const { return GetFromINI("UPDATE", "LASTCHECK", "", ini()); }
};

struct BackupRig {
    fakes::TempDir dir;
    ProgramFolder folder{dir.path()};
    fakes::FakeClock clock{DateTime{{2026, 12, 5}, 7, 25, 28, 0}};
    fakes::FakeDialogs dialogs;
    ModBackupINI backups{folder, clock, dialogs};
    frmBackupINI w{backups, dialogs};
    QStringList entries() const {
        QStringList out;
        for (int i = 0; i < w.lstBackups->count(); ++i)
            out << w.lstBackups->item(i)->text();
        return out;
    }
};

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void aboutTypesOneCharacterPerTickAndRestartsWhenReopened() {
        fakes::FakeShell shell;
        fakes::FakeClock clock;
        frmAbout w(shell, clock, "AB\r\nC", "https://maker.example.com/", "hubungi@example.com");
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TAVROLA_VERIFY_LAYOUT(&w);
        w.Timer1->stop(); // ticks by hand; a line break takes two
        for (const char* e : {"A", "AB", "AB", "AB\n", "AB\nC"}) {
            w.Timer1_Timer();
            QCOMPARE(w.lblInfo->text(), QString(e));
        }
        w.Timer1->start();
        w.Timer1_Timer(); // past the end: stops
        QVERIFY(!w.Timer1->isActive());
        w.cmdOK->click();
        w.show();
        QCOMPARE(w.lblInfo->text(), QString());
        QVERIFY(w.Timer1->isActive());
        w.close();
        QVERIFY(!w.Timer1->isActive());
        w.cmdWeb->click();
        w.cmdEmail->click();
        QCOMPARE(shell.opened,
                 (std::vector<std::string>{"https://maker.example.com/", "mailto:hubungi@example.com"}));
    }

    void backupWindowRefusesThePlaceholderAndAsksFirst() {
        BackupRig r;
        QCOMPARE(r.entries(), QStringList{"(Tiada sandaran)"});
        r.w.lstBackups->setCurrentRow(0);
        r.w.cmdRestore_Click();
        r.w.cmdDeleteBackup_Click();
        QCOMPARE(r.dialogs.texts(),
                 (std::vector<std::string>{"Pilihan sandaran tidak sah!", "Pilihan sandaran tidak sah!"}));
        r.w.cmdCreateBackup_Click();
        QCOMPARE(r.w.lblStatus->text(), QString("Status: Gagal membuat sandaran!")); // no setting.ini yet

        fakes::writeBytes(r.folder.settingsFile(), "saved");
        r.w.cmdCreateBackup_Click();
        QCOMPARE(r.entries(), QStringList{"setting.ini.bak.20261205_072528"});
        fakes::writeBytes(r.folder.settingsFile(), "changed");
        r.w.lstBackups->setCurrentRow(0);
        r.dialogs.answers = {DialogAnswer::No, DialogAnswer::No, DialogAnswer::No};
        r.w.cmdRestore_Click();
        r.w.cmdDeleteBackup_Click();
        r.w.cmdRestoreDefault_Click();
        QCOMPARE(fakes::readBytes(r.folder.settingsFile()), std::string("changed"));
        QCOMPARE(r.entries().size(), 1);
        r.w.cmdRestore_Click(); // answered yes
        QCOMPARE(fakes::readBytes(r.folder.settingsFile()), std::string("saved"));
        r.w.cmdDeleteBackup_Click();
        QCOMPARE(r.entries(), QStringList{"(Tiada sandaran)"});
        r.w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.w));
        TAVROLA_VERIFY_LAYOUT(&r.w);
    }

    void backupWindowRestoringABackupDeletedMeanwhileFails() {
        BackupRig r;
        fakes::writeBytes(r.folder.settingsFile(), "current");
        r.w.cmdCreateBackup_Click();
        std::filesystem::remove(r.w.BackupPaths.at(0));
        r.w.lstBackups->setCurrentRow(0);
        r.w.cmdRestore_Click();
        QCOMPARE(r.w.lblStatus->text(), QString("Status: Gagal memulihkan!"));
        QCOMPARE(fakes::readBytes(r.folder.settingsFile()), std::string("current"));
    }

    void updateCheckFailures_data() {
        QTest::addColumn<int>("status"); // 0: the request fails with `error`
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("body");
        const int none = int(HttpResponse::Error::None);
        QTest::newRow("404") << 404 << none << QString::fromStdString(kNewer);
        QTest::newRow("unreachable") << 0 << int(HttpResponse::Error::Network) << QString();
        QTest::newRow("timeout") << 0 << int(HttpResponse::Error::Timeout) << QString();
        QTest::newRow("huge body refused") << 0 << int(HttpResponse::Error::TooLarge) << QString();
        QTest::newRow("no version") << 200 << none << QString::fromStdString(J("{'download': 'https://d/'}"));
        QTest::newRow("version not a string") << 200 << none << QString::fromStdString(J("{'version': 2.1}"));
        QTest::newRow("not json") << 200 << none << QString("<html>Not here</html>");
    }
    void updateCheckFailures() {
        QFETCH(int, status);
        QFETCH(int, error);
        QFETCH(QString, body);
        for (const bool silent : {false, true}) {
            UpdateRig r;
            r.mod->CheckForUpdates(silent);
            QVERIFY(status ? r.http.reply(status, body.toStdString())
                           : r.http.fail(HttpResponse::Error(error), "x"));
            QVERIFY(!r.mod->updateWindow());
            QCOMPARE(r.dialogs.texts(),
                     silent ? std::vector<std::string>{}
                            : std::vector<std::string>{
                                  "Tidak dapat menyemak kemaskini. Sila pastikan internet bersambung."});
        }
    }

    void updateCheckUpToDateSharesOneRequest() {
        UpdateRig r;
        QVERIFY(r.mod->CheckForUpdates(true));
        QVERIFY(!r.mod->CheckForUpdates(false)); // joins the one waiting
        QCOMPARE(r.http.requests.size(), std::size_t(1));
        QCOMPARE(r.http.requests[0].url,
                 std::string("https://upd.example.com/aplikasi-2026/Tavrola_v2.0/latest.json"));
        QVERIFY(r.http.reply(200, J("{'version': '2.0.9'}"))); // older is not newer
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
        QTRY_VERIFY(!w);
        r.mod->CheckForUpdates(true); // a failed fetch keeps the last manifest
        QVERIFY(r.http.reply(503, J("{'version':'9.9','download':'https://evil/'}")));
        QCOMPARE(r.mod->DownloadUrl(), std::string("https://dl.example.com/tavrola"));
    }

    void downloadAddressChoices_data() {
        QTest::addColumn<QString>("manifest");
        QTest::addColumn<QString>("opened"); // empty: nothing opened, "Tiada URL muat turun."
        const auto q = [](const char* s) { return QString::fromStdString(J(s)); };
        QTest::newRow("url only") << q("{'version':'2.0.28','url':'https://u.example.com/p'}")
                                  << "https://u.example.com/p?v=2.0.28";
        QTest::newRow("$download wins")
            << q("{'$version':'2.0.30','version':'2.0.28','download':'https://a/','$Download':'https://b/'}")
            << "https://b/?v=2.0.30";
        QTest::newRow("neither address") << q("{'version':'2.0.28'}") << "";
        QTest::newRow("local program")
            << q("{'version':'2.0.28','download':'C:\\\\Windows\\\\System32\\\\calc.exe'}") << "";
    }
    void downloadAddressChoices() {
        QFETCH(QString, manifest);
        QFETCH(QString, opened);
        UpdateRig r;
        r.mod->CheckForUpdates(false);
        QVERIFY(r.http.reply(200, manifest.toStdString()));
        QVERIFY(r.mod->updateWindow());
        r.mod->updateWindow()->cmdDownload_Click();
        if (opened.isEmpty()) {
            QVERIFY(r.shell.opened.empty());
            QCOMPARE(r.dialogs.texts(), std::vector<std::string>{"Tiada URL muat turun."});
        } else {
            QCOMPARE(r.shell.opened, std::vector<std::string>{opened.toStdString()});
        }
    }

    void automaticCheckRunsOnceAndNeverWhenOff() {
        UpdateRig r;
        QVERIFY(r.mod->RunAutomaticCheck());
        QCOMPARE(r.lastCheck(), std::string("06/12/2026 21:05:09"));
        QVERIFY(r.http.reply(200, J("{'version':'2.0.27'}")));
        QVERIFY(r.dialogs.shown.empty()); // silent
        r.clock.set(2026, 12, 6, 22, 0, 0);
        QVERIFY(!r.mod->RunAutomaticCheck());
        QCOMPARE(r.http.requests.size(), std::size_t(1));
        for (const char* off : {"off", "OFF", "Off"}) {
            UpdateRig o;
            const std::string text = std::string("[UPDATE]\r\nAUTOCHECK=") + off + "\r\n";
            fakes::writeBytes(o.ini(), text);
            QVERIFY(!o.mod->RunAutomaticCheck());
            QVERIFY(o.http.requests.empty());
            QCOMPARE(fakes::readBytes(o.ini()), text);
        }
    }
};

TAVROLA_QTEST(TestDialogs)
#include "tst_dialogs.moc"

#include "core/config/IniFile.h"
#include "core/update/UpdateCheck.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeHttpClient.h"
#include "fakes/FakeShell.h"
#include "fakes/TempDir.h"
#include "gui/update/FrmAutoUpdate.h"
#include "gui/update/ModAutoUpdate.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace tavrola;
using fakes::FakeDialogs;
using fakes::FakeHttpClient;

namespace {

// Manifests are written with ' for " to keep them readable.
std::string J(std::string s) {
    for (char& c : s)
        if (c == '\'')
            c = '"';
    return s;
}

QString QJ(const std::string& s) {
    return QString::fromStdString(J(s));
}

const std::string kNewer =
    J("{'version': '2.0.28', 'download': 'https://dl.example.com/tavrola', 'changes': 'Baiki jam'}");

class RefusingShell : public fakes::FakeShell {
public:
    bool openAddress(const std::string& address) override {
        FakeShell::openAddress(address);
        return false;
    }
};

struct Rig {
    fakes::TempDir dir;
    FakeHttpClient http;
    fakes::FakeShell shell;
    FakeDialogs dialogs;
    fakes::FakeClock clock{DateTime{{2026, 12, 6}, 21, 5, 9, 0}};
    std::unique_ptr<ModAutoUpdate> mod;

    explicit Rig(Shell* otherShell = nullptr)
        : mod(std::make_unique<ModAutoUpdate>(http, otherShell ? *otherShell : shell, dialogs, clock,
                                              dir / "setting.ini", "upd.example.com")) {}

    std::filesystem::path ini() const { return dir / "setting.ini"; }
};

} // namespace

class TestAutoUpdate : public QObject {
    Q_OBJECT
private slots:
    void manualCheckAsksForTheManifestWithoutWaiting() {
        Rig r;
        QVERIFY(r.mod->CheckForUpdates(false));
        // Nothing is answered until the reply arrives: the caller is never held up.
        QVERIFY(r.dialogs.shown.empty());
        QVERIFY(r.mod->checkPending());
        QCOMPARE(r.http.requests.size(), std::size_t(1));
        QCOMPARE(r.http.requests[0].url,
                 std::string("https://upd.example.com/aplikasi-2026/Tavrola_v2.0/latest.json"));
        QVERIFY(r.http.requests[0].maxBodyBytes <= update::kManifestMaxBytes);
    }

    void manualCheckUpToDate() {
        Rig r;
        QSignalSpy finished(r.mod.get(), &ModAutoUpdate::checkFinished);
        r.mod->CheckForUpdates(false);
        r.http.reply(200, J("{'version': '2.0.27', 'download': 'https://dl.example.com/'}"));
        QCOMPARE(r.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(r.dialogs.shown[0].icon, MessageIcon::Information);
        QCOMPARE(r.dialogs.shown[0].title, std::string("Kemaskini"));
        QCOMPARE(r.dialogs.shown[0].text, std::string("Anda menggunakan versi terkini (2.0.27)."));
        QVERIFY(!r.mod->updateWindow());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished[0][0].toBool(), false);
        // An older published version is not an update either.
        r.mod->CheckForUpdates(false);
        r.http.reply(200, J("{'version': '2.0.9'}"));
        QCOMPARE(r.dialogs.shown.back().text, std::string("Anda menggunakan versi terkini (2.0.27)."));
    }

    void manualCheckFailures_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("body");
        const int none = int(HttpResponse::Error::None);
        QTest::newRow("404") << 404 << none << QString::fromStdString(kNewer);
        QTest::newRow("500") << 500 << none << QString::fromStdString(kNewer);
        QTest::newRow("unreachable") << 0 << int(HttpResponse::Error::Network) << QString();
        QTest::newRow("timeout") << 0 << int(HttpResponse::Error::Timeout) << QString();
        QTest::newRow("huge body refused") << 0 << int(HttpResponse::Error::TooLarge) << QString();
        QTest::newRow("no version") << 200 << none << QJ("{'download': 'https://dl.example.com/'}");
        QTest::newRow("version not a string") << 200 << none << QJ("{'version': 2.1}");
        QTest::newRow("not json") << 200 << none << QString("<html>Not here</html>");
        QTest::newRow("empty") << 200 << none << QString();
    }
    void manualCheckFailures() {
        QFETCH(int, status);
        QFETCH(int, error);
        QFETCH(QString, body);
        for (const bool silent : {false, true}) {
            Rig r;
            r.mod->CheckForUpdates(silent);
            if (error == int(HttpResponse::Error::None))
                r.http.reply(status, body.toStdString());
            else
                r.http.fail(HttpResponse::Error(error), "no route");
            QVERIFY(!r.mod->updateWindow());
            if (silent) {
                QVERIFY(r.dialogs.shown.empty());
            } else {
                QCOMPARE(r.dialogs.shown.size(), std::size_t(1));
                QCOMPARE(r.dialogs.shown[0].icon, MessageIcon::Exclamation);
                QCOMPARE(r.dialogs.shown[0].title, std::string("Kemaskini"));
                QCOMPARE(r.dialogs.shown[0].text,
                         std::string("Tidak dapat menyemak kemaskini. Sila pastikan internet bersambung."));
            }
        }
    }

    void newerVersionOpensTheUpdateWindow() {
        for (const bool silent : {false, true}) {
            Rig r;
            QSignalSpy finished(r.mod.get(), &ModAutoUpdate::checkFinished);
            r.mod->CheckForUpdates(silent);
            r.http.reply(200, kNewer);
            QVERIFY(r.dialogs.shown.empty());
            FrmAutoUpdate* w = r.mod->updateWindow();
            QVERIFY(w);
            QVERIFY(w->isVisible());
            QVERIFY(w->isModal());
            QCOMPARE(w->windowTitle(), QString("Kemaskini Tersedia - Tavrola"));
            QCOMPARE(w->findChild<QLabel*>("lblVersi")->text(),
                     QString("Versi baharu 2.0.28 tersedia!\nVersi semasa anda: 2.0.27"));
            QCOMPARE(w->findChild<QLabel*>("lblChanges")->text(), QString("Perubahan terbaharu:\nBaiki jam"));
            QCOMPARE(w->findChild<QPushButton*>("cmdDownload")->text(), QString("Muat Turun (Browser)"));
            QCOMPARE(w->findChild<QPushButton*>("cmdLater")->text(), QString("Batalkan"));
            QCOMPARE(finished.count(), 1);
            QCOMPARE(finished[0][0].toBool(), true);

            QPointer<FrmAutoUpdate> guard(w);
            w->findChild<QPushButton*>("cmdLater")->click();
            QTRY_VERIFY(!guard);
            QVERIFY(r.shell.opened.empty());
        }
    }

    void downloadOpensTheAddressWithTheVersion() {
        Rig r;
        r.mod->CheckForUpdates(true);
        r.http.reply(200, kNewer);
        QPointer<FrmAutoUpdate> w = r.mod->updateWindow();
        QVERIFY(w);
        w->findChild<QPushButton*>("cmdDownload")->click();
        QCOMPARE(r.shell.opened, std::vector<std::string>{"https://dl.example.com/tavrola?v=2.0.28"});
        QCOMPARE(r.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(r.dialogs.shown[0].icon, MessageIcon::Information);
        QCOMPARE(r.dialogs.shown[0].title, std::string("Kemaskini"));
        QCOMPARE(r.dialogs.shown[0].text, std::string("Pelayar akan dibuka untuk memuat turun installer.\r\n"
                                                      "Sila jalankan installer yang dimuat turun secara manual."));
        QTRY_VERIFY(!w);
    }

    void downloadAddressChoices_data() {
        QTest::addColumn<QString>("manifest");
        QTest::addColumn<QString>("opened"); // empty: nothing opened, "Tiada URL muat turun."
        QTest::newRow("url only") << QJ("{'version':'2.0.28','url':'https://u.example.com/p'}")
                                  << "https://u.example.com/p?v=2.0.28";
        QTest::newRow("$download wins")
            << QJ("{'$version':'2.0.30','version':'2.0.28','download':'https://a/','$Download':'https://b/'}")
            << "https://b/?v=2.0.30";
        QTest::newRow("neither address") << QJ("{'version':'2.0.28'}") << "";
        QTest::newRow("local program")
            << QJ("{'version':'2.0.28','download':'C:\\\\Windows\\\\System32\\\\calc.exe'}") << "";
        QTest::newRow("12-digit part") << QJ("{'version':'2.0.999999999999','url':'https://u/'}")
                                       << "https://u/?v=2.0.999999999999";
    }
    void downloadAddressChoices() {
        QFETCH(QString, manifest);
        QFETCH(QString, opened);
        Rig r;
        r.mod->CheckForUpdates(false);
        r.http.reply(200, manifest.toStdString());
        QPointer<FrmAutoUpdate> w = r.mod->updateWindow();
        QVERIFY(w);
        w->cmdDownload_Click();
        QCOMPARE(r.dialogs.shown.size(), std::size_t(1));
        if (opened.isEmpty()) {
            QVERIFY(r.shell.opened.empty());
            QCOMPARE(r.dialogs.shown[0].icon, MessageIcon::Exclamation);
            QCOMPARE(r.dialogs.shown[0].text, std::string("Tiada URL muat turun."));
        } else {
            QCOMPARE(r.shell.opened, std::vector<std::string>{opened.toStdString()});
        }
        // The window closes either way.
        QTRY_VERIFY(!w);
    }

    void browserThatCannotOpenIsReported() {
        RefusingShell refusing;
        Rig r(&refusing);
        r.mod->CheckForUpdates(false);
        r.http.reply(200, kNewer);
        QVERIFY(!r.mod->OpenDownloadPage());
        QCOMPARE(r.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(r.dialogs.shown[0].icon, MessageIcon::Critical);
        QVERIFY(r.dialogs.shown[0].text.rfind("Ralat semasa membuka pelayar: ", 0) == 0);
    }

    void failedFetchKeepsTheLastManifest() {
        Rig r;
        r.mod->CheckForUpdates(true);
        r.http.reply(200, kNewer);
        r.mod->updateWindow()->close();
        r.mod->CheckForUpdates(true);
        r.http.reply(503, J("{'version':'9.9','download':'https://evil/'}"));
        QCOMPARE(r.mod->LatestVersion(), std::string("2.0.28"));
        QCOMPARE(r.mod->DownloadUrl(), std::string("https://dl.example.com/tavrola"));
        QCOMPARE(r.mod->ChangeNotes(), std::string("Baiki jam"));
    }

    void checksWhileOneIsWaitingShareItsReply() {
        Rig r;
        QSignalSpy finished(r.mod.get(), &ModAutoUpdate::checkFinished);
        QVERIFY(r.mod->CheckForUpdates(true));
        QVERIFY(!r.mod->CheckForUpdates(false));
        QCOMPARE(r.http.requests.size(), std::size_t(1));
        r.http.reply(200, J("{'version':'2.0.27'}"));
        // The manual request joined in, so the answer is shown once.
        QCOMPARE(r.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(finished.count(), 1);
        // A new check after the answer asks again.
        QVERIFY(r.mod->CheckForUpdates(false));
        QCOMPARE(r.http.requests.size(), std::size_t(2));
    }

    void aModuleDestroyedWhileWaitingCancelsItsRequest() {
        Rig r;
        r.mod->CheckForUpdates(false);
        r.mod.reset();
        QCOMPARE(r.http.cancelled, 1);
        QVERIFY(!r.http.reply(200, kNewer));
        QVERIFY(r.dialogs.shown.empty());
    }

    void automaticCheckRunsOnceAndNotesTheTime() {
        Rig r;
        QVERIFY(r.mod->RunAutomaticCheck());
        QVERIFY(r.mod->UpdateChecked());
        QCOMPARE(GetFromINI("UPDATE", "AUTOCHECK", "", r.ini()), std::string("ON"));
        QCOMPARE(GetFromINI("UPDATE", "LASTCHECK", "", r.ini()), std::string("06/12/2026 21:05:09"));
        QCOMPARE(r.http.requests.size(), std::size_t(1));
        r.http.reply(200, J("{'version':'2.0.27'}"));
        QVERIFY(r.dialogs.shown.empty()); // silent

        r.clock.set(2026, 12, 6, 22, 0, 0);
        QVERIFY(!r.mod->RunAutomaticCheck());
        QCOMPARE(r.http.requests.size(), std::size_t(1));
        QCOMPARE(GetFromINI("UPDATE", "LASTCHECK", "", r.ini()), std::string("06/12/2026 21:05:09"));
    }

    void automaticCheckOffInAnyCase() {
        for (const char* off : {"off", "OFF", "Off"}) {
            Rig r;
            fakes::writeBytes(r.ini(), std::string("[UPDATE]\r\nAUTOCHECK=") + off + "\r\n");
            QVERIFY(!r.mod->RunAutomaticCheck());
            QVERIFY(r.http.requests.empty());
            QCOMPARE(GetFromINI("UPDATE", "LASTCHECK", "", r.ini()), std::string());
            QCOMPARE(fakes::readBytes(r.ini()), std::string("[UPDATE]\r\nAUTOCHECK=") + off + "\r\n");
            // The menu's check still works.
            QVERIFY(r.mod->CheckForUpdates(false));
            r.http.reply(200, J("{'version':'2.0.27'}"));
            QCOMPARE(r.dialogs.shown.size(), std::size_t(1));
            QCOMPARE(GetFromINI("UPDATE", "LASTCHECK", "", r.ini()), std::string());
        }
    }

    void automaticCheckShowsOnlyANewerVersion() {
        Rig r;
        fakes::writeBytes(r.ini(), "[UPDATE]\r\nAUTOCHECK=ON\r\n");
        r.mod->RunAutomaticCheck();
        r.http.reply(200, J("{'version':'2.0.999999999999','url':'https://u.example.com/'}"));
        QVERIFY(r.dialogs.shown.empty());
        QVERIFY(r.mod->updateWindow());
        r.mod->updateWindow()->cmdDownload_Click();
        QCOMPARE(r.shell.opened, std::vector<std::string>{"https://u.example.com/?v=2.0.999999999999"});
    }
};

QTEST_MAIN(TestAutoUpdate)
#include "tst_auto_update.moc"

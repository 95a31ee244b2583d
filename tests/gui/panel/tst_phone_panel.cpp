// SPDX-License-Identifier: GPL-3.0-or-later
// The phone page's server on loopback, as a phone's browser meets it: the library's limits and the
// handler's rules together, over real sockets.
#include "core/files/IniFile.h"
#include "core/panel/PanelAccess.h"
#include "core/settings/ModBackupINI.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/TempDir.h"
#include "fakes/TestDatabase.h"
#include "gui/panel/PhonePanel.h"
#include "gui/platform/LocalText.h"
#include "support/QtTestRegistry.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <httplib.h>

using namespace tavrola;

namespace {

constexpr const char* kPin = "13572468";

int freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Resident memory of this process (the server runs inside it), in KiB.
long residentKiB() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

std::string settingsText(int port, const char* active = "ON") {
    const std::string hash = panel::makePinHash(kPin, systemRandomBytes(16), derivePinKey, panel::kMinIterations);
    return "[IQAMAH]\r\nZOHOR=5\r\n[PANEL]\r\nAKTIF=" + std::string(active) + "\r\nPORT=" + std::to_string(port) +
           "\r\nPIN_HASH=" + hash + "\r\n";
}

} // namespace

class TestPhonePanel : public QObject {
    Q_OBJECT
private slots:
    void followsTheFileAndRefusesAPortInUse() {
        fakes::TempDir dir;
        const ProgramFolder folder(dir.path());
        const int port = freePort();
        QVERIFY(fakes::writeDatabase(folder.settingsFile(), settingsText(port, "OFF")));
        fakes::FakeClock clock;
        fakes::FakeDialogs dialogs;
        ModBackupINI backups(folder, clock, dialogs);
        PhonePanel panel(folder, clock, backups);
        panel.followSettings();
        QVERIFY(!panel.running()); // off: no socket at all

        QVERIFY(AddToINI("PANEL", "AKTIF", "ON", folder.settingsFile()));
        panel.followSettings();
        QVERIFY(panel.running());
        QCOMPARE(panel.status(), QString("Halaman telefon berjalan di port %1").arg(port));

        // A second clock on the same port says so once, on its status line and in the log.
        PhonePanel other(folder, clock, backups);
        QSignalSpy said(&other, &PhonePanel::statusChanged);
        other.followSettings();
        other.followSettings();
        QVERIFY(!other.running());
        QCOMPARE(said.count(), 1);
        QVERIFY(said.at(0).at(0).toString().contains("sudah digunakan"));
        QCOMPARE(fakes::readBytes(folder.logFolder() / "panel.log").find("sudah digunakan") != std::string::npos,
                 true);

        QVERIFY(AddToINI("PANEL", "AKTIF", "OFF", folder.settingsFile()));
        panel.followSettings();
        QVERIFY(!panel.running());
        httplib::Client client("127.0.0.1", port);
        QVERIFY(!client.Get("/"));
    }

    // The security rules over real sockets; the lockout and the address filter are counted in the
    // core's tests, where time and addresses can be chosen.
    void servesOnlyWhatTheRulesAllow() {
        fakes::TempDir dir;
        const ProgramFolder folder(dir.path());
        const int port = freePort();
        QVERIFY(fakes::writeDatabase(folder.settingsFile(), settingsText(port)));
        fakes::FakeClock clock;
        fakes::FakeDialogs dialogs;
        ModBackupINI backups(folder, clock, dialogs);
        PhonePanel panel(folder, clock, backups);
        panel.followSettings();
        QVERIFY(panel.running());
        httplib::Client client("127.0.0.1", port);

        auto page = client.Get("/");
        QVERIFY(page);
        QCOMPARE(page->status, 200);
        QVERIFY(page->body.find("/panel.js") != std::string::npos);
        QCOMPARE(page->get_header_value("Content-Security-Policy"),
                 std::string("default-src 'self'; frame-ancestors 'none'"));
        QCOMPARE(page->get_header_value("X-Content-Type-Options"), std::string("nosniff"));
        QCOMPARE(page->get_header_value("Referrer-Policy"), std::string("no-referrer"));
        for (const char* path : {"/../setting.ini", "/%2e%2e/setting.ini", "/%2e%2e/", "/setting.ini"}) {
            auto r = client.Get(path);
            QVERIFY2(r && (r->status == 404 || r->status == 400), path);
            QVERIFY(r->body.find("PIN_HASH") == std::string::npos);
        }

        QCOMPARE(client.Put("/api/settings", "{}", "application/json")->status, 401);
        QCOMPARE(client.Post("/api/login", R"({"pin":"00000000"})", "application/json")->status, 401);
        auto login = client.Post("/api/login", std::string(R"({"pin":")") + kPin + "\"}", "application/json");
        QVERIFY(login);
        QCOMPARE(login->status, 200);
        const std::string cookie = login->get_header_value("Set-Cookie");
        for (const char* flag : {"; HttpOnly", "; SameSite=Strict", "; Path=/"})
            QVERIFY2(cookie.find(flag) != std::string::npos, cookie.c_str());
        QCOMPARE(login->get_header_value("Cache-Control"), std::string("no-store"));
        const std::string session = cookie.substr(0, cookie.find(';'));
        const std::string csrf = login->body.substr(9, 64); // {"csrf":"<64 hex>"}

        const std::string before = fakes::readBytes(folder.settingsFile());
        const std::string change = R"({"IQAMAH":{"ZOHOR":"10"}})";
        QCOMPARE(client.Put("/api/settings", {{"Cookie", session}}, change, "application/json")->status, 403);
        QCOMPARE(client
                     .Put("/api/settings", {{"Cookie", session}, {"X-CSRF-Token", std::string(64, 'a')}}, change,
                          "application/json")
                     ->status,
                 403);
        auto refused = client.Put("/api/settings", {{"Cookie", session}, {"X-CSRF-Token", csrf}},
                                  R"({"IQAMAH":{"ZOHOR":"10","ASAR":"abc"}})", "application/json");
        QCOMPARE(refused->status, 422);
        QVERIFY(refused->body.find("ASAR") != std::string::npos);
        QCOMPARE(fakes::readBytes(folder.settingsFile()), before);

        auto saved =
            client.Put("/api/settings", {{"Cookie", session}, {"X-CSRF-Token", csrf}}, change, "application/json");
        QCOMPARE(saved->status, 200);
        QCOMPARE(GetFromINI("IQAMAH", "ZOHOR", "", folder.settingsFile()), std::string("10"));
        QCOMPARE(backups.GetBackupList().size(), std::size_t(1));
        QCOMPARE(client.Get("/api/status", {{"Cookie", session}})->status, 200);
        QCOMPARE(client.Delete("/api/status", {{"Cookie", session}})->status, 405);

        // A gzip'd or chunked body would grow in memory past its length: refused unread.
        QCOMPARE(client
                     .Put("/api/settings",
                          {{"Cookie", session}, {"X-CSRF-Token", csrf}, {"Content-Encoding", "gzip"}}, change,
                          "application/json")
                     ->status,
                 415);
    }

    void aHundredMegabyteBodyIsRefusedBeforeItIsRead() {
        fakes::TempDir dir;
        const ProgramFolder folder(dir.path());
        const int port = freePort();
        QVERIFY(fakes::writeDatabase(folder.settingsFile(), settingsText(port)));
        fakes::FakeClock clock;
        fakes::FakeDialogs dialogs;
        ModBackupINI backups(folder, clock, dialogs);
        PhonePanel panel(folder, clock, backups);
        panel.followSettings();

        const long before = residentKiB();
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
        QVERIFY(socket.waitForConnected(5000));
        constexpr qint64 kBody = 100LL * 1024 * 1024;
        socket.write(
            "PUT /api/settings HTTP/1.1\r\nHost: x\r\nContent-Type: application/json\r\nContent-Length: " +
            QByteArray::number(kBody) + "\r\n\r\n");
        // The answer comes from the headers alone, before a byte of the body is sent.
        QByteArray answer;
        while (!answer.contains("\r\n\r\n") && socket.waitForReadyRead(10000))
            answer += socket.readAll();
        QVERIFY2(answer.startsWith("HTTP/1.1 413"), answer.left(80).constData());
        // Then the body: the server has closed, so it stops long before 100 MB.
        const QByteArray chunk(64 * 1024, '{');
        qint64 sent = 0;
        while (sent < kBody && socket.state() == QAbstractSocket::ConnectedState) {
            if (socket.bytesToWrite() < 4 * chunk.size()) {
                socket.write(chunk);
                sent += chunk.size();
            }
            socket.waitForBytesWritten(50);
        }
        const long after = residentKiB();
        qInfo("100 MB body: %lld bytes sent before the close, resident %ld KiB -> %ld KiB", sent, before, after);
        QVERIFY(sent < kBody);
        QVERIFY(after - before < 8 * 1024);
    }
};

TAVROLA_QTEST(TestPhonePanel)
#include "tst_phone_panel.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The real HTTP client against a local HTTPS server: every way the updater window's reply can go
// wrong. Skipped in builds that do not trust a test certificate. (Two downloads told apart: tst_downloads.)
#include "fakes/FakeClock.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/QtHttpClient.h"
#include "gui/prayerdata/JSONAutoupdate.h"
#include "support/HttpsTestServer.h"
#include "support/QtTestRegistry.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;
using namespace tavrola::testing;

namespace {
const QByteArray kOldDatabase = "CACHE_MONTH=112026\r\n[01112026]\r\nImsak=05:30\r\n";
using How = QMap<QString, QByteArray>; // files beside the served one, see https_month_server.py
} // namespace

class TestHttps : public QObject {
    Q_OBJECT

    QTemporaryDir m_work;
    HttpsTestServer m_server;
    HttpsTestServer m_stranger; // a certificate nobody trusts

    QString root() const { return m_work.filePath("root"); }

    // The month document and how the server delivers it.
    void serve(const QByteArray& body, const How& how) {
        QDir(root() + "/data").removeRecursively();
        const QString path = root() + "/data/2026-12.json";
        QVERIFY(writeAll(path, body));
        for (auto it = how.begin(); it != how.end(); ++it)
            QVERIFY(writeAll(path + "." + it.key(), it.value()));
    }

private slots:
    void initTestCase() {
        if (const QString why = HttpsTestServer::unavailable(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(m_server.start(root(), m_work.filePath("trusted")));
        QVERIFY(m_stranger.start(root(), m_work.filePath("stranger"), false));
    }

    void updaterOutcomes_data() {
        const QByteArray month = readAll(dataFile("month_2026-12.json"));
        const QByteArray huge(3 * 1024 * 1024, ' ');
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<How>("how");
        QTest::addColumn<int>("server");     // 0 trusted, 1 untrusted, 2 nobody listening
        QTest::addColumn<QString>("status"); // ending in "*": starts with
        QTest::addColumn<int>("days");       // days written, -1: the old database stays
        QTest::newRow("good month") << month << How{} << 0 << "Update #1 BERJAYA! - 31 hari" << 31;
        QTest::newRow("no length, small")
            << month << How{{"nolength", ""}} << 0 << "Update #1 BERJAYA! - 31 hari" << 31;
        QTest::newRow("cut inside a day") << readAll(dataFile("month_2026-12_cutoff.json")) << How{} << 0
                                          << "Update #1 BERJAYA! - 31 hari" << 25;
        QTest::newRow("not found") << QByteArray() << How{{"status", "404"}} << 0 << "Gagal muat turun! HTTP: 404"
                                   << -1;
        QTest::newRow("slow server") << month << How{{"delay", "6"}} << 0 << "ERROR: The operation timed out"
                                     << -1;
        QTest::newRow("connection drops") << month << How{{"cut", "3000"}} << 0 << "ERROR: *" << -1;
        QTest::newRow("oversized, announced")
            << huge << How{} << 0 << "ERROR: The reply is larger than 1048576 bytes" << -1;
        QTest::newRow("oversized, growing")
            << huge << How{{"nolength", ""}} << 0 << "ERROR: The reply is larger than 1048576 bytes" << -1;
        QTest::newRow("untrusted certificate") << month << How{} << 1 << "ERROR: SSL handshake failed*" << -1;
        QTest::newRow("refused") << month << How{} << 2 << "ERROR: Connection refused" << -1;
    }
    void updaterOutcomes() {
        QFETCH(QByteArray, body);
        QFETCH(How, how);
        QFETCH(int, server);
        QFETCH(QString, status);
        QFETCH(int, days);
        serve(body, how);
        QTemporaryDir folder;
        fakes::FakeClock clock{DateTime{{2026, 12, 5}, 14, 3, 9, 0}};
        const int port = server == 0 ? m_server.port() : server == 1 ? m_stranger.port() : 1;
        QVERIFY(writeAll(folder.filePath("setting.ini"),
                         "[SERVER]\r\nDATA_HOST=127.0.0.1:" + QByteArray::number(port) + "\r\n"));
        const QString database = folder.filePath("dbase/dbsolat.dat");
        QVERIFY(writeAll(database, kOldDatabase));
        QtHttpClient http;
        JSONAutoupdate w(ProgramFolder(pathFromQt(folder.path())), clock, http);
        w.setRequestTimeoutMs(how.contains("delay") ? 700 : 20000);
        w.load();
        TAVROLA_TRY_VERIFY(!w.Busy());
        const QLabel* label = w.findChild<QLabel*>("lblStatus");
        const QString shown = label->text();
        QVERIFY2(status.endsWith('*') ? shown.startsWith(status.chopped(1)) : shown == status, qPrintable(shown));
        QCOMPARE(label->palette().color(QPalette::WindowText), days < 0 ? QColor(255, 0, 0) : QColor(0, 128, 0));
        const QByteArray db = readAll(database);
        if (days < 0)
            QCOMPARE(db, kOldDatabase);
        else
            QCOMPARE(db.count("\r\n["), days);
        if (days == 31 && !how.contains("nolength"))
            QCOMPARE(db, readAll(dataFile("dbsolat_2026-12.expected")));
    }
};

TAVROLA_QTEST(TestHttps)
#include "tst_https.moc"

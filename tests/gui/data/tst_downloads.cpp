// SPDX-License-Identifier: GPL-3.0-or-later
// The updater window: what it shows of the updater's state, and the clock ticking while a download hangs.
#include "fakes/FakeClock.h"
#include "fakes/FakeHttpClient.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/QtHttpClient.h"
#include "gui/prayerdata/JSONAutoupdate.h"
#include "support/LayoutCheck.h"
#include "support/QtFiles.h"
#include "support/QtTestRegistry.h"

#include <QLabel>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;
using namespace tavrola::testing;

class TestDownloads : public QObject {
    Q_OBJECT

    struct Setup {
        QTemporaryDir folder;
        fakes::FakeClock clock{DateTime{{2026, 12, 5}, 14, 3, 9, 0}};
        explicit Setup(const QByteArray& host = "data.example.test") {
            writeAll(folder.filePath("setting.ini"), "[SERVER]\r\nDATA_HOST=" + host + "\r\n");
        }
        ProgramFolder programFolder() const { return ProgramFolder(pathFromQt(folder.path())); }
    };

private slots:
    // The window shows what the updater computes: status in its colour and today's times.
    void updaterWindowShowsTheUpdatersState() {
        Setup s;
        fakes::FakeHttpClient http;
        JSONAutoupdate w(s.programFolder(), s.clock, http);
        QLabel* status = w.findChild<QLabel*>("lblStatus");
        w.load();
        QCOMPARE(status->text(), QString("Muat turun data Disember 2026..."));
        QCOMPARE(status->palette().color(QPalette::WindowText), QColor(255, 128, 0));
        QVERIFY(http.reply(200, readAll(dataFile("month_2026-12.json")).toStdString()));
        QCOMPARE(status->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        QCOMPARE(w.findChild<QLabel*>("lblSubuh")->text(), QString("05:51"));
        QCOMPARE(w.findChild<QLabel*>("lblMagrib")->text(), QString("19:11"));
        w.ForceDownload();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TAVROLA_VERIFY_LAYOUT(&w);
        QVERIFY(http.reply(404, ""));
        QCOMPARE(status->text(), QString("Gagal muat turun! HTTP: 404"));
        QCOMPARE(status->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        w.unload();
        QVERIFY(!w.findChild<QTimer*>("TimerAutoUpdate")->isActive());
    }

    // A server that accepts the connection and then says nothing: the download hangs, the clock must not.
    void clockKeepsTickingWhileADownloadHangs() {
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        QList<QTcpSocket*> held;
        connect(&silent, &QTcpServer::newConnection, this, [&] {
            while (QTcpSocket* c = silent.nextPendingConnection())
                held.append(c);
        });
        Setup s("127.0.0.1:" + QByteArray::number(silent.serverPort()));
        QtHttpClient http;
        JSONAutoupdate w(s.programFolder(), s.clock, http);
        w.setRequestTimeoutMs(2500);
        int ticks = 0;
        QTimer clockTick;
        connect(&clockTick, &QTimer::timeout, this, [&] { ++ticks; });
        clockTick.start(10);
        w.load();
        // Were loading or the event loop blocked by the download, the ticks would come only once it gave up.
        TAVROLA_TRY_VERIFY((ticks >= 20 && held.size() == 1) || !w.Busy());
        QVERIFY2(w.Busy(), qPrintable(QString("only %1 ticks before the download gave up").arg(ticks)));
        QMetaObject::invokeMethod(w.findChild<QTimer*>("TimerAutoUpdate"), "timeout"); // no second download
        QTest::qWait(100); // a fixed wait for what must not happen: a second connection
        QCOMPARE(held.size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(w.findChild<QLabel*>("lblStatus")->text(),
                                  QString("ERROR: The operation timed out"), 30000);
        QVERIFY(!QFile::exists(s.folder.filePath("dbase/dbsolat.dat")));
        qDeleteAll(held);
    }
};

TAVROLA_QTEST(TestDownloads)
#include "tst_downloads.moc"

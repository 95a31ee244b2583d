// The download control and the updater window with a fake HTTP client: what they write and show.
#include "fakes/FakeClock.h"
#include "fakes/FakeHttpClient.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/QtHttpClient.h"
#include "gui/prayerdata/JSONAutoupdate.h"
#include "gui/widgets/Downloader.h"
#include "support/LayoutCheck.h"
#include "support/QtFiles.h"
#include "support/QtTestRegistry.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
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
        fakes::FakeClock clock;
        explicit Setup(const QByteArray& host = "data.example.test") {
            clock.set(2026, 12, 5, 14, 3, 9);
            writeAll(folder.filePath("setting.ini"), "[SERVER]\r\nDATA_HOST=" + host + "\r\n");
        }
        ProgramFolder programFolder() const { return ProgramFolder(pathFromQt(folder.path())); }
    };

private slots:
    void twoDownloadsAreToldApartByTheirFiles() {
        QTemporaryDir dir;
        fakes::FakeHttpClient http;
        Downloader d(http);
        QSignalSpy progress(&d, &Downloader::DownloadProgress);
        QSignalSpy complete(&d, &Downloader::DownloadComplete);
        const QString a = dir.filePath("a.json"), b = dir.filePath("b.json");
        QVERIFY(writeAll(b, QByteArray(100, 'x'))); // a longer old file is replaced whole
        d.BeginDownload("https://example.test/a", a);
        d.BeginDownload("https://example.test/b", b);
        http.oldest()->progress(2, 4);
        http.oldest()->progress(1, -1); // unknown size: not reported
        QVERIFY(http.reply(200, "AAAA"));
        QVERIFY(http.reply(200, "BBBBBB"));
        QCOMPARE(progress.count(), 1);
        QCOMPARE(progress.at(0), (QVariantList{a, qint64(2), qint64(4)}));
        QCOMPARE(complete.at(0), (QVariantList{a, qint64(4)}));
        QCOMPARE(complete.at(1), (QVariantList{b, qint64(6)}));
        QCOMPARE(readAll(b), QByteArray("BBBBBB"));
    }

    void failuresWriteNothing_data() {
        QTest::addColumn<int>("status"); // 0: the network fails
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("target");
        QTest::newRow("network") << 0 << QByteArray() << "keep.bin";
        QTest::newRow("not found") << 404 << QByteArray("<html>missing</html>") << "keep.bin";
        QTest::newRow("empty") << 200 << QByteArray() << "keep.bin";
        QTest::newRow("missing folder") << 200 << QByteArray("data") << "no/such/folder/file.bin";
    }
    void failuresWriteNothing() {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, target);
        QTemporaryDir dir;
        const QString path = dir.filePath(target);
        if (!target.contains('/'))
            QVERIFY(writeAll(path, "old"));
        const QByteArray before = readAll(path);
        fakes::FakeHttpClient http;
        Downloader d(http);
        QSignalSpy error(&d, &Downloader::DownloadError);
        QSignalSpy complete(&d, &Downloader::DownloadComplete);
        d.BeginDownload("https://example.test/x", path);
        QVERIFY(status ? http.reply(status, body.toStdString()) : http.fail(HttpResponse::Error::Network, "down"));
        QCOMPARE(error.count(), 1);
        QCOMPARE(error.at(0).at(0).toString(), path);
        QCOMPARE(complete.count(), 0);
        QCOMPARE(readAll(path), before);
    }

    void aClosedDownloaderCancelsWhatIsPending() {
        fakes::FakeHttpClient http;
        {
            Downloader d(http);
            d.BeginDownload("", "/tmp/x");
            d.BeginDownload("https://example.test/x", "");
            QCOMPARE(http.requests.size(), std::size_t(0));
            d.BeginDownload("https://example.test/x", "/tmp/never-written");
        }
        QCOMPARE(http.cancelled, 1);
    }

    // The window shows what the updater computes: status in its colour and today's times.
    void updaterWindowShowsTheUpdatersState() {
        Setup s;
        fakes::FakeHttpClient http;
        JSONAutoupdate w(s.programFolder(), s.clock, http);
        w.load();
        QCOMPARE(w.lblStatus->text(), QString("Muat turun data Disember 2026..."));
        QCOMPARE(w.lblStatus->palette().color(QPalette::WindowText), QColor(255, 128, 0));
        QVERIFY(http.reply(200, readAll(dataFile("month_2026-12.json")).toStdString()));
        QCOMPARE(w.lblStatus->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        QCOMPARE(w.lblSubuh->text(), QString("05:51"));
        QCOMPARE(w.lblMagrib->text(), QString("19:11"));
        w.ForceDownload();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TAVROLA_VERIFY_LAYOUT(&w);
        QVERIFY(http.reply(404, ""));
        QCOMPARE(w.lblStatus->text(), QString("Gagal muat turun! HTTP: 404"));
        QCOMPARE(w.lblStatus->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        w.unload();
        QVERIFY(!w.TimerAutoUpdate->isActive());
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
        QElapsedTimer t;
        t.start();
        w.load();
        QVERIFY2(t.elapsed() < 500, "loading waited for the download");
        QTest::qWait(1000);
        QVERIFY2(ticks >= 20, qPrintable(QString("only %1 ticks in a second").arg(ticks)));
        QVERIFY(w.Busy());
        w.onTimerAutoUpdate(); // the timer does not start a second download beside it
        QTest::qWait(100);
        QCOMPARE(held.size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(w.lblStatus->text(), QString("ERROR: The operation timed out"), 10000);
        QVERIFY(!QFile::exists(s.folder.filePath("dbase/dbsolat.dat")));
        qDeleteAll(held);
    }
};

TAVROLA_QTEST(TestDownloads)
#include "tst_downloads.moc"

#include "fakes/FakeClock.h"
#include "fakes/FakeHttpClient.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/QtHttpClient.h"
#include "gui/prayerdata/JSONAutoupdate.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;

namespace {

void writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray monthDocument() {
    QFile f(QStringLiteral(TAVROLA_TEST_DATA "/month_2026-12.json"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QColor colourOf(const QLabel* l) {
    return l->palette().color(QPalette::WindowText);
}

} // namespace

class TestJsonAutoupdate : public QObject {
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
    void controlsAndCaptions() {
        Setup s;
        fakes::FakeHttpClient http;
        JSONAutoupdate w(s.programFolder(), s.clock, http);
        const std::pair<const char*, const char*> captions[] = {{"Label2", "WAKTU SOLAT HARI INI"},
                                                                {"Label3", "Imsak:"},
                                                                {"Label4", "Subuh:"},
                                                                {"Label5", "Syuruk:"},
                                                                {"Label6", "Zohor:"},
                                                                {"Label7", "Asar:"},
                                                                {"Label8", "Magrib:"},
                                                                {"Label9", "Isyak:"},
                                                                {"lblStatus", ""},
                                                                {"lblTimer", ""},
                                                                {"lblImsak", ""},
                                                                {"lblIsyak", ""}};
        for (const auto& [name, caption] : captions) {
            const auto* label = w.findChild<QLabel*>(name);
            QVERIFY2(label, name);
            QCOMPARE(label->text(), QString(caption));
        }
        QCOMPARE(w.findChild<QGroupBox*>("Frame1")->title(), QString("Status Sistem"));
        QCOMPARE(w.findChild<QPushButton*>("cmdExit")->text(), QString("Keluar"));
        auto* timer = w.findChild<QTimer*>("TimerAutoUpdate");
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 15000);
        QVERIFY(!timer->isActive());

        w.load();
        QCOMPARE(w.windowTitle(), QString("Auto Update Waktu Solat - Update setiap 15 saat"));
        QVERIFY(timer->isActive());
        QVERIFY(!w.isVisible());
        w.load(); // a second load (the tray window's) changes nothing
        QCOMPARE(http.requests.size(), std::size_t(1));
        w.unload();
        QVERIFY(!timer->isActive());
    }

    void labelsFollowTheDownload() {
        Setup s;
        fakes::FakeHttpClient http;
        JSONAutoupdate w(s.programFolder(), s.clock, http);
        w.load();
        QCOMPARE(w.lblStatus->text(), QString("Muat turun data Disember 2026..."));
        QCOMPARE(colourOf(w.lblStatus), QColor(255, 128, 0));
        QVERIFY(http.reply(200, monthDocument().toStdString()));
        QCOMPARE(w.lblStatus->text(), QString("Update #1 BERJAYA! - 31 hari"));
        QCOMPARE(colourOf(w.lblStatus), QColor(0, 128, 0));
        QCOMPARE(w.lblSubuh->text(), QString("05:51"));
        QCOMPARE(w.lblMagrib->text(), QString("19:11"));

        QSignalSpy statuses(&w, &JSONAutoupdate::statusChanged);
        w.ForceDownload();
        QVERIFY(w.isVisible());
        QCOMPARE(statuses.first().first().toString(), QString("FORCE UPDATE - Muat turun semula..."));
        QVERIFY(http.fail(HttpResponse::Error::Network, "Connection refused"));
        QCOMPARE(w.lblStatus->text(), QString("ERROR: Connection refused"));
        QCOMPARE(colourOf(w.lblStatus), QColor(255, 0, 0));

        s.clock.set(2026, 12, 5, 14, 3, 24);
        w.onTimerAutoUpdate();
        QCOMPARE(w.lblStatus->text(), QString("Muat turun data Disember 2026..."));
        QVERIFY(http.reply(404, ""));
        QCOMPARE(w.lblStatus->text(), QString("Gagal muat turun! HTTP: 404"));
        QCOMPARE(w.lblTimer->text(), QString("Last auto-update: 05/12/2026 14:03:24 | Count: 2"));
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
        QCOMPARE(w.lblStatus->text(), QString("Muat turun data Disember 2026..."));
        QCOMPARE(held.size(), 1);

        w.onTimerAutoUpdate(); // the timer does not start a second download beside it
        QTest::qWait(100);
        QCOMPARE(held.size(), 1);

        QTRY_COMPARE_WITH_TIMEOUT(w.lblStatus->text(), QString("ERROR: The operation timed out"), 10000);
        QCOMPARE(colourOf(w.lblStatus), QColor(255, 0, 0));
        QVERIFY(!w.Busy());
        QVERIFY(!QFile::exists(s.folder.filePath("dbase/dbsolat.dat")));
        qDeleteAll(held);
    }

    void waitAndReloadKeepTimersRunning() {
        int ticks = 0;
        QTimer clockTick;
        connect(&clockTick, &QTimer::timeout, this, [&] { ++ticks; });
        clockTick.start(10);
        QElapsedTimer t;
        t.start();
        JSONAutoupdate::Wait(0.3);
        QVERIFY(t.elapsed() >= 290);
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));

        Setup s;
        fakes::FakeHttpClient http;
        JSONAutoupdate w(s.programFolder(), s.clock, http);
        w.load();
        QVERIFY(http.reply(200, monthDocument().toStdString()));
        w.reload(0.2);
        QVERIFY(!w.isLoaded());
        QCOMPARE(w.TimerAutoUpdate->isActive(), false);
        QTRY_VERIFY_WITH_TIMEOUT(w.isLoaded(), 2000);
        QCOMPARE(http.requests.size(), std::size_t(2)); // the load check fetched the month again
        QCOMPARE(w.UpdateCount(), 1);
    }
};

QTEST_MAIN(TestJsonAutoupdate)
#include "tst_jsonautoupdate.moc"

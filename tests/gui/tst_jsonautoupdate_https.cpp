// The updater window against a real HTTPS server on 127.0.0.1, started by the test with a
// certificate made for this run.
#include "fakes/FakeClock.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/QtHttpClient.h"
#include "gui/prayerdata/JSONAutoupdate.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;

namespace {

const QByteArray kOldDatabase = "CACHE_MONTH=112026\r\n[01112026]\r\nImsak=05:30\r\n";

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QString dataFile(const char* name) {
    return QStringLiteral(TAVROLA_TEST_DATA "/") + QLatin1String(name);
}

} // namespace

class TestJsonAutoupdateHttps : public QObject {
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_root; // what the server serves
    QProcess m_server;
    QProcess m_untrustedServer;
    int m_port = 0;
    int m_untrustedPort = 0;

    bool makeCertificate(const QString& name) {
        QProcess p;
        p.start(QStringLiteral("openssl"),
                {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
                 m_work.filePath(name + ".key"), "-out", m_work.filePath(name + ".pem"), "-days", "2", "-subj",
                 "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"});
        return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    int startServer(QProcess& server, const QString& cert) {
        server.setProcessChannelMode(QProcess::SeparateChannels);
        server.start(QStringLiteral("python3"),
                     {QStringLiteral(TAVROLA_TEST_DATA "/../support/https_month_server.py"), "--cert",
                      m_work.filePath(cert + ".pem"), "--key", m_work.filePath(cert + ".key"), "--root", m_root});
        QElapsedTimer t;
        t.start();
        while (!server.canReadLine() && t.elapsed() < 15000)
            server.waitForReadyRead(500);
        const QByteArray line = server.readLine().trimmed();
        return line.startsWith("PORT ") ? line.mid(5).toInt() : 0;
    }

    // One served month document and how the server should deliver it.
    void serve(const QString& month, const QByteArray& body, int status = 200, double delay = 0, int cut = -1,
               bool announceLength = true) {
        QDir(m_root + "/data").removeRecursively();
        const QString path = m_root + "/data/" + month + ".json";
        writeAll(path, body);
        if (status != 200)
            writeAll(path + ".status", QByteArray::number(status));
        if (delay > 0)
            writeAll(path + ".delay", QByteArray::number(delay));
        if (cut >= 0)
            writeAll(path + ".cut", QByteArray::number(cut));
        if (!announceLength)
            writeAll(path + ".nolength", "");
    }

    struct Run {
        QTemporaryDir folder;
        fakes::FakeClock clock;
        QtHttpClient http;
        std::unique_ptr<JSONAutoupdate> window;

        Run(int port, const QByteArray& oldDatabase = {}) {
            clock.set(2026, 12, 5, 14, 3, 9);
            writeAll(folder.filePath("setting.ini"),
                     "[SERVER]\r\nDATA_HOST=127.0.0.1:" + QByteArray::number(port) + "\r\n");
            if (!oldDatabase.isEmpty())
                writeAll(database(), oldDatabase);
            window = std::make_unique<JSONAutoupdate>(ProgramFolder(pathFromQt(folder.path())), clock, http);
            window->setRequestTimeoutMs(5000);
        }
        QString database() const { return folder.filePath("dbase/dbsolat.dat"); }
        QString status() const { return window->lblStatus->text(); }
        QColor colour() const { return window->lblStatus->palette().color(QPalette::WindowText); }
        bool loadAndWait() {
            window->load();
            return QTest::qWaitFor([this] { return !window->Busy(); }, 20000);
        }
    };

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("python3").isEmpty() ||
            QStandardPaths::findExecutable("openssl").isEmpty())
            QSKIP("python3 and openssl are needed for the local HTTPS server");
        QVERIFY(m_work.isValid());
        m_root = m_work.filePath("root");
        QVERIFY(QDir().mkpath(m_root));
        QVERIFY(makeCertificate("trusted"));
        QVERIFY(makeCertificate("stranger"));
        qputenv("TAVROLA_TEST_CA", m_work.filePath("trusted.pem").toLocal8Bit());
        m_port = startServer(m_server, "trusted");
        QVERIFY2(m_port > 0, m_server.readAllStandardError().constData());
        m_untrustedPort = startServer(m_untrustedServer, "stranger");
        QVERIFY(m_untrustedPort > 0);
    }

    void cleanupTestCase() {
        for (QProcess* p : {&m_server, &m_untrustedServer}) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
    }

    void goodMonthIsWrittenAndShown() {
        serve("2026-12", readAll(dataFile("month_2026-12.json")));
        Run run(m_port);
        QVERIFY(run.loadAndWait());
        QCOMPARE(run.status(), QString("Update #1 BERJAYA! - 31 hari"));
        QCOMPARE(run.colour(), QColor(0, 128, 0));
        QCOMPARE(readAll(run.database()), readAll(dataFile("dbsolat_2026-12.expected")));
        QCOMPARE(run.window->lblImsak->text(), QString("05:41"));
        QCOMPARE(run.window->lblIsyak->text(), QString("20:25"));
        QVERIFY(run.window->UpToDate());
    }

    void notFoundKeepsTheDatabase() {
        QDir(m_root + "/data").removeRecursively();
        Run run(m_port, kOldDatabase);
        QVERIFY(run.loadAndWait());
        QCOMPARE(run.status(), QString("Gagal muat turun! HTTP: 404"));
        QCOMPARE(run.colour(), QColor(255, 0, 0));
        QCOMPARE(readAll(run.database()), kOldDatabase);
        QVERIFY(!run.window->UpToDate());
    }

    void slowServerTimesOut() {
        serve("2026-12", readAll(dataFile("month_2026-12.json")), 200, 6);
        Run run(m_port, kOldDatabase);
        run.window->setRequestTimeoutMs(700);
        QElapsedTimer t;
        t.start();
        QVERIFY(run.loadAndWait());
        QVERIFY2(t.elapsed() < 5000, "the time-out did not end the request");
        QCOMPARE(run.status(), QString("ERROR: The operation timed out"));
        QCOMPARE(run.colour(), QColor(255, 0, 0));
        QCOMPARE(readAll(run.database()), kOldDatabase);
    }

    void errorPagesAreFailures() {
        serve("2026-12", readAll(dataFile("error_page.html")));
        {
            Run run(m_port, kOldDatabase);
            QVERIFY(run.loadAndWait());
            QCOMPARE(run.status(), QString("Gagal muat turun! Tiada data untuk Disember 2026"));
            QCOMPARE(run.colour(), QColor(255, 0, 0));
            QCOMPARE(readAll(run.database()), kOldDatabase);
        }
        serve("2026-12", readAll(dataFile("error_page.html")), 500);
        Run run(m_port, kOldDatabase);
        QVERIFY(run.loadAndWait());
        QCOMPARE(run.status(), QString("Gagal muat turun! HTTP: 500"));
        QCOMPARE(run.colour(), QColor(255, 0, 0));
        QCOMPARE(readAll(run.database()), kOldDatabase);
    }

    void cutOffDocuments() {
        // Delivered whole but cut inside a day: the complete days are written.
        serve("2026-12", readAll(dataFile("month_2026-12_cutoff.json")));
        {
            Run run(m_port, kOldDatabase);
            QVERIFY(run.loadAndWait());
            QCOMPARE(run.status(), QString("Update #1 BERJAYA! - 31 hari"));
            QCOMPARE(run.colour(), QColor(0, 128, 0));
            const QByteArray db = readAll(run.database());
            QCOMPARE(db.count("\r\n["), 25);
            QVERIFY(!db.contains("[10122026]"));
        }
        // The connection drops in the middle of the body: nothing of it is written.
        serve("2026-12", readAll(dataFile("month_2026-12.json")), 200, 0, 3000);
        Run run(m_port, kOldDatabase);
        QVERIFY(run.loadAndWait());
        QVERIFY2(run.status().startsWith("ERROR: "), qPrintable(run.status()));
        QCOMPARE(run.colour(), QColor(255, 0, 0));
        QCOMPARE(readAll(run.database()), kOldDatabase);
    }

    void oversizedReplyIsRefused_data() {
        QTest::addColumn<bool>("announceLength");
        QTest::newRow("length announced") << true;
        QTest::newRow("body grows past the limit") << false;
    }
    void oversizedReplyIsRefused() {
        QFETCH(bool, announceLength);
        serve("2026-12", QByteArray(3 * 1024 * 1024, ' '), 200, 0, -1, announceLength);
        Run run(m_port, kOldDatabase);
        QVERIFY(run.loadAndWait());
        QCOMPARE(run.status(), QString("ERROR: The reply is larger than 1048576 bytes"));
        QCOMPARE(run.colour(), QColor(255, 0, 0));
        QCOMPARE(readAll(run.database()), kOldDatabase);
    }

    void smallReplyWithoutLengthIsRead() {
        serve("2026-12", readAll(dataFile("month_2026-12.json")), 200, 0, -1, false);
        Run run(m_port);
        QVERIFY(run.loadAndWait());
        QCOMPARE(run.status(), QString("Update #1 BERJAYA! - 31 hari"));
    }

    void untrustedCertificateAndRefusedConnection() {
        serve("2026-12", readAll(dataFile("month_2026-12.json")));
        {
            Run run(m_untrustedPort, kOldDatabase);
            QVERIFY(run.loadAndWait());
            QVERIFY2(run.status().startsWith("ERROR: SSL handshake failed"), qPrintable(run.status()));
            QCOMPARE(run.colour(), QColor(255, 0, 0));
            QCOMPARE(readAll(run.database()), kOldDatabase);
        }
        Run run(1, kOldDatabase); // nothing listens on port 1
        QVERIFY(run.loadAndWait());
        QCOMPARE(run.status(), QString("ERROR: Connection refused"));
        QCOMPARE(readAll(run.database()), kOldDatabase);
    }
};

QTEST_MAIN(TestJsonAutoupdateHttps)
#include "tst_jsonautoupdate_https.moc"

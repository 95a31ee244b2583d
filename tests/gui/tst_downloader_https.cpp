// The download control with the real HTTP client against an HTTPS server on 127.0.0.1, started by
// the test with a certificate made for this run: two downloads at once are told apart by name.
#include "gui/platform/QtHttpClient.h"
#include "gui/widgets/Downloader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;

class TestDownloaderHttps : public QObject {
    Q_OBJECT

    QTemporaryDir m_work;
    QProcess m_server;
    int m_port = 0;

    static void writeAll(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static QByteArray readAll(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString url(const char* name) const { return QStringLiteral("https://127.0.0.1:%1/%2").arg(m_port).arg(name); }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("python3").isEmpty() ||
            QStandardPaths::findExecutable("openssl").isEmpty())
            QSKIP("python3 and openssl are needed for the local HTTPS server");
        QVERIFY(m_work.isValid());
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
                       "-keyout", m_work.filePath("cert.key"), "-out", m_work.filePath("cert.pem"), "-days", "2",
                       "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"});
        QVERIFY(openssl.waitForFinished(30000) && openssl.exitCode() == 0);
        qputenv("TAVROLA_TEST_CA", m_work.filePath("cert.pem").toLocal8Bit());

        // A larger file that arrives a little later, and a small one at once.
        QByteArray big;
        for (int i = 0; i < 20000; ++i)
            big += "baris " + QByteArray::number(i) + "\n";
        writeAll(m_work.filePath("root/besar.txt"), big);
        writeAll(m_work.filePath("root/besar.txt.delay"), "0.5");
        writeAll(m_work.filePath("root/kecil.txt"), "kecil\n");

        m_server.start(QStringLiteral("python3"),
                       {QStringLiteral(TAVROLA_TEST_DATA "/../support/https_month_server.py"), "--cert",
                        m_work.filePath("cert.pem"), "--key", m_work.filePath("cert.key"), "--root",
                        m_work.filePath("root")});
        QElapsedTimer t;
        t.start();
        while (!m_server.canReadLine() && t.elapsed() < 15000)
            m_server.waitForReadyRead(500);
        const QByteArray line = m_server.readLine().trimmed();
        m_port = line.startsWith("PORT ") ? line.mid(5).toInt() : 0;
        QVERIFY2(m_port > 0, m_server.readAllStandardError().constData());
    }

    void cleanupTestCase() {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.kill();
            m_server.waitForFinished(5000);
        }
    }

    void twoDownloadsAreToldApartByName() {
        QtHttpClient http;
        Downloader downloader(http);
        QSignalSpy complete(&downloader, &Downloader::DownloadComplete);
        QSignalSpy failed(&downloader, &Downloader::DownloadError);
        const QString bigFile = m_work.filePath("out/besar.txt");
        const QString smallFile = m_work.filePath("out/kecil.txt");
        QDir().mkpath(m_work.filePath("out"));
        // An older, longer file must be replaced whole, not left with its tail.
        writeAll(smallFile, QByteArray(5000, 'x'));
        downloader.BeginDownload(url("besar.txt"), bigFile);
        downloader.BeginDownload(url("kecil.txt"), smallFile);
        QVERIFY(QTest::qWaitFor([&] { return complete.count() + failed.count() == 2; }, 20000));
        QCOMPARE(failed.count(), 0);
        // The small one finishes first; each completion names its own download (by its file).
        QCOMPARE(complete.at(0).at(0).toString(), smallFile);
        QCOMPARE(complete.at(1).at(0).toString(), bigFile);
        QCOMPARE(readAll(smallFile), QByteArray("kecil\n"));
        QCOMPARE(readAll(bigFile), readAll(m_work.filePath("root/besar.txt")));
    }

    void aMissingFileIsAnErrorAndWritesNothing() {
        QtHttpClient http;
        Downloader downloader(http);
        QSignalSpy complete(&downloader, &Downloader::DownloadComplete);
        QSignalSpy failed(&downloader, &Downloader::DownloadError);
        const QString target = m_work.filePath("out/tiada.txt");
        downloader.BeginDownload(url("tiada.txt"), target);
        QVERIFY(QTest::qWaitFor([&] { return failed.count() == 1; }, 20000));
        QCOMPARE(complete.count(), 0);
        QCOMPARE(failed.at(0).at(0).toString(), target);
        QVERIFY(!QFile::exists(target));
    }
};

QTEST_MAIN(TestDownloaderHttps)
#include "tst_downloader_https.moc"

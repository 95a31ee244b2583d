#include "gui/widgets/Downloader.h"

#include "fakes/FakeHttpClient.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;

namespace {
QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}
void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestDownloader : public QObject {
    Q_OBJECT
private slots:
    void twoDownloadsAreToldApartByTheirFiles() {
        QTemporaryDir dir;
        fakes::FakeHttpClient http;
        Downloader d(http);
        QSignalSpy progress(&d, &Downloader::DownloadProgress);
        QSignalSpy complete(&d, &Downloader::DownloadComplete);
        const QString a = dir.filePath("a.json"), b = dir.filePath("b.json");
        d.BeginDownload("https://example.test/a", a);
        d.BeginDownload("https://example.test/b", b);
        QCOMPARE(http.requests.size(), std::size_t(2));
        QVERIFY(http.requests[0].bypassCache && http.requests[1].bypassCache);
        QCOMPARE(QString::fromStdString(http.requests[1].url), QString("https://example.test/b"));

        http.oldest()->progress(2, 4);
        http.oldest()->progress(1, -1); // unknown size: not reported
        QVERIFY(http.reply(200, "AAAA"));
        http.oldest()->progress(3, 6);
        QVERIFY(http.reply(200, "BBBBBB"));

        QCOMPARE(progress.count(), 2);
        QCOMPARE(progress.at(0), (QVariantList{a, qint64(2), qint64(4)}));
        QCOMPARE(progress.at(1), (QVariantList{b, qint64(3), qint64(6)}));
        QCOMPARE(complete.count(), 2);
        QCOMPARE(complete.at(0), (QVariantList{a, qint64(4)}));
        QCOMPARE(complete.at(1), (QVariantList{b, qint64(6)}));
        QCOMPARE(contentOf(a), QByteArray("AAAA"));
        QCOMPARE(contentOf(b), QByteArray("BBBBBB"));
        QCOMPARE(d.downloadsInFlight(), std::size_t(0));
    }

    void aShorterDownloadReplacesTheWholeFile() {
        QTemporaryDir dir;
        const QString target = dir.filePath("data.bin");
        writeFile(target, QByteArray(100, 'x'));
        fakes::FakeHttpClient http;
        Downloader d(http);
        d.BeginDownload("https://example.test/data", target);
        http.reply(200, "short");
        QCOMPARE(contentOf(target), QByteArray("short"));
        QVERIFY(!QFile::exists(target + ".tmp"));
    }

    void failuresWriteNothingAndAreNotReportedAsComplete_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("networkFailure");
        QTest::newRow("network") << 0 << QByteArray() << true;
        QTest::newRow("not found") << 404 << QByteArray("<html>missing</html>") << false;
        QTest::newRow("empty") << 200 << QByteArray() << false;
    }
    void failuresWriteNothingAndAreNotReportedAsComplete() {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(bool, networkFailure);
        QTemporaryDir dir;
        const QString target = dir.filePath("keep.bin");
        writeFile(target, "old");
        fakes::FakeHttpClient http;
        Downloader d(http);
        QSignalSpy error(&d, &Downloader::DownloadError);
        QSignalSpy complete(&d, &Downloader::DownloadComplete);
        d.BeginDownload("https://example.test/x", target);
        if (networkFailure)
            http.fail(HttpResponse::Error::Network, "Host not found");
        else
            http.reply(status, body.toStdString());
        QCOMPARE(error.count(), 1);
        QCOMPARE(error.at(0).at(0).toString(), target);
        QCOMPARE(complete.count(), 0);
        QCOMPARE(contentOf(target), QByteArray("old"));
    }

    void aMissingFolderIsAnErrorNotACrash() {
        QTemporaryDir dir;
        const QString target = dir.filePath("no/such/folder/file.bin");
        fakes::FakeHttpClient http;
        Downloader d(http);
        QSignalSpy error(&d, &Downloader::DownloadError);
        QSignalSpy complete(&d, &Downloader::DownloadComplete);
        d.BeginDownload("https://example.test/x", target);
        http.reply(200, "data");
        QCOMPARE(error.count(), 1);
        QCOMPARE(complete.count(), 0);
        QVERIFY(!QFile::exists(target));
    }

    void unusableRequestsAreDroppedAndPendingOnesCancelledOnClose() {
        fakes::FakeHttpClient http;
        {
            Downloader d(http);
            d.BeginDownload("", "/tmp/x");
            d.BeginDownload("https://example.test/x", "");
            QCOMPARE(http.requests.size(), std::size_t(0));
            d.BeginDownload("https://example.test/x", "/tmp/never-written");
            d.resize(200, 200);
            QCOMPARE(d.size(), QSize(32, 32));
        }
        QCOMPARE(http.cancelled, 1);
        QCOMPARE(http.pendingCount(), std::size_t(0));
    }
};

QTEST_MAIN(TestDownloader)
#include "tst_downloader.moc"

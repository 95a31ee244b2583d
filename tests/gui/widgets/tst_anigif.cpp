// The animated-picture control: composing, playing, broken and remote input, and the shipped pictures.
#include "fakes/FakeHttpClient.h"
#include "gui/widgets/ucAniGIF.h"
#include "support/GifTestSupport.h"
#include "support/QtTestRegistry.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace tavrola;
using testing::solidFrame;

namespace {

QByteArray toQt(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

// 8×4: a red background, then a green 2×2 square at (1,1) with a transparent corner, then a blue
// row that is cleared (disposal 2) before the animation wraps.
QByteArray sampleGif(std::optional<int> loops = std::nullopt, int delay = 20) {
    GifEncoder enc(8, 4);
    enc.setGlobalPalette(testing::basicPalette());
    enc.setLoopCount(loops);
    enc.addFrame(solidFrame(0, 0, 8, 4, 1, delay));
    auto square = solidFrame(1, 1, 2, 2, 2, delay);
    square.transparent = true;
    square.transparentIndex = 0;
    square.pixels[0] = 0;
    enc.addFrame(square);
    auto row = solidFrame(0, 3, 8, 1, 3, delay);
    row.disposal = 2;
    enc.addFrame(row);
    return toQt(enc.encode());
}

} // namespace

class TestAniGif : public QObject {
    Q_OBJECT
private slots:
    void composesFramesStepByStep() {
        ucAniGIF g;
        g.setDelayAnimation(2); // stay on the first frame; the test steps
        QVERIFY(g.LoadAnimatedGIF_Array(sampleGif()));
        const auto px = [&](int x, int y) { return g.currentImage().pixel(x, y); };
        g.setAction(3);
        QCOMPARE(px(1, 1), qRgb(255, 0, 0)); // transparent corner
        QCOMPARE(px(2, 2), qRgb(0, 255, 0));
        g.setAction(3);
        QCOMPARE(px(5, 3), qRgb(0, 0, 255));
        g.setAction(3); // wrapped: the cleared row is gone
        QCOMPARE(g.currentFrame(), 1);
        QCOMPARE(px(5, 3), qRgb(255, 0, 0));

        // Interlaced rows come out in row order.
        GifEncoder enc(3, 11);
        std::vector<GifColour> palette;
        for (int i = 0; i < 11; ++i)
            palette.push_back({static_cast<std::uint8_t>(i * 20), 0, 0});
        enc.setGlobalPalette(palette);
        GifEncoderFrame f = solidFrame(0, 0, 3, 11, 0, 0);
        for (int y = 0; y < 11; ++y)
            std::fill_n(f.pixels.begin() + y * 3, 3, static_cast<std::uint8_t>(y));
        f.interlaced = true;
        enc.addFrame(f);
        QVERIFY(g.LoadAnimatedGIF_Array(toQt(enc.encode())));
        for (int y = 0; y < 11; ++y)
            QCOMPARE(px(1, y), qRgb(y * 20, 0, 0));
    }

    void playsItsLoopsAndEndsOnTheFirstFrame() {
        ucAniGIF g;
        g.setLoops(1);
        QSignalSpy changed(&g, &ucAniGIF::FrameChanged);
        QSignalSpy ended(&g, &ucAniGIF::LoopsEnded);
        g.setMinFrameDelay(10);
        QVERIFY(g.LoadAnimatedGIF_Array(sampleGif(std::nullopt, 0)));
        QVERIFY(ended.wait(2000));
        QCOMPARE(g.Action(), 0);
        QList<int> frames;
        for (const auto& args : changed)
            frames << args.at(0).toInt();
        QCOMPARE(frames, (QList<int>{1, 2, 3, 1}));
    }

    void picturesPlayingTogetherShareOneWakeUp() {
        // Frames due within a few milliseconds of each other are shown in one go.
        QElapsedTimer clock;
        clock.start();
        ucAniGIF a, b;
        QList<qint64> at[2];
        connect(&a, &ucAniGIF::FrameChanged, &a, [&] { at[0] << clock.elapsed(); });
        connect(&b, &ucAniGIF::FrameChanged, &b, [&] { at[1] << clock.elapsed(); });
        QVERIFY(a.LoadAnimatedGIF_Array(sampleGif(std::nullopt, 10)));
        QTest::qWait(5);
        QVERIFY(b.LoadAnimatedGIF_Array(sampleGif(std::nullopt, 10)));
        QTRY_VERIFY(at[1].size() >= 5);
        for (int i = 1; i < 5; ++i)
            QVERIFY2(at[0].contains(at[1][i]) || at[0].contains(at[1][i] - 1), qPrintable(QString::number(i)));
    }

    void aFrameChangedHandlerMayStopTheAnimation() {
        ucAniGIF g;
        g.setMinFrameDelay(10);
        connect(&g, &ucAniGIF::FrameChanged, &g, [&](int frame) {
            if (frame == 2)
                g.setAction(0);
        });
        QVERIFY(g.LoadAnimatedGIF_Array(sampleGif(std::nullopt, 0)));
        QTRY_COMPARE(g.Action(), 0);
        QTest::qWait(100);
        QCOMPARE(g.currentFrame(), 1);
        QCOMPARE(g.Action(), 0);
    }

    void brokenInputLeavesTheControlEmpty_data() {
        const QByteArray good = sampleGif();
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("signature only") << good.left(6);
        QTest::newRow("no trailer") << good.left(good.size() - 1);
        QTest::newRow("wrong version") << "GIF89b" + good.mid(6);
        QTest::newRow("cut in a control block") << "GIF89a" + QByteArray::fromHex("0100010000000021f904");
        QTest::newRow("huge frame") << "GIF89a" +
                                           QByteArray::fromHex(
                                               "010001000000002c00000000605ea05e800000000000000202440100") +
                                           ";";
    }
    void brokenInputLeavesTheControlEmpty() {
        QFETCH(QByteArray, bytes);
        ucAniGIF g;
        QVERIFY(g.LoadAnimatedGIF_Array(sampleGif()));
        QVERIFY(!g.LoadAnimatedGIF_Array(bytes));
        QCOMPARE(g.FrameCount(), 0);
        QVERIFY(g.currentImage().isNull());
        g.setAction(1); // nothing to play
        QCOMPARE(g.Action(), 0);
    }

    void remoteLoading() {
        fakes::FakeHttpClient http;
        ucAniGIF g;
        QSignalSpy failed(&g, &ucAniGIF::RemoteLoadFailure);
        g.LoadAnimatedGIF_Remote("https://example.invalid/a.gif");
        QCOMPARE(failed.count(), 1); // no HTTP service
        g.setHttpClient(&http);
        bool cancelNext = false;
        connect(&g, &ucAniGIF::RemoteLoadComplete, &g, [&](bool& cancel, float, float) { cancel = cancelNext; });
        g.LoadAnimatedGIF_Remote("https://example.invalid/a.gif");
        QVERIFY(http.reply(200, sampleGif().toStdString()));
        QCOMPARE(g.FrameCount(), 3);
        cancelNext = true; // the handler may refuse the picture
        g.LoadAnimatedGIF_Array(QByteArray());
        g.LoadAnimatedGIF_Remote("https://example.invalid/a.gif");
        QVERIFY(http.reply(200, sampleGif().toStdString()));
        QCOMPARE(g.FrameCount(), 0);

        failed.clear();
        g.LoadAnimatedGIF_Remote("https://example.invalid/b.gif");
        QVERIFY(http.reply(200, std::string(20, 'x')));
        g.LoadAnimatedGIF_Remote("https://example.invalid/c.gif");
        QVERIFY(http.reply(404, sampleGif().toStdString()));
        g.LoadAnimatedGIF_Remote("https://example.invalid/d.gif");
        QVERIFY(http.fail(HttpResponse::Error::Network, "down"));
        QCOMPARE(failed.count(), 3);
        {
            ucAniGIF gone; // a control that goes away withdraws its download
            gone.setHttpClient(&http);
            gone.LoadAnimatedGIF_Remote("https://example.invalid/e.gif");
        }
        QCOMPARE(http.pendingCount(), std::size_t{0});
    }

    // What the build drew into the program folder plays in the control.
    void shippedArtwork() {
        const QString dir = TAVROLA_PROGRAM_DIR;
        QStringList gifs = {"logo/logo.gif"};
        for (int i = 0; i < 5; ++i)
            gifs << QString("gif/indicator%1.gif").arg(i);
        for (const char* day : {"isnin", "selasa", "rabu", "khamis", "jumaat", "sabtu", "ahad"})
            gifs << QString("gif/%1.gif").arg(day);
        for (const QString& name : gifs) {
            ucAniGIF g;
            QVERIFY2(g.LoadAnimatedGIF_File(dir + "/" + name), qPrintable(name));
            QVERIFY2(g.FrameCount() > 1 && g.Loops() == 0, qPrintable(name));
            QCOMPARE(qAlpha(g.currentImage().pixel(0, 0)), 0); // the corners are see-through
        }
        const QImage black(dir + "/bg/hitam.jpg");
        QVERIFY(black.width() >= 3840 && black.height() >= 2160);
        QCOMPARE(black.pixel(1920, 1080), qRgb(0, 0, 0));
    }
};

TAVROLA_QTEST(TestAniGif)
#include "tst_anigif.moc"

#include "gui/widgets/ucAniGIF.h"

#include "core/widgets/GifEncoder.h"
#include "fakes/FakeHttpClient.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;

namespace {

QByteArray toQt(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

GifEncoderFrame frame(int left, int top, int w, int h, std::uint8_t index, int delay) {
    GifEncoderFrame f;
    f.left = left;
    f.top = top;
    f.width = w;
    f.height = h;
    f.delay = delay;
    f.pixels.assign(static_cast<std::size_t>(w * h), index);
    return f;
}

// 8×4: a red background, then a green 2×2 square at (1,1) with a transparent corner, then a blue
// row that is cleared (disposal 2) before the animation wraps.
QByteArray sampleGif(std::optional<int> loops = std::nullopt, int delay = 20) {
    GifEncoder enc(8, 4);
    enc.setGlobalPalette({{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}});
    enc.setLoopCount(loops);
    enc.addFrame(frame(0, 0, 8, 4, 1, delay));
    auto square = frame(1, 1, 2, 2, 2, delay);
    square.transparent = true;
    square.transparentIndex = 0;
    square.pixels[0] = 0;
    enc.addFrame(square);
    auto row = frame(0, 3, 8, 1, 3, delay);
    row.disposal = 2;
    enc.addFrame(row);
    return toQt(enc.encode());
}

QRgb pixel(const ucAniGIF& g, int x, int y) {
    return g.currentImage().pixel(x, y);
}

} // namespace

class TestUcAniGIF : public QObject {
    Q_OBJECT
private slots:
    void loadsAndComposesFrames() {
        ucAniGIF g;
        g.setDelayAnimation(2); // stay on the first frame; the test steps
        QSignalSpy changed(&g, &ucAniGIF::FrameChanged);
        QVERIFY(g.LoadAnimatedGIF_Array(sampleGif()));
        QCOMPARE(g.FrameCount(), 3);
        QCOMPARE(g.ActualWidth(), 8);
        QCOMPARE(g.ActualHeight(), 4);
        QCOMPARE(g.Action(), 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 1);
        QCOMPARE(pixel(g, 1, 1), qRgb(255, 0, 0));

        g.setAction(3);
        QCOMPARE(g.currentFrame(), 2);
        QCOMPARE(pixel(g, 1, 1), qRgb(255, 0, 0)); // transparent corner
        QCOMPARE(pixel(g, 2, 2), qRgb(0, 255, 0));
        g.setAction(3);
        QCOMPARE(pixel(g, 5, 3), qRgb(0, 0, 255));
        g.setAction(3);
        QCOMPARE(g.currentFrame(), 1);
        QCOMPARE(pixel(g, 5, 3), qRgb(255, 0, 0));
        g.setAction(3);
        QCOMPARE(g.currentFrame(), 2);
        QCOMPARE(pixel(g, 5, 3), qRgb(255, 0, 0));
        QCOMPARE(changed.count(), 5);
    }

    void interlacedFramesComeOutInRowOrder() {
        GifEncoder enc(3, 11);
        std::vector<GifColour> palette;
        for (int i = 0; i < 11; ++i)
            palette.push_back({static_cast<std::uint8_t>(i * 20), 0, 0});
        enc.setGlobalPalette(palette);
        GifEncoderFrame f = frame(0, 0, 3, 11, 0, 0);
        for (int y = 0; y < 11; ++y)
            std::fill_n(f.pixels.begin() + y * 3, 3, static_cast<std::uint8_t>(y));
        f.interlaced = true;
        enc.addFrame(f);
        const QByteArray gif = toQt(enc.encode());
        QVERIFY(gif.contains(QByteArray::fromHex("0b0040"))); // height 11, then the interlace flag
        ucAniGIF g;
        QVERIFY(g.LoadAnimatedGIF_Array(gif));
        for (int y = 0; y < 11; ++y)
            QCOMPARE(pixel(g, 1, y), qRgb(y * 20, 0, 0));
    }

    void mirrorsTheComposedPicture() {
        ucAniGIF g;
        g.setDelayAnimation(2);
        QVERIFY(g.LoadAnimatedGIF_Array(sampleGif()));
        g.setAction(3);
        g.setMirrored(1);
        QCOMPARE(pixel(g, 5, 2), qRgb(0, 255, 0));
        QCOMPARE(pixel(g, 2, 2), qRgb(255, 0, 0));
        g.setMirrored(3);
        QCOMPARE(pixel(g, 5, 1), qRgb(0, 255, 0));
        g.setMirrored(7); // ignored
        QCOMPARE(g.Mirrored(), 3);
    }

    void playsWithTheTimerAndEndsLoops() {
        ucAniGIF g;
        g.setLoops(1);
        QSignalSpy changed(&g, &ucAniGIF::FrameChanged);
        QSignalSpy ended(&g, &ucAniGIF::LoopsEnded);
        g.setMinFrameDelay(10);
        QVERIFY(g.LoadAnimatedGIF_Array(sampleGif(std::nullopt, 0)));
        QCOMPARE(g.Action(), 1);
        QVERIFY(ended.wait(2000));
        QCOMPARE(g.currentFrame(), 1);
        QCOMPARE(g.Action(), 0);
        QList<int> frames;
        for (const auto& args : changed)
            frames << args.at(0).toInt();
        QCOMPARE(frames, (QList<int>{1, 2, 3, 1}));
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

    void loopCountComesFromTheFile() {
        ucAniGIF g;
        QVERIFY(g.LoadAnimatedGIF_Array(sampleGif(4)));
        QCOMPARE(g.Loops(), 4);
        QCOMPARE(g.LoopsRemaining(), 4);
        g.setAction(0);
        QCOMPARE(g.Action(), 0);
    }

    void brokenInputLeavesTheControlEmpty() {
        const QByteArray good = sampleGif();
        const QList<QByteArray> bad = {
            {},
            good.left(6),
            good.left(good.size() - 1),
            "GIF89b" + good.mid(6),
            "GIF89a" + QByteArray::fromHex("0100010000000021f904"),
            "GIF89a" + QByteArray::fromHex("010001000000002c00000000605ea05e800000000000000202440100") + ";",
        };
        for (const QByteArray& b : bad) {
            ucAniGIF g;
            QVERIFY(g.LoadAnimatedGIF_Array(good));
            QVERIFY(!g.LoadAnimatedGIF_Array(b));
            QCOMPARE(g.FrameCount(), 0);
            QCOMPARE(g.LoopsRemaining(), -1);
            QVERIFY(g.currentImage().isNull());
            g.setAction(1); // nothing to play
            QCOMPARE(g.Action(), 0);
        }
    }

    void fileLoading() {
        QTemporaryDir dir;
        ucAniGIF g;
        QVERIFY(!g.LoadAnimatedGIF_File(dir.filePath("missing.gif")));
        QVERIFY(!g.LoadAnimatedGIF_File(QString()));
        QFile empty(dir.filePath("empty.gif"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QVERIFY(!g.LoadAnimatedGIF_File(empty.fileName()));
        QFile good(dir.filePath("good.gif"));
        QVERIFY(good.open(QIODevice::WriteOnly));
        good.write(sampleGif());
        good.close();
        QVERIFY(g.LoadAnimatedGIF_File(good.fileName()));
        QCOMPARE(g.FrameCount(), 3);
    }

    void reencodingKeepsEveryFrame() {
        ucAniGIF a;
        a.setDelayAnimation(2);
        QVERIFY(a.LoadAnimatedGIF_Array(sampleGif(2)));
        ucAniGIF b;
        b.setDelayAnimation(2);
        b.setAnimatedGIF(a.AnimatedGIF());
        QCOMPARE(b.FrameCount(), 3);
        QCOMPARE(b.Loops(), 2);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(b.currentImage(), a.currentImage());
            a.setAction(3);
            b.setAction(3);
        }
    }

    void palettes() {
        ucAniGIF g;
        g.setDelayAnimation(2);
        QVERIFY(g.LoadAnimatedGIF_Array(sampleGif()));
        QList<QRgb> colours;
        QVERIFY(g.GetPalette(1, colours));
        QCOMPARE(colours.size(), 256);
        QCOMPARE(colours[1], qRgb(255, 0, 0));
        QVERIFY(!g.GetPalette(4, colours));
        g.CacheColorTables();
        QVERIFY(g.SetPalette(1, {qRgb(0, 0, 0), qRgb(10, 20, 30)}));
        QCOMPARE(pixel(g, 0, 0), qRgb(10, 20, 30));
        g.RestoreColorTables();
        QCOMPARE(pixel(g, 0, 0), qRgb(255, 0, 0));
    }

    void stretchAndPainting() {
        ucAniGIF g;
        g.resize(80, 80);
        g.setDelayAnimation(2);
        QVERIFY(g.LoadAnimatedGIF_Array(sampleGif()));
        QImage shot = g.grab().toImage();
        QCOMPARE(shot.pixel(79, 39), qRgb(255, 0, 0)); // fitted: 80 × 40
        g.setStretch(2);
        shot = g.grab().toImage();
        QCOMPARE(shot.pixel(79, 79), qRgb(255, 0, 0));
        g.setOffsetX(4); // image pixels: 40 control pixels at a scale of 10
        shot = g.grab().toImage();
        QCOMPARE(shot.pixel(45, 10), qRgb(255, 0, 0));
        g.setStretch(4);
        QCOMPARE(g.size(), QSize(8, 4));
        g.setStretch(9);
        QCOMPARE(g.Stretch(), 4);
    }

    void remoteLoading() {
        fakes::FakeHttpClient http;
        ucAniGIF g;
        QSignalSpy failed(&g, &ucAniGIF::RemoteLoadFailure);
        g.LoadAnimatedGIF_Remote("https://example.invalid/a.gif");
        QCOMPARE(failed.count(), 1); // no HTTP service

        g.setHttpClient(&http);
        float w = 0, h = 0;
        bool cancelNext = false;
        connect(&g, &ucAniGIF::RemoteLoadComplete, &g, [&](bool& cancel, float width, float height) {
            w = width;
            h = height;
            cancel = cancelNext;
        });
        g.LoadAnimatedGIF_Remote("https://example.invalid/a.gif");
        QCOMPARE(http.requests.back().url, std::string("https://example.invalid/a.gif"));
        QVERIFY(http.reply(200, sampleGif().toStdString()));
        QCOMPARE(w, 8.0f);
        QCOMPARE(h, 4.0f);
        QCOMPARE(g.FrameCount(), 3);

        cancelNext = true;
        g.LoadAnimatedGIF_Array(QByteArray());
        g.LoadAnimatedGIF_Remote("https://example.invalid/a.gif");
        QVERIFY(http.reply(200, sampleGif().toStdString()));
        QCOMPARE(g.FrameCount(), 0);

        cancelNext = false;
        for (const std::string& body :
             {std::string("GIF89a"), std::string(20, 'x'), std::string("GIF89a") + std::string(20, '\0')}) {
            g.LoadAnimatedGIF_Remote("https://example.invalid/b.gif");
            failed.clear();
            QVERIFY(http.reply(200, body));
            QCOMPARE(failed.count(), 1);
        }
        g.LoadAnimatedGIF_Remote("https://example.invalid/c.gif");
        failed.clear();
        QVERIFY(http.reply(404, sampleGif().toStdString()));
        QCOMPARE(failed.count(), 1);
        g.LoadAnimatedGIF_Remote("https://example.invalid/d.gif");
        QVERIFY(http.fail(HttpResponse::Error::Network, "down"));
        QCOMPARE(failed.count(), 2);

        // A control that goes away withdraws its download.
        {
            ucAniGIF gone;
            gone.setHttpClient(&http);
            gone.LoadAnimatedGIF_Remote("https://example.invalid/e.gif");
        }
        QCOMPARE(http.pendingCount(), std::size_t{0});
        QCOMPARE(http.cancelled, 1);
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
            QVERIFY2(g.FrameCount() > 1, qPrintable(name));
            QCOMPARE(g.Loops(), 0);
            QCOMPARE(qAlpha(g.currentImage().pixel(0, 0)), 0); // the corners are see-through
        }
        const QImage black(dir + "/bg/hitam.jpg");
        QVERIFY(black.width() >= 3840 && black.height() >= 2160);
        for (const QPoint p : {QPoint(0, 0), QPoint(1920, 1080), QPoint(3839, 2159)})
            QCOMPARE(black.pixel(p), qRgb(0, 0, 0));
        for (int size : {16, 32, 48})
            QCOMPARE(QImage(dir + QString("/icon/tavrola%1.png").arg(size)).size(), QSize(size, size));
    }

    void mouseEvents() {
        ucAniGIF g;
        g.resize(20, 20);
        QSignalSpy down(&g, &ucAniGIF::MouseDown);
        QSignalSpy click(&g, &ucAniGIF::Click);
        QTest::mouseClick(&g, Qt::LeftButton, Qt::ShiftModifier, QPoint(3, 4));
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.at(0).at(0).toInt(), 1);
        QCOMPARE(down.at(0).at(1).toInt(), 1);
        QCOMPARE(down.at(0).at(2).toFloat(), 3.0f);
        QCOMPARE(click.count(), 1);
    }
};

QTEST_MAIN(TestUcAniGIF)
#include "tst_ucanigif.moc"

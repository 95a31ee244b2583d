// SPDX-License-Identifier: GPL-3.0-or-later
// The animated-picture control: a handler stopping it, broken input, and the shipped pictures.
// Composing frames and the loop rules are the core's (test_gif_composer, test_gif_playback).
#include "gui/widgets/ucAniGIF.h"
#include "support/GifTestSupport.h"
#include "support/QtTestRegistry.h"

#include <QtTest>

using namespace tavrola;

namespace {

QByteArray toQt(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

QByteArray sampleGif(int delay = 20) {
    return toQt(testing::threeFrameGif(std::nullopt, delay));
}

} // namespace

class TestAniGif : public QObject {
    Q_OBJECT
private slots:
    void aFrameChangedHandlerMayStopTheAnimation() {
        ucAniGIF g;
        g.setMinFrameDelay(10);
        connect(&g, &ucAniGIF::FrameChanged, &g, [&](int frame) {
            if (frame == 2)
                g.setAction(0);
        });
        QVERIFY(g.LoadAnimatedGIF_Array(sampleGif(0)));
        TAVROLA_TRY_VERIFY(g.Action() == 0);
        QTest::qWait(100); // a fixed wait for what must not happen: another frame
        QCOMPARE(g.currentFrame(), 1);
        QCOMPARE(g.Action(), 0);
    }

    void brokenInputLeavesTheControlEmpty_data() {
        const QByteArray good = sampleGif();
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no trailer") << good.left(good.size() - 1);
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

    // What the build drew into the program folder plays in the control.
    void shippedArtwork() {
        const QString dir = TAVROLA_PROGRAM_DIR;
        for (const char* name : {"logo/logo", "gif/indicator0", "gif/indicator1", "gif/indicator2",
                                 "gif/indicator3", "gif/indicator4", "gif/isnin", "gif/selasa", "gif/rabu",
                                 "gif/khamis", "gif/jumaat", "gif/sabtu", "gif/ahad"}) {
            ucAniGIF g;
            QVERIFY2(g.LoadAnimatedGIF_File(dir + "/" + name + ".gif"), name);
            QVERIFY2(g.FrameCount() > 1 && g.Loops() == 0, name);
            QCOMPARE(qAlpha(g.currentImage().pixel(0, 0)), 0); // the corners are see-through
        }
        const QImage black(dir + "/bg/hitam.jpg");
        QVERIFY(black.width() >= 3840 && black.height() >= 2160);
        QCOMPARE(black.pixel(1920, 1080), qRgb(0, 0, 0));
    }
};

TAVROLA_QTEST(TestAniGif)
#include "tst_anigif.moc"

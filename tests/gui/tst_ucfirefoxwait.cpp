#include "gui/widgets/ucFirefoxWait.h"

#include <QLabel>
#include <QTimer>
#include <QtTest>

using tavrola::ucFirefoxWait;

class TestUcFirefoxWait : public QObject {
    Q_OBJECT
private slots:
    void startsStillOnTheFirstFrame() {
        ucFirefoxWait w;
        QVERIFY(w.findChild<QLabel*>("picDestination"));
        QVERIFY(!w.IsPlaying());
        QCOMPARE(w.frame(), 0);
        QCOMPARE(w.AnimationSpeed(), 100);
        QCOMPARE(w.size(), QSize(16, 16));
        // The default background is the strip's own, so the frame is shown as drawn.
        QCOMPARE(w.currentPicture(), w.picSource.copy(0, 0, 16, 16));
    }

    void eightTicksComeBackToTheFirstFrame() {
        ucFirefoxWait w;
        const QImage first = w.currentPicture();
        for (int tick = 1; tick <= 8; ++tick) {
            w.tmrPlay_Timer();
            QCOMPARE(w.frame(), tick % 8);
            if (tick < 8)
                QVERIFY(w.currentPicture() != first);
        }
        QCOMPARE(w.currentPicture(), first);
    }

    void playAndStop() {
        ucFirefoxWait w;
        w.setAnimationSpeed(40);
        w.PlayWait();
        QVERIFY(w.IsPlaying());
        QVERIFY(w.tmrPlay->isActive());
        QCOMPARE(w.tmrPlay->interval(), 40);
        QTRY_VERIFY(w.frame() != 0);
        w.StopWait();
        QVERIFY(!w.tmrPlay->isActive());
        QCOMPARE(w.frame(), 0);
        w.setIsPlaying(true);
        QVERIFY(w.tmrPlay->isActive());
        w.setIsPlaying(false);
        QVERIFY(!w.IsPlaying());
    }

    void stopWhileStoppedDoesNothing() {
        ucFirefoxWait w;
        w.tmrPlay_Timer();
        w.tmrPlay_Timer();
        const QImage shown = w.currentPicture();
        w.StopWait();
        QCOMPARE(w.frame(), 2);
        QCOMPARE(w.currentPicture(), shown);
    }

    void backColorReplacesOnlyTheBackground() {
        ucFirefoxWait w;
        const QImage original = w.currentPicture();
        const QRgb background = w.picSource.pixel(17, 17);
        w.setBackColor(0x0000FF); // red
        const QImage tinted = w.currentPicture();
        int drawing = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                if (original.pixel(x, y) == background) {
                    QCOMPARE(QColor(tinted.pixel(x, y)), QColor(255, 0, 0));
                } else {
                    QCOMPARE(tinted.pixel(x, y), original.pixel(x, y));
                    ++drawing;
                }
            }
        }
        QVERIFY(drawing > 20);
        w.tmrPlay_Timer(); // later frames keep the colour
        QCOMPARE(QColor(w.currentPicture().pixel(0, 0)), QColor(255, 0, 0));
    }
};

QTEST_MAIN(TestUcFirefoxWait)
#include "tst_ucfirefoxwait.moc"

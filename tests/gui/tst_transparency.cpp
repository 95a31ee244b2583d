#include "fakes/TempDir.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/Transparency.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

using namespace tavrola;

namespace {

// Left half white, right half pure black; the colour of the left half can be changed.
class TwoTone : public QWidget {
public:
    TwoTone() { resize(100, 60); }
    QColor left = Qt::white;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(0, 0, 50, 60, left);
        p.fillRect(50, 0, 50, 60, Qt::black);
    }
};

} // namespace

class TestTransparency : public QObject {
    Q_OBJECT
private slots:
#ifndef Q_OS_WIN
    void blackIsCutOutOfTheWindow() {
        TwoTone w;
        QVERIFY(ApplyTransparency(&w, 255));
        QVERIFY(w.mask().contains(QPoint(10, 10)));
        QVERIFY(w.mask().contains(QPoint(49, 59)));
        QVERIFY(!w.mask().contains(QPoint(50, 0)));
        QVERIFY(!w.mask().contains(QPoint(90, 30)));
    }

    void theCutFollowsWhatIsDrawn() {
        TwoTone w;
        ApplyTransparency(&w, 255);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Something black drawn later is see-through too.
        w.left = Qt::black;
        w.update();
        QTRY_VERIFY(!w.mask().contains(QPoint(10, 10)));
        // A control placed later on a black part shows.
        auto* label = new QLabel(&w);
        label->setGeometry(60, 10, 30, 20);
        label->setAutoFillBackground(true);
        label->setStyleSheet("background: rgb(200, 0, 0)");
        label->show();
        QTRY_VERIFY(w.mask().contains(QPoint(62, 12)));
        QVERIFY(!w.mask().contains(QPoint(95, 30)));
    }

    void alphaIsTheWindowsOpacity() {
        TwoTone w;
        ApplyTransparency(&w, 0);
        QCOMPARE(w.windowOpacity(), 0.0);
        ApplyTransparency(&w, 255);
        QCOMPARE(w.windowOpacity(), 1.0);
        SetLayeredAttributes(&w, kColourKey, 0, false);
        QCOMPARE(w.windowOpacity(), 1.0); // colour key only: alpha untouched
    }
#endif

    void fadeStepsByThreeToExactlyOpaque() {
        const std::vector<int> steps = fadeSteps();
        QCOMPARE(steps.size(), std::size_t(86));
        QCOMPARE(steps.front(), 0);
        QCOMPARE(steps.back(), 255);
        for (std::size_t i = 1; i < steps.size(); ++i)
            QCOMPARE(steps[i] - steps[i - 1], 3);
    }

    void fadeInShowsTheWindowWithoutHoldingUpTheProgram() {
        TwoTone w;
        QVERIFY(!w.isVisible());
        WindowFader* fader = FadeInWindow(&w);
        QVERIFY(fader);
        QSignalSpy steps(fader, &WindowFader::stepped);
        QSignalSpy done(fader, &WindowFader::finished);
        QVERIFY(w.isVisible());
        QVERIFY(fader->isRunning()); // the steps come from the event loop
        QTRY_COMPARE(done.count(), 1);
        QCOMPARE(steps.count(), 86);
        for (int i = 0; i < steps.count(); ++i)
            QCOMPARE(steps[i][0].toInt(), 3 * i);
#ifndef Q_OS_WIN
        QCOMPARE(w.windowOpacity(), 1.0);
#endif
        // A second fade repeats it and ends the same way.
        QCOMPARE(FadeInWindow(&w), fader);
        QTRY_COMPARE(done.count(), 2);
        QCOMPARE(steps.count(), 172);
        QCOMPARE(steps.back()[0].toInt(), 255);
    }

    void noBackgroundShowsAHiddenClockOnBlack() {
        fakes::TempDir dir;
        const QString picture = pathToQt(dir / "hitam.jpg");
        QImage black(200, 120, QImage::Format_RGB32);
        black.fill(Qt::black);
        QVERIFY(black.save(picture, "JPG"));

        QWidget clock;
        clock.resize(200, 120);
        clock.setAutoFillBackground(true);
        QPalette designed = clock.palette();
        designed.setColor(QPalette::Window, QColor(20, 60, 140));
        clock.setPalette(designed);
        auto* digits = new QLabel("12:30", &clock);
        digits->setGeometry(10, 10, 80, 30);
        digits->setAutoFillBackground(true);
        digits->setStyleSheet("background: white; color: rgb(0, 200, 0)");

        QVERIFY(ShowWithoutBackground(&clock, picture));
        QVERIFY(clock.isVisible());
        auto* fader = clock.findChild<WindowFader*>();
        QVERIFY(fader);
        QTRY_VERIFY(!fader->isRunning());
        const QImage shown = clock.grab().toImage();
        QCOMPARE(shown.pixelColor(150, 100), QColor(Qt::black));
#ifndef Q_OS_WIN
        QTRY_VERIFY(!clock.mask().contains(QPoint(150, 100)));
        QVERIFY(clock.mask().contains(QPoint(15, 15)));
#endif
    }

    void noBackgroundWithoutThePictureStillGoesBlack() {
        QWidget clock;
        clock.resize(120, 80);
        clock.setAutoFillBackground(true);
        QPalette designed = clock.palette();
        designed.setColor(QPalette::Window, QColor(20, 60, 140));
        clock.setPalette(designed);
        QVERIFY(!ShowWithoutBackground(&clock, "/no/such/folder/hitam.jpg"));
        QVERIFY(clock.isVisible());
        QCOMPARE(clock.grab().toImage().pixelColor(60, 40), QColor(Qt::black));

        // The clock may place the picture itself.
        QWidget other;
        QPixmap given;
        ShowWithoutBackground(&other, "/no/such/folder/hitam.jpg", [&](const QPixmap& p) { given = p; });
        QVERIFY(!given.isNull());
        QCOMPARE(given.toImage().pixelColor(0, 0), QColor(Qt::black));
    }
};

QTEST_MAIN(TestTransparency)
#include "tst_transparency.moc"

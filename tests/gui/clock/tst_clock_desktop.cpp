// The clock window on the desktop: which monitor it covers and how it moves between them, the running
// strip, proportional resizing, and black made see-through.
#include "gui/clock/StripMover.h"
#include "gui/desktop/WidgetLayout.h"
#include "gui/platform/Transparency.h"
#include "support/ClockWindowRig.h"
#include "support/QtTestRegistry.h"

#include <QCheckBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace tavrola;
using tavrola::testing::ClockWindowRig;

namespace {

const QRect kLeft(0, 0, 1024, 768);
const QRect kRight(1024, 0, 800, 600);

// A clock on two monitors side by side, LEFT (primary) and RIGHT, the pointer over RIGHT.
struct TwoMonitors : ClockWindowRig {
    TwoMonitors() : ClockWindowRig({}, kLeft.size()) {
        screens.list[0].name = "LEFT";
        screens.add("RIGHT", {1024, 0, 1824, 600});
        screens.cursor = {1500, 300};
    }
    QString tag() const { return find("cmdSwitchMonitors")->property("Tag").toString(); }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
};

// Left half `left`, right half pure black.
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

class TestClockDesktop : public QObject {
    Q_OBJECT
private slots:
    void coversTheMonitorUnderThePointerAndMovesOnF12() {
        TwoMonitors rig;
        rig.load();
        QCOMPARE(rig.window->geometry(), kRight);
        QCOMPARE(rig.tag(), QString("2"));
        QTest::keyClick(rig.window.get(), Qt::Key_F12);
        QCOMPARE(rig.window->geometry(), kLeft);
        QTest::keyClick(rig.window.get(), Qt::Key_F11); // other keys do nothing
        rig.click("cmdSwitchMonitors");
        QCOMPARE(rig.window->geometry(), kRight);
        rig.click("cmdCoverScreen");
        QCOMPARE(rig.window->geometry(), QRect(0, 0, 1824, 768));

        // Moving keeps size and offset; forcing on screen pulls in only the side that sticks out.
        rig.window->setGeometry(100, 50, 300, 200);
        rig.window->moveToNextMonitor(); // to monitor 1, where it is
        rig.window->moveToNextMonitor();
        QCOMPARE(rig.window->geometry(), QRect(1124, 50, 300, 200));
        rig.window->setGeometry(1700, 500, 300, 200);
        rig.find<QCheckBox>("chkOverlap")->setChecked(false);
        rig.click("cmdForceOnscreen");
        QCOMPARE(rig.window->geometry(), QRect(1524, 500, 300, 200));
    }

    void reportListsTheMonitorsAndTheResolution() {
        TwoMonitors rig;
        rig.load();
        auto* report = rig.find<QPlainTextEdit>("TextMonitor");
        // The report is written while someone can see it.
        rig.find("Picture3")->show();
        QTRY_VERIFY_WITH_TIMEOUT(!report->toPlainText().isEmpty(), 3000);
        const QStringList lines = report->toPlainText().split('\n');
        QCOMPARE(lines.value(1), QString("Number of monitors: 2"));
        QCOMPARE(lines.value(2), QString("This window is over monitor: 2"));
        QCOMPARE(lines.value(7), QString("2: \"RIGHT\", Desktop: True, VGA: True, Visible: True"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.text("Label2"), QString("Display Resolution: 1024 x 768"), 3000);
    }

    void anUnpluggedMonitorSendsTheWindowToOneThatIsLeft() {
        TwoMonitors rig;
        rig.load();
        rig.screens.list.pop_back();
        QMetaObject::invokeMethod(rig.find("Picture3"), "monitorsChanged");
        QCOMPARE(rig.window->geometry(), kLeft);
        QCOMPARE(rig.tag(), QString("1"));
        QVERIFY(!rig.find("cmdSwitchMonitors")->isEnabled());
        QTest::keyClick(rig.window.get(), Qt::Key_F12); // one monitor: F12 stays on it
        QCOMPARE(rig.window->geometry(), kLeft);
    }

    void stripRunsFiftyTwipsATickReentersAndFollowsResizes() {
        ClockWindowRig rig;
        rig.set("WSOLAT_JAM", "SKROL", "ON");
        rig.load();
        auto* strip = rig.find("picHolder");
        auto* timer = rig.find<QTimer>("tmrScroll");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 20);
        timer->stop();
        const int twipsPerPixel = 1440 / strip->logicalDpiX();
        const int x0 = strip->x();
        QVERIFY(x0 > 1800 && x0 <= 1920); // entered from the right edge
        const auto step = [&](int n) {
            for (int i = 0; i < n; ++i)
                QMetaObject::invokeMethod(rig.window->findChild<StripMover*>(), "tmrScroll_Timer");
        };
        step(3);
        QCOMPARE(strip->x(), x0 - 150 / twipsPerPixel);
        step((1920 + strip->width()) * twipsPerPixel / 50 + 1); // wholly gone to the left, then back
        QVERIFY(strip->x() > 1800);
        rig.window->resize(960, 540);
        const int x = strip->x();
        step(3);
        QCOMPARE(strip->x(), x - 150 / twipsPerPixel);

        // Off: centred and still.
        rig.window->setScrollRunning(false);
        ClockWindowRig still;
        still.load();
        QCOMPARE(still.find("picHolder")->x(), 0);
        QVERIFY(!still.window->scrollRunning());
    }

    void layoutScalesSizesAndFontsAndKeepsCentres() {
        QWidget window;
        window.resize(800, 600);
        auto* box = new QWidget(&window);
        box->setGeometry(0, 400, 600, 100);
        auto* label = new QLabel("00:00", box);
        label->setGeometry(20, 10, 100, 40);
        QFont f;
        f.setPointSizeF(20);
        label->setFont(f);
        auto* caption = new QLabel("SUBOH", &window);
        caption->setProperty("autoSize", true);
        caption->setGeometry(350, 290, 100, 20);
        WidgetLayout layout;
        layout.RecordLayout(&window);
        struct Case {
            QSize size;
            QRect box, label;
            double font;
        };
        for (const Case& c : {Case{{1600, 1200}, {0, 800, 1200, 200}, {40, 20, 200, 80}, 40},
                              Case{{1600, 600}, {0, 400, 1200, 100}, {40, 10, 200, 40}, 20}, // width only
                              Case{{0, 0}, {0, 400, 1200, 100}, {40, 10, 200, 40}, 20}}) {   // nothing to scale by
            window.resize(c.size);
            layout.RescaleLayout(&window);
            QCOMPARE(box->geometry(), c.box);
            QCOMPARE(label->geometry(), c.label);
            QCOMPARE(label->font().pointSizeF(), c.font);
        }
        // A caption that sizes itself is centred on its own size.
        QCOMPARE(caption->size(), caption->sizeHint());
        QVERIFY(std::abs(caption->geometry().center().x() - 800) <= 1);
        delete label; // a widget gone since recording is skipped
        window.resize(800, 600);
        layout.RescaleLayout(&window);
        QCOMPARE(box->geometry(), QRect(0, 400, 600, 100));
    }

#ifndef Q_OS_WIN
    void blackIsCutOutAndTheCutFollowsWhatIsDrawn() {
        TwoTone w;
        QVERIFY(ApplyTransparency(&w, 255));
        QVERIFY(w.mask().contains(QPoint(49, 59)) && !w.mask().contains(QPoint(50, 0)));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.left = Qt::black;
        w.update();
        QTRY_VERIFY(!w.mask().contains(QPoint(10, 10)));
        // A control placed later on a black part shows.
        auto* label = new QLabel(&w);
        label->setGeometry(60, 10, 30, 20);
        label->setStyleSheet("background: rgb(200, 0, 0)");
        label->show();
        QTRY_VERIFY(w.mask().contains(QPoint(62, 12)));
        QVERIFY(!w.mask().contains(QPoint(95, 30)));
        SetLayeredAttributes(&w, kColourKey, 0, false);
        QCOMPARE(w.windowOpacity(), 1.0); // colour key only: alpha untouched
    }
#endif

    void fadeInTakesItsTimeAndEndsOpaque() {
        TwoTone w;
        WindowFader* fader = FadeInWindow(&w);
        QSignalSpy done(fader, &WindowFader::finished);
        QVERIFY(w.isVisible() && fader->isRunning());
        QElapsedTimer took;
        took.start();
        QVERIFY(done.wait(5000));
        QVERIFY2(took.elapsed() >= WindowFader::kFadeMs - 50, qPrintable(QString::number(took.elapsed())));
#ifndef Q_OS_WIN
        QCOMPARE(w.windowOpacity(), 1.0);
#endif
        // Again: the same fade, and the same end.
        QCOMPARE(FadeInWindow(&w), fader);
        QVERIFY(done.wait(5000));
    }
};

TAVROLA_QTEST(TestClockDesktop)
#include "tst_clock_desktop.moc"

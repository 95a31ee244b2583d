#include "gui/desktop/MonitorPanel.h"
#include "gui/platform/QtScreens.h"

#include "fakes/FakeScreens.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

using tavrola::MonitorPanel;
using tavrola::QtScreens;
using tavrola::Rect;

// Two monitors side by side: LEFT 1024x768 (primary) and RIGHT 800x600 to its right. Set before
// QTEST_MAIN creates the application.
static const bool twoScreens = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TAVROLA_TEST_DATA "/screens.json");
    return true;
}();

namespace {

const QRect kLeft(0, 0, 1024, 768);
const QRect kRight(1024, 0, 800, 600);

// A plain window standing in for the clock window, with the tools panel and a resolution label on it.
struct Window {
    QWidget window;
    QtScreens screens;
    MonitorPanel* tools;
    QLabel* label2;

    explicit Window(const tavrola::Screens* custom = nullptr) {
        window.setWindowFlags(Qt::FramelessWindowHint);
        window.setGeometry(100, 100, 640, 480);
        tools = new MonitorPanel(&window, custom ? *custom : screens, &window);
        label2 = new QLabel(&window);
        tools->setResolutionLabel(label2);
    }
};

} // namespace

class TestMonitorTools : public QObject {
    Q_OBJECT
private slots:
    void desktopHasTwoScreens() {
        QVERIFY(twoScreens);
        QCOMPARE(QGuiApplication::screens().size(), 2);
        const auto monitors = QtScreens().monitors();
        QCOMPARE(monitors.size(), std::size_t(2));
        QCOMPARE(monitors[1].geometry, (Rect{1024, 0, 1824, 600}));
        QVERIFY(monitors[0].primary);
        QVERIFY(monitors[0].vgaCompatible);
    }

    void controlsCarryTheirNamesAndCaptions() {
        Window w;
        QCOMPARE(w.window.findChild<QWidget*>("Picture3"), w.tools);
        QCOMPARE(w.window.findChild<QPushButton*>("cmdCoverScreen")->text(), QString("Cover Entire Screen"));
        QCOMPARE(w.window.findChild<QPushButton*>("cmdSwitchMonitors")->text(), QString("Switch Monitors"));
        QCOMPARE(w.window.findChild<QPushButton*>("cmdForceOnscreen")->text(), QString("Force Onscreen"));
        QCOMPARE(w.window.findChild<QCheckBox*>("chkOverlap")->text(), QString("Overlap OK"));
        QVERIFY(w.window.findChild<QPlainTextEdit*>("TextMonitor"));
        QVERIFY(!w.tools->DisplayTimer->isActive());
        QCOMPARE(w.tools->ChgMonitorTimer->interval(), 500);
        QVERIFY(w.tools->ChgMonitorTimer->isActive());
    }

    void startUpCoversTheMonitorUnderTheMouse() {
        Window w;
        QCursor::setPos(1500, 300);
        QCOMPARE(QCursor::pos(), QPoint(1500, 300));
        w.window.show();
        w.tools->coverMonitorUnderCursor();
        QCOMPARE(w.window.geometry(), kRight);
        w.tools->InitMonitorButton();
        QCOMPARE(w.tools->tag(), QString("2"));
        QVERIFY(w.tools->cmdSwitchMonitors->isEnabled());
        QCOMPARE(w.tools->DisplayTimer->interval(), 500);
        QVERIFY(w.tools->DisplayTimer->isActive());

        QCursor::setPos(10, 10);
        w.tools->coverMonitorUnderCursor();
        QCOMPARE(w.window.geometry(), kLeft);
    }

    void f12AndTheButtonMoveToTheOtherMonitorAndBack() {
        Window w;
        QCursor::setPos(10, 10);
        w.window.show();
        w.tools->coverMonitorUnderCursor();
        w.tools->InitMonitorButton();
        QCOMPARE(w.tools->tag(), QString("1"));
        QTest::keyClick(&w.window, Qt::Key_F12);
        QCOMPARE(w.window.geometry(), kRight);
        QCOMPARE(w.tools->tag(), QString("2"));
        QTest::keyClick(&w.window, Qt::Key_F12);
        QCOMPARE(w.window.geometry(), kLeft);
        QTest::mouseClick(w.tools->cmdSwitchMonitors, Qt::LeftButton);
        QCOMPARE(w.window.geometry(), kRight);
        // Other keys do nothing.
        QTest::keyClick(&w.window, Qt::Key_F11);
        QCOMPARE(w.window.geometry(), kRight);
    }

    void moveKeepsSizeAndOffsetWhileCoverFillsTheMonitor() {
        Window w;
        w.window.show();
        w.window.setGeometry(100, 50, 300, 200);
        w.tools->InitMonitorButton();
        w.tools->switchMonitorsByMove();
        QCOMPARE(w.window.geometry(), QRect(1124, 50, 300, 200));
        QCOMPARE(w.tools->tag(), QString("2"));
        w.tools->switchMonitorsByMove();
        QCOMPARE(w.window.geometry(), QRect(100, 50, 300, 200));
    }

    void coverEntireScreenSpansBothMonitors() {
        Window w;
        w.window.show();
        QTest::mouseClick(w.tools->cmdCoverScreen, Qt::LeftButton);
        QCOMPARE(w.window.geometry(), QRect(0, 0, 1824, 768));
    }

    void forceOnscreenPullsTheWindowBack() {
        Window w;
        w.window.show();
        w.window.setGeometry(1700, 500, 300, 200);
        w.tools->chkOverlap->setChecked(true);
        w.tools->cmdForceOnscreen_Click();
        QCOMPARE(w.window.geometry(), QRect(1700, 500, 300, 200));
        w.tools->chkOverlap->setChecked(false);
        QTest::mouseClick(w.tools->cmdForceOnscreen, Qt::LeftButton);
        // Only the side that sticks out of the desktop's bounding rectangle is pulled in.
        QCOMPARE(w.window.geometry(), QRect(1524, 500, 300, 200));
        // Larger than the whole desktop: its top-left corner goes to the desktop's.
        w.window.setGeometry(-300, -300, 2000, 1000);
        w.tools->cmdForceOnscreen_Click();
        QCOMPARE(w.window.geometry(), QRect(0, 0, 2000, 1000));
    }

    void reportListsBothMonitorsAndTheResolutionLabelShowsThePrimary() {
        Window w;
        QCursor::setPos(1500, 300);
        w.window.show();
        w.window.setGeometry(kRight);
        w.tools->InitMonitorButton();
        QVERIFY(w.tools->TextMonitor->toPlainText().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!w.tools->TextMonitor->toPlainText().isEmpty(), 3000);
        const QStringList lines = w.tools->TextMonitor->toPlainText().split('\n');
        QCOMPARE(lines.value(0), QString("MultiMonitor Support: True"));
        QCOMPARE(lines.value(1), QString("Number of monitors: 2"));
        QCOMPARE(lines.value(2), QString("This window is over monitor: 2"));
        QCOMPARE(lines.value(3), QString("The mouse is over monitor: 2"));
        QVERIFY(lines.value(4).startsWith("Absolute window coordinates: 1024, 0, 1824, 600"));
        QCOMPARE(lines.value(5), QString("0: \"Virtual\", Desktop: False, VGA: False, Visible: True"));
        QCOMPARE(lines.value(6), QString("1: \"LEFT\", Desktop: True, VGA: True, Visible: True, Primary"));
        QCOMPARE(lines.value(7), QString("2: \"RIGHT\", Desktop: True, VGA: True, Visible: True"));
        QTRY_COMPARE_WITH_TIMEOUT(w.label2->text(), QString("Display Resolution: 1024 x 768"), 3000);
    }

    void activatingTheWindowRefreshesTheReport() {
        Window w;
        QVERIFY(w.tools->TextMonitor->toPlainText().isEmpty());
        // The report timer is idle, so only the activation can fill the report.
        w.window.show();
        w.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QVERIFY(!w.tools->DisplayTimer->isActive());
        QTRY_VERIFY(w.tools->TextMonitor->toPlainText().startsWith("MultiMonitor Support: True"));
    }

    void singleMonitorDisablesTheButtonButF12StillPicksMonitorOne() {
        tavrola::fakes::FakeScreens one;
        one.add("LEFT", {0, 0, 1024, 768}, true);
        Window w(&one);
        w.window.show();
        w.tools->InitMonitorButton();
        QVERIFY(!w.tools->cmdSwitchMonitors->isEnabled());
        QVERIFY(w.tools->tag().isEmpty());
        QTest::keyClick(&w.window, Qt::Key_F12);
        QCOMPARE(w.window.geometry(), kLeft);
        QCOMPARE(w.tools->tag(), QString("1"));
    }

    void aMissingMonitorNeverShrinksTheWindowToNothing() {
        Window w;
        w.window.show();
        w.tools->CoverMonitor(7);
        QCOMPARE(w.window.geometry(), kLeft);
        w.tools->cmdSwitchMonitors->setProperty("Tag", "5");
        w.tools->cmdSwitchMonitors_Click();
        QCOMPARE(w.window.geometry(), kLeft);
        QCOMPARE(w.tools->tag(), QString("1"));
    }

    void unpluggedMonitorSendsTheWindowToOneThatIsLeft() {
        // The real desktop keeps both screens; the tools are told about a desktop that loses one.
        tavrola::fakes::FakeScreens desk;
        desk.add("LEFT", {0, 0, 1024, 768}, true);
        desk.add("RIGHT", {1024, 0, 1824, 600});
        Window w(&desk);
        w.window.show();
        w.tools->CoverMonitor(2);
        w.tools->InitMonitorButton();
        QCOMPARE(w.tools->tag(), QString("2"));
        desk.list.pop_back();
        w.tools->monitorsChanged();
        QCOMPARE(w.window.geometry(), kLeft);
        QCOMPARE(w.tools->tag(), QString("1"));
        QVERIFY(!w.tools->cmdSwitchMonitors->isEnabled());
        // Plugged back in: the window stays, the button works again.
        desk.add("RIGHT", {1024, 0, 1824, 600});
        w.tools->monitorsChanged();
        QCOMPARE(w.window.geometry(), kLeft);
        QVERIFY(w.tools->cmdSwitchMonitors->isEnabled());
        w.tools->cmdSwitchMonitors_Click();
        QCOMPARE(w.window.geometry(), kRight);
    }

    void zeroSizedWindowIsHandled() {
        Window w;
        w.window.show();
        w.window.setGeometry(5000, 5000, 0, 0);
        w.tools->cmdForceOnscreen_Click();
        w.tools->ShowMonitorInfo();
        QVERIFY(w.tools->TextMonitor->toPlainText().contains("This window is over monitor: "));
        w.tools->CoverMonitor(1);
        QCOMPARE(w.window.geometry(), kLeft);
    }
};

QTEST_MAIN(TestMonitorTools)
#include "tst_monitor_tools.moc"

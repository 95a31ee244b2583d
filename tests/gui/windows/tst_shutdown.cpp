// The daily shutdown: the confirmation dialog powers off exactly once, every other way cancels, the
// scheduler opens it once a day, and the real shell refuses to power off under tests.
#include "fakes/FakeClock.h"
#include "fakes/FakeShell.h"
#include "fakes/TempDir.h"
#include "gui/platform/QtShell.h"
#include "gui/shutdown/FrmShutdownConfirm.h"
#include "gui/shutdown/ShutdownScheduler.h"
#include "support/LayoutCheck.h"
#include "support/QtTestRegistry.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace tavrola;

namespace {

// Records, in order, everything the dialog does outside itself.
struct Outside {
    fakes::FakeShell shell;
    std::vector<std::string> events;

    FrmShutdownConfirm& watch(FrmShutdownConfirm& dlg) {
        QObject::connect(&dlg, &FrmShutdownConfirm::shutDwnEnabled, &dlg,
                         [this](bool on) { events.push_back(on ? "ShutDwn on" : "ShutDwn off"); });
        QObject::connect(&dlg, &FrmShutdownConfirm::trayIconRemovalRequested, &dlg, [this] {
            events.push_back("DelIcon");
            QCOMPARE(shell.powerOffRequests, 0);
        });
        QObject::connect(&dlg, &FrmShutdownConfirm::programEndRequested, &dlg,
                         [this] { events.push_back("end " + std::to_string(shell.powerOffRequests)); });
        return dlg;
    }
};

const std::vector<std::string> kShutdownEvents{"ShutDwn off", "DelIcon", "end 1"};

// The clock window's side of the check: its timer, its displays and what the dialog asked of it.
struct ClockSide {
    explicit ClockSide(const std::string& shutdownTime) {
        fakes::writeBytes(dir / "setting.ini", "[JADUAL]\r\nKOMPUTER_TUTUP=" + shutdownTime + "\r\n");
        ShutDwn.start(30000);
        scheduler = std::make_unique<ShutdownScheduler>(ProgramFolder(dir.path()), clock, shell);
        ShutdownScheduler* s = scheduler.get();
        QObject::connect(s, &ShutdownScheduler::statusShown, s,
                         [this](const QString&, const QString&, const QString& st) { status = st; });
        QObject::connect(s, &ShutdownScheduler::checksRunning, s,
                         [this](bool on) { on ? ShutDwn.start() : ShutDwn.stop(); });
        QObject::connect(s, &ShutdownScheduler::programEndRequested, s, [this] { ++ends; });
        QObject::connect(scheduler.get(), &ShutdownScheduler::dialogOpening, [this](FrmShutdownConfirm* dlg) {
            ++dialogs;
            QVERIFY(!ShutDwn.isActive());
            QTimer::singleShot(0, dlg, [this, dlg] { onDialog(dlg); }); // once the modal loop runs
        });
    }
    void at(int day, int h, int m, int s) {
        clock.set(2026, 12, day, h, m, s);
        scheduler->ShutDwn_Timer();
    }

    fakes::TempDir dir;
    fakes::FakeClock clock;
    fakes::FakeShell shell;
    QTimer ShutDwn;
    std::unique_ptr<ShutdownScheduler> scheduler;
    std::function<void(FrmShutdownConfirm*)> onDialog = [](FrmShutdownConfirm* dlg) { dlg->cmdTidak->click(); };
    QString status;
    int dialogs = 0;
    int ends = 0;
};

} // namespace

class TestShutdown : public QObject {
    Q_OBJECT
private slots:
    void leftAloneCountsDownAndPowersOffOnce() {
        Outside out;
        FrmShutdownConfirm dlg(out.shell);
        out.watch(dlg);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        TAVROLA_VERIFY_LAYOUT(&dlg);
        for (int left = 9; left >= 0; --left) {
            QCOMPARE(out.shell.powerOffRequests, 0);
            dlg.TimerCountdown_Timer();
            QCOMPARE(dlg.lblCountdown->text(), QString("Shutdown automatik dalam: %1 saat").arg(left));
        }
        QCOMPARE(out.events, kShutdownEvents);
        // A stray tick or click afterwards must not start a second shutdown.
        dlg.TimerCountdown_Timer();
        dlg.cmdYa_Click();
        dlg.cmdTidak_Click();
        QCOMPARE(out.events, kShutdownEvents);
    }

    void yaAndAltYPowerOffOnce() {
        for (const bool key : {false, true}) {
            Outside out;
            FrmShutdownConfirm dlg(out.shell);
            out.watch(dlg);
            dlg.show();
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            dlg.TimerCountdown_Timer();
            if (key)
                QTest::keyClick(&dlg, Qt::Key_Y, Qt::AltModifier);
            else
                QTest::mouseClick(dlg.cmdYa, Qt::LeftButton);
            QTRY_COMPARE(out.shell.powerOffRequests, 1); // an access key clicks a moment later
            QCOMPARE(out.events, kShutdownEvents);
        }
    }

    void everyWayOfClosingCancels_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Tidak", "Alt+T", "close", "Escape", "Enter"})
            QTest::newRow(how) << how;
    }
    void everyWayOfClosingCancels() {
        QFETCH(QString, how);
        Outside out;
        FrmShutdownConfirm dlg(out.shell);
        out.watch(dlg);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        for (int i = 0; i < 9; ++i)
            dlg.TimerCountdown_Timer();
        if (how == "Tidak")
            QTest::mouseClick(dlg.cmdTidak, Qt::LeftButton);
        else if (how == "Alt+T")
            QTest::keyClick(&dlg, Qt::Key_T, Qt::AltModifier);
        else if (how == "close")
            dlg.close();
        else
            QTest::keyClick(&dlg, how == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
        QTRY_VERIFY(!dlg.isVisible());
        QVERIFY(!dlg.TimerCountdown->isActive());
        QCOMPARE(out.shell.powerOffRequests, 0);
        QCOMPARE(out.events, std::vector<std::string>{"ShutDwn on"});
    }

    void schedulerAsksOnceADay() {
        ClockSide side("\"2200\"");
        side.at(6, 21, 7, 40);
        QCOMPARE(side.status, QString("Shutdown : 2200   |   Ver : 2.0.27"));
        QCOMPARE(side.dialogs, 0);
        side.at(6, 22, 0, 5);
        QCOMPARE(side.dialogs, 1);
        QVERIFY(side.ShutDwn.isActive()); // cancelled: the timer runs on
        side.at(6, 22, 0, 35);            // still inside the minute
        side.at(6, 23, 0, 0);
        QCOMPARE(side.dialogs, 1);
        side.at(7, 22, 0, 20); // the next day it comes back
        QCOMPARE(side.dialogs, 2);
        QCOMPARE(side.shell.powerOffRequests, 0);
    }

    void schedulerLeftAlonePowersOffAndEndsTheProgram() {
        ClockSide side("0630");
        side.onDialog = [](FrmShutdownConfirm* dlg) { dlg->TimerCountdown->setInterval(1); };
        side.at(6, 6, 30, 30);
        QCOMPARE(side.shell.powerOffRequests, 1);
        QCOMPARE(side.ends, 1);
        QVERIFY(!side.ShutDwn.isActive());
    }

    void realShellRefusesInsideTests() {
        QVERIFY(QtShell::runningUnderTest());
        QtShell shell;
        QVERIFY(!shell.powerOff());
        QVERIFY(!shell.openAddress("https://www.example.com/"));
        for (const char* ok : {"https://www.example.com/", "http://example.com/a?b=c", "mailto:x@example.com"})
            QVERIFY2(QtShell::isOpenableAddress(ok), ok);
        for (const char* bad : {"", "file:///etc/passwd", "C:\\Windows\\system32\\cmd.exe", "javascript:alert(1)",
                                "https://", "ftp://example.com/", "smb://host/share", "mailto:"})
            QVERIFY2(!QtShell::isOpenableAddress(bad), bad);
    }
};

TAVROLA_QTEST(TestShutdown)
#include "tst_shutdown.moc"

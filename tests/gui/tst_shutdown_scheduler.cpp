#include "gui/platform/QtShell.h"
#include "gui/shutdown/ShutdownScheduler.h"

#include "fakes/FakeClock.h"
#include "fakes/FakeShell.h"
#include "fakes/TempDir.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace tavrola;

namespace {

// The clock window's side of the check: its timer, its displays and what the dialog asked of it.
struct ClockSide {
    explicit ClockSide(const std::string& shutdownTime) {
        fakes::writeBytes(dir / "setting.ini", "[JADUAL]\r\nKOMPUTER_TUTUP=" + shutdownTime + "\r\n");
        ShutDwn.start(30000);
        scheduler = std::make_unique<ShutdownScheduler>(ProgramFolder(dir.path()), clock, shell);
        ShutdownScheduler* s = scheduler.get();
        QObject::connect(&ShutDwn, &QTimer::timeout, s, &ShutdownScheduler::ShutDwn_Timer);
        QObject::connect(s, &ShutdownScheduler::statusShown, s, [this](QString t, QString j, QString st) {
            shutTutup = t;
            jamcount = j;
            status = st;
        });
        QObject::connect(s, &ShutdownScheduler::dateCaptionShown, s,
                         [this](const QString& t) { dateCaption = t; });
        QObject::connect(s, &ShutdownScheduler::checksRunning, s,
                         [this](bool on) { on ? ShutDwn.start() : ShutDwn.stop(); });
        QObject::connect(s, &ShutdownScheduler::trayIconRemovalRequested, s, [this] { ++iconRemovals; });
        QObject::connect(s, &ShutdownScheduler::programEndRequested, s, [this] { ++ends; });
        QObject::connect(scheduler.get(), &ShutdownScheduler::dialogOpening, [this](FrmShutdownConfirm* dlg) {
            ++dialogs;
            QVERIFY(!ShutDwn.isActive());
            QCOMPARE(dateCaption, QString("SHUTDOWN..."));
            // Act once the modal loop runs, as a user would.
            QTimer::singleShot(0, dlg, [this, dlg] { onDialog(dlg); });
        });
    }

    fakes::TempDir dir;
    fakes::FakeClock clock;
    fakes::FakeShell shell;
    QTimer ShutDwn;
    std::unique_ptr<ShutdownScheduler> scheduler;
    std::function<void(FrmShutdownConfirm*)> onDialog = [](FrmShutdownConfirm* dlg) { dlg->cmdTidak->click(); };
    QString shutTutup, jamcount, status, dateCaption;
    int dialogs = 0;
    int iconRemovals = 0;
    int ends = 0;
};

} // namespace

class TestShutdownScheduler : public QObject {
    Q_OBJECT
private slots:
    void tickWritesTheStatusDisplays() {
        ClockSide side("\"2200\"");
        QCOMPARE(side.ShutDwn.interval(), 30000);
        side.clock.set(2026, 12, 6, 21, 7, 40);
        side.scheduler->ShutDwn_Timer();
        QCOMPARE(side.shutTutup, QString("2200"));
        QCOMPARE(side.jamcount, QString("2107"));
        QCOMPARE(side.status, QString("Shutdown : 2200   |   Ver : 2.0.27"));
        QVERIFY(side.dateCaption.isEmpty());
        QCOMPARE(side.dialogs, 0);
        QVERIFY(side.ShutDwn.isActive());
    }

    void cancelKeepsTheTimerRunningAndTheDialogAwayForTheDay() {
        ClockSide side("2200");
        side.clock.set(2026, 12, 6, 22, 0, 5);
        side.scheduler->ShutDwn_Timer();
        QCOMPARE(side.dialogs, 1);
        QVERIFY(side.ShutDwn.isActive());
        QCOMPARE(side.shell.powerOffRequests, 0);
        QCOMPARE(side.iconRemovals, 0);
        QCOMPARE(side.dateCaption, QString("SHUTDOWN..."));

        // The timer's own next tick, still inside the minute, and a later one: no dialog.
        side.clock.set(2026, 12, 6, 22, 0, 35);
        QSignalSpy ticks(&side.ShutDwn, &QTimer::timeout);
        side.ShutDwn.setInterval(1);
        QVERIFY(ticks.wait(1000));
        side.clock.set(2026, 12, 6, 23, 0, 0);
        side.scheduler->ShutDwn_Timer();
        QCOMPARE(side.dialogs, 1);

        // The next day it comes back.
        side.clock.set(2026, 12, 7, 22, 0, 20);
        side.scheduler->ShutDwn_Timer();
        QCOMPARE(side.dialogs, 2);
    }

    void leftAloneTheDialogPowersOffAndEndsTheProgram() {
        ClockSide side("0630");
        side.onDialog = [](FrmShutdownConfirm* dlg) { dlg->TimerCountdown->setInterval(1); };
        side.clock.set(2026, 12, 6, 6, 30, 30);
        side.scheduler->ShutDwn_Timer();
        QCOMPARE(side.dialogs, 1);
        QCOMPARE(side.shell.powerOffRequests, 1);
        QCOMPARE(side.iconRemovals, 1);
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

QTEST_MAIN(TestShutdownScheduler)
#include "tst_shutdown_scheduler.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The daily shutdown: the confirmation dialog powers off exactly once, every other way cancels, the
// scheduler's dialog ends the program, and the real shell refuses to power off under tests. When the
// scheduler opens it is ShutdownSchedule's (core).
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

using namespace tavrola;

namespace {

// Records, in order, everything the dialog does outside itself.
struct Outside {
    fakes::FakeShell shell;
    std::vector<std::string> events;
    static void tick(QObject* d) { QMetaObject::invokeMethod(d->findChild<QTimer*>("TimerCountdown"), "timeout"); }

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
            out.tick(&dlg);
            QCOMPARE(dlg.findChild<QLabel*>("lblCountdown")->text(),
                     QString("Shutdown automatik dalam: %1 saat").arg(left));
        }
        QCOMPARE(out.events, kShutdownEvents);
        // A stray tick or click afterwards must not start a second shutdown.
        out.tick(&dlg);
        for (const char* button : {"cmdYa", "cmdTidak"})
            dlg.findChild<QPushButton*>(button)->click();
        QCOMPARE(out.events, kShutdownEvents);
    }

    void everyAnswer_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("powersOff");
        for (const char* how : {"Ya", "Alt+Y", "Tidak", "Alt+T", "close", "Escape", "Enter"})
            QTest::newRow(how) << how << QByteArray(how).contains('Y'); // only Ya powers off
    }
    void everyAnswer() {
        QFETCH(QString, how);
        QFETCH(bool, powersOff);
        Outside out;
        FrmShutdownConfirm dlg(out.shell);
        out.watch(dlg);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        for (int i = 0; i < 9; ++i)
            out.tick(&dlg);
        if (how == "Ya" || how == "Tidak")
            QTest::mouseClick(dlg.findChild<QPushButton*>("cmd" + how), Qt::LeftButton);
        else if (how.startsWith("Alt+"))
            QTest::keyClick(&dlg, how == "Alt+Y" ? Qt::Key_Y : Qt::Key_T, Qt::AltModifier);
        else if (how == "close")
            dlg.close();
        else
            QTest::keyClick(&dlg, how == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
        TAVROLA_TRY_VERIFY(!dlg.isVisible() || out.shell.powerOffRequests > 0); // access keys click a moment later
        QVERIFY(!dlg.findChild<QTimer*>("TimerCountdown")->isActive());
        QCOMPARE(out.shell.powerOffRequests, int(powersOff));
        QCOMPARE(out.events, powersOff ? kShutdownEvents : std::vector<std::string>{"ShutDwn on"});
    }

    // The clock window's side: its check timer stops while the dialog is open; left alone (its count
    // sped up once the modal loop runs), the dialog powers off once and ends the program.
    void schedulerDialogLeftAlonePowersOffAndEndsTheProgram() {
        fakes::TempDir dir;
        fakes::writeBytes(dir / "setting.ini", "[JADUAL]\r\nKOMPUTER_TUTUP=0630\r\n");
        fakes::FakeClock clock{DateTime{{2026, 12, 6}, 6, 30, 30, 0}};
        fakes::FakeShell shell;
        QTimer checks;
        checks.start(30000);
        ShutdownScheduler scheduler(ProgramFolder(dir.path()), clock, shell);
        int ends = 0;
        connect(&scheduler, &ShutdownScheduler::checksRunning, this,
                [&](bool on) { on ? checks.start() : checks.stop(); });
        connect(&scheduler, &ShutdownScheduler::programEndRequested, this, [&] { ++ends; });
        connect(&scheduler, &ShutdownScheduler::dialogOpening, this, [&](FrmShutdownConfirm* dlg) {
            QVERIFY(!checks.isActive());
            QTimer::singleShot(0, dlg, [dlg] { dlg->findChild<QTimer*>("TimerCountdown")->setInterval(1); });
        });
        scheduler.ShutDwn_Timer();
        QCOMPARE(shell.powerOffRequests, 1);
        QCOMPARE(ends, 1);
        QVERIFY(!checks.isActive());
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

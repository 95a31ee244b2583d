#include "gui/shutdown/FrmShutdownConfirm.h"

#include "fakes/FakeShell.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <string>
#include <vector>

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
const std::vector<std::string> kCancelEvents{"ShutDwn on"};

} // namespace

class TestShutdownConfirm : public QObject {
    Q_OBJECT
private slots:
    void layoutAndCaptions() {
        Outside out;
        FrmShutdownConfirm dlg(out.shell);
        out.watch(dlg);
        QCOMPARE(dlg.windowTitle(), QString("Pengesahan Shutdown"));
        QCOMPARE(dlg.size(), QSize(334, 167));
        const struct {
            const char* name;
            QRect at;
            QString text;
        } expected[] = {
            {"lblMessage", {16, 16, 301, 24}, "Komputer akan ditutup!"},
            {"lblQuestion", {16, 48, 301, 20}, "Adakah anda pasti mahu menutup komputer?"},
            {"lblCountdown", {16, 88, 301, 20}, "Shutdown automatik dalam: 10 saat"},
        };
        for (const auto& e : expected) {
            auto* label = dlg.findChild<QLabel*>(e.name);
            QVERIFY2(label, e.name);
            QCOMPARE(label->geometry(), e.at);
            QCOMPARE(label->text(), e.text);
            QVERIFY(label->alignment() & Qt::AlignHCenter);
        }
        QCOMPARE(dlg.lblMessage->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(dlg.lblCountdown->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QVERIFY(dlg.lblMessage->font().bold());

        auto* ya = dlg.findChild<QPushButton*>("cmdYa");
        auto* tidak = dlg.findChild<QPushButton*>("cmdTidak");
        QVERIFY(ya && tidak);
        QCOMPARE(ya->text(), QString("&Ya - Tutup"));
        QCOMPARE(tidak->text(), QString("&Tidak - Batalkan"));
        QCOMPARE(ya->geometry(), QRect(24, 120, 137, 33));
        QCOMPARE(tidak->geometry(), QRect(176, 120, 137, 33));
        QCOMPARE(ya->nextInFocusChain(), tidak);

        auto* timer = dlg.findChild<QTimer*>("TimerCountdown");
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QCOMPARE(int(dlg.secondsLeft()), 10);
    }

    void leftAloneCountsTenToZeroThenPowersOff() {
        Outside out;
        FrmShutdownConfirm dlg(out.shell);
        out.watch(dlg);
        for (int expected = 9; expected >= 0; --expected) {
            QCOMPARE(out.shell.powerOffRequests, 0);
            dlg.TimerCountdown_Timer();
            QCOMPARE(dlg.lblCountdown->text(), QString("Shutdown automatik dalam: %1 saat").arg(expected));
        }
        QCOMPARE(out.shell.powerOffRequests, 1);
        QCOMPARE(out.events, kShutdownEvents);
        QVERIFY(!dlg.TimerCountdown->isActive());
        QVERIFY(!dlg.isVisible());
        // A stray tick or click afterwards must not start a second shutdown.
        dlg.TimerCountdown_Timer();
        dlg.cmdYa_Click();
        dlg.cmdTidak_Click();
        QCOMPARE(out.shell.powerOffRequests, 1);
        QCOMPARE(out.events, kShutdownEvents);
    }

    void modalRunEndsByItself() {
        Outside out;
        FrmShutdownConfirm dlg(out.shell);
        out.watch(dlg);
        dlg.TimerCountdown->setInterval(5);
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
        QCOMPARE(out.shell.powerOffRequests, 1);
        QCOMPARE(out.events, kShutdownEvents);
    }

    void yaPowersOffAtAnySecond() {
        for (int ticks = 0; ticks < 10; ++ticks) {
            Outside out;
            FrmShutdownConfirm dlg(out.shell);
            out.watch(dlg);
            dlg.show();
            for (int i = 0; i < ticks; ++i)
                dlg.TimerCountdown_Timer();
            QTest::mouseClick(dlg.cmdYa, Qt::LeftButton);
            QCOMPARE(out.shell.powerOffRequests, 1);
            QCOMPARE(out.events, kShutdownEvents);
            QVERIFY(!dlg.TimerCountdown->isActive());
        }
    }

    void altYPowersOff() {
        Outside out;
        FrmShutdownConfirm dlg(out.shell);
        out.watch(dlg);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QTest::keyClick(&dlg, Qt::Key_Y, Qt::AltModifier);
        // An access key presses the button visibly, so the click lands a moment later.
        QTRY_COMPARE(out.shell.powerOffRequests, 1);
    }

    void everyWayOfClosingCancels_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Tidak") << "Tidak";
        QTest::newRow("Alt+T") << "Alt+T";
        QTest::newRow("close box") << "close";
        QTest::newRow("Escape") << "Escape";
        QTest::newRow("Enter") << "Enter";
    }
    void everyWayOfClosingCancels() {
        QFETCH(QString, how);
        for (int ticks : {0, 5, 9}) {
            Outside out;
            FrmShutdownConfirm dlg(out.shell);
            out.watch(dlg);
            dlg.show();
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            for (int i = 0; i < ticks; ++i)
                dlg.TimerCountdown_Timer();
            if (how == "Tidak")
                QTest::mouseClick(dlg.cmdTidak, Qt::LeftButton);
            else if (how == "Alt+T")
                QTest::keyClick(&dlg, Qt::Key_T, Qt::AltModifier);
            else if (how == "close")
                dlg.close();
            else if (how == "Escape")
                QTest::keyClick(&dlg, Qt::Key_Escape);
            else
                QTest::keyClick(&dlg, Qt::Key_Return);
            QTRY_VERIFY(!dlg.isVisible());
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            QVERIFY(!dlg.TimerCountdown->isActive());
            QCOMPARE(out.shell.powerOffRequests, 0);
            QCOMPARE(out.events, kCancelEvents);
        }
    }
};

QTEST_MAIN(TestShutdownConfirm)
#include "tst_shutdown_confirm.moc"

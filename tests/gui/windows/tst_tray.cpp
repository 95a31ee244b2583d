// SPDX-License-Identifier: GPL-3.0-or-later
// The notification-area window: its first load, its menu, closing the clock behind it; and the
// single-instance lock that keeps a second clock of the same folder from starting.
#include "core/AppInfo.h"
#include "core/settings/SettingsSchema.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeTray.h"
#include "fakes/TempDir.h"
#include "gui/desktop/frmtray.h"
#include "gui/platform/SingleInstance.h"
#include "support/QtTestRegistry.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace tavrola;
namespace fs = std::filesystem;

namespace {

std::size_t fileCount(const fs::path& folder) {
    return fs::is_directory(folder)
               ? static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()))
               : 0;
}

// A stand-in for the clock window: its close only hides it behind the icon.
class ClockWindow : public QWidget {
public:
    frmtray* tray = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        tray->hideClockToTray(this);
    }
};

struct Rig {
    Rig() {
        const auto record = [this](auto signal, const char* name) {
            QObject::connect(&form, signal, &form, [this, name] { calls.push_back(name); });
        };
        record(&frmtray::aboutRequested, "about");
        record(&frmtray::settingsRequested, "settings");
        record(&frmtray::noBackgroundRequested, "noBackground");
        record(&frmtray::nextDisplayRequested, "nextDisplay");
        record(&frmtray::updateCheckRequested, "manualUpdateCheck");
        record(&frmtray::automaticUpdateCheckDue, "automaticUpdateCheck");
        record(&frmtray::quitRequested, "quit");
        QObject::connect(&form, &frmtray::updaterLoadRequested, &form, [this] {
            // The settings are checked and backed up before the updater loads.
            QCOMPARE(fileCount(folder.backupFolder()), std::size_t(1));
            calls.push_back("loadUpdater");
        });
        QObject::connect(&form, &frmtray::clockShowRequested, &form, [this] {
            clock.show();
            calls.push_back("showClock");
        });
        clock.tray = &form;
    }

    fakes::TempDir dir;
    ProgramFolder folder{dir.path()};
    fakes::FakeClock wallClock{DateTime{{2026, 12, 6}, 20, 15, 42, 0}};
    fakes::FakeDialogs dialogs;
    fakes::FakeShell shell;
    fakes::FakeTray tray;
    frmtray form{folder, wallClock, dialogs, shell, tray};
    ClockWindow clock;
    std::vector<std::string> calls;
    QMenu* menu() const { return form.findChild<QMenu*>("mnuPopup"); }
};

} // namespace

class TestTray : public QObject {
    Q_OBJECT
private slots:
    void firstLoadRestoresSettingsBacksUpAndShowsTheClockOnce() {
        Rig rig;
        QVERIFY(rig.form.LoadIcon());
        QCOMPARE(rig.dialogs.texts(), std::vector<std::string>{"Fail setting.ini telah dimulihkan!"});
        QCOMPARE(fakes::readBytes(rig.folder.settingsFile()), defaultSettingsText());
        QCOMPARE(rig.calls, (std::vector<std::string>{"loadUpdater", "showClock"}));
        QVERIFY(rig.form.findChild<QTimer*>("tmrUpdateCheck")->isActive());
        // Later calls only make sure the icon is there: no second load, backup or message.
        rig.wallClock.set(2026, 12, 6, 20, 20, 0);
        rig.tray.removeIcon();
        QVERIFY(rig.form.LoadIcon());
        QCOMPARE(rig.tray.adds, 2);
        QCOMPARE(rig.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(fileCount(rig.folder.backupFolder()), std::size_t(1));
        QCOMPARE(rig.calls.size(), std::size_t(2));
    }

    void closingTheClockHidesItOnlyWhenThereIsAnIcon() {
        for (const bool hasTray : {true, false}) {
            Rig rig;
            rig.tray.hasTray = hasTray;
            rig.clock.show();
            QVERIFY(!rig.clock.close());
            QCOMPARE(rig.clock.isVisible(), !hasTray);
            QCOMPARE(rig.menu()->isVisible(), !hasTray); // without an icon the menu is the way on
            rig.menu()->hide();
        }
        QVERIFY(!QApplication::quitOnLastWindowClosed());
    }

    void onlyTheLeftButtonOpensTheMenuAndItsItemsReachTheirHooks() {
        Rig rig;
        rig.form.LoadIcon();
        rig.clock.hide();
        rig.calls.clear();
        for (TrayClick click : {TrayClick::Right, TrayClick::Middle, TrayClick::Double})
            rig.tray.press(click);
        QVERIFY(!rig.menu()->isVisible() && !rig.clock.isVisible());
        rig.tray.press(TrayClick::Left);
        QVERIFY(rig.menu()->isVisible());
        for (const char* item : {"mnuabout", "mnusettings", "mnuNoBG", "mnutukardisplay", "mnusemakkemaskini",
                                 "mnulamanweb", "mnuexit"})
            rig.form.findChild<QAction*>(item)->trigger();
        QCOMPARE(rig.calls, (std::vector<std::string>{"about", "settings", "noBackground", "nextDisplay",
                                                      "manualUpdateCheck", "quit"}));
        QCOMPARE(rig.shell.opened, std::vector<std::string>{app::kHomePage});
        QCOMPARE(rig.shell.powerOffRequests, 0);
        QVERIFY(!rig.tray.shown);
        QVERIFY(!rig.menu()->isVisible());
    }

    void oneClockPerFolderAndAStaleOrForeignLockIsTakenOver() {
        QTemporaryDir a, b;
        auto first = std::make_unique<SingleInstance>(a.path());
        QVERIFY(first->acquire());
        QVERIFY(!SingleInstance(a.path()).acquire());
        QVERIFY(SingleInstance(b.path()).acquire()); // a copy in another folder is another clock
        first.reset();
        // A crashed run leaves its lock: process id, application name, host name. No process has
        // id 2^22 + 1 here.
        QFile stale(SingleInstance(a.path()).lockPath());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("4194305\ntavrola\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        stale.close();
        QVERIFY(SingleInstance(a.path()).acquire());
        // A lock file another user made (root hands it to nobody) never keeps the clock off.
        if (::geteuid() == 0) {
            QVERIFY(stale.open(QIODevice::WriteOnly));
            stale.close();
            QVERIFY(::chown(QFile::encodeName(stale.fileName()).constData(), 65534, 65534) == 0);
            QVERIFY(SingleInstance(a.path()).acquire());
        }
    }
};

TAVROLA_QTEST(TestTray)
#include "tst_tray.moc"

#include "gui/desktop/frmtray.h"

#include "core/AppInfo.h"
#include "core/config/SettingsSchema.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeTray.h"
#include "fakes/TempDir.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <string>
#include <vector>

using namespace tavrola;
namespace fs = std::filesystem;

namespace {

std::size_t fileCount(const fs::path& folder) {
    std::size_t n = 0;
    if (fs::is_directory(folder))
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder))
            ++n;
    return n;
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
            QVERIFY(fs::exists(folder.settingsFile()));
            QCOMPARE(fileCount(folder.backupFolder()), std::size_t(1));
            calls.push_back("loadUpdater");
        });
        QObject::connect(&form, &frmtray::clockShowRequested, &form, [this] {
            QVERIFY(!tray.shown);
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
};

} // namespace

class TestFrmtray : public QObject {
    Q_OBJECT
private slots:
    void menuItemsInOrder() {
        Rig rig;
        auto* menu = rig.form.findChild<QMenu*>("mnuPopup");
        QVERIFY(menu);
        QCOMPARE(menu->title(), QString("Popup"));
        const QList<QAction*> items = menu->actions();
        const std::vector<std::pair<QString, QString>> expected{
            {"mnuabout", "&About"},
            {"mnuShutdwn", "-"},
            {"mnusettings", "&Settings"},
            {"mnuNoBG", "&Tiada Latar Belakang"},
            {"mnutukardisplay", "&Tukar Display"},
            {"mnulamanweb", "&Laman Web Orvanta"},
            {"mnusemakkemaskini", "Semak &Kemaskini"},
            {"mnu1", "-"},
            {"mnuexit", "&Keluar"},
        };
        QCOMPARE(items.size(), qsizetype(expected.size()));
        for (std::size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(items[qsizetype(i)]->objectName(), expected[i].first);
            if (expected[i].second == "-")
                QVERIFY(items[qsizetype(i)]->isSeparator());
            else
                QCOMPARE(items[qsizetype(i)]->text(), expected[i].second);
        }
        QVERIFY(rig.form.findChild<QLabel*>("Picture1"));
        QVERIFY(!rig.form.Picture1->pixmap().isNull());
        QVERIFY(!rig.form.isVisible());
    }

    void loadStepOnAFolderWithoutSettings() {
        Rig rig;
        QVERIFY(!fs::exists(rig.folder.settingsFile()));
        QVERIFY(rig.form.LoadIcon());

        QCOMPARE(rig.dialogs.texts(), std::vector<std::string>{"Fail setting.ini telah dimulihkan!"});
        QCOMPARE(fakes::readBytes(rig.folder.settingsFile()), defaultSettingsText());
        QCOMPARE(fileCount(rig.folder.backupFolder()), std::size_t(1));
        QVERIFY(fs::exists(rig.folder.backupFolder() / "setting.ini.bak.20261206_201542"));
        QCOMPARE(rig.calls, (std::vector<std::string>{"loadUpdater", "showClock"}));
        QVERIFY(rig.clock.isVisible());
        QVERIFY(rig.form.tmrUpdateCheck->isActive());
        QVERIFY(rig.form.tmrUpdateCheck->isSingleShot());
        QCOMPARE(rig.form.tmrUpdateCheck->interval(), 15000);
        QCOMPARE(rig.tray.tip, std::string("Tavrola Versi : 2.0.27"));
        QCOMPARE(rig.tray.adds, 1);

        // Later calls only make sure the icon is there: no second load, backup or message.
        rig.wallClock.set(2026, 12, 6, 20, 20, 0);
        rig.tray.removeIcon();
        QVERIFY(rig.form.LoadIcon());
        QVERIFY(rig.form.LoadIcon());
        QCOMPARE(rig.tray.adds, 2);
        QCOMPARE(rig.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(fileCount(rig.folder.backupFolder()), std::size_t(1));
        QCOMPARE(rig.calls.size(), std::size_t(2));
    }

    void firstCloseOfTheClockHidesItBehindTheIcon() {
        Rig rig;
        rig.clock.show();
        QVERIFY(!rig.clock.close());
        QVERIFY(!rig.clock.isVisible());
        QVERIFY(rig.tray.shown);
        QVERIFY(rig.form.loaded());
        QVERIFY(!rig.form.mnuPopup->isVisible());
        QVERIFY(!QApplication::quitOnLastWindowClosed());
    }

    void withoutANotificationAreaTheClockStaysReachable() {
        Rig rig;
        rig.tray.hasTray = false;
        rig.clock.show();
        QVERIFY(!rig.clock.close());
        QVERIFY(rig.clock.isVisible());
        QVERIFY(rig.form.mnuPopup->isVisible());
        rig.form.mnuPopup->hide();
    }

    void onlyTheLeftButtonOpensTheMenu() {
        Rig rig;
        rig.form.LoadIcon();
        rig.clock.hide();
        rig.tray.press(TrayClick::Right);
        QVERIFY(!rig.form.mnuPopup->isVisible());
        rig.tray.press(TrayClick::Middle);
        QVERIFY(!rig.form.mnuPopup->isVisible());
        rig.tray.press(TrayClick::Double);
        QVERIFY(!rig.form.mnuPopup->isVisible());
        QVERIFY(!rig.clock.isVisible());
        rig.tray.press(TrayClick::Left);
        QVERIFY(rig.form.mnuPopup->isVisible());
        rig.form.mnuPopup->hide();
    }

    void menuItemsReachTheirHooks() {
        Rig rig;
        rig.form.LoadIcon();
        rig.calls.clear();
        for (QAction* a : {rig.form.mnuabout, rig.form.mnusettings, rig.form.mnuNoBG, rig.form.mnutukardisplay,
                           rig.form.mnusemakkemaskini})
            a->trigger();
        QCOMPARE(rig.calls, (std::vector<std::string>{"about", "settings", "noBackground", "nextDisplay",
                                                      "manualUpdateCheck"}));
        rig.form.mnulamanweb->trigger();
        QCOMPARE(rig.shell.opened, std::vector<std::string>{app::kHomePage});
        QCOMPARE(rig.shell.powerOffRequests, 0);

        rig.form.tmrUpdateCheck->setInterval(1);
        rig.form.tmrUpdateCheck->start();
        QTRY_COMPARE(rig.calls.back(), std::string("automaticUpdateCheck"));
    }

    void keluarRemovesTheIconAndEnds() {
        Rig rig;
        rig.form.LoadIcon();
        rig.calls.clear();
        rig.tray.press(TrayClick::Left);
        rig.form.mnuexit->trigger();
        QVERIFY(!rig.tray.shown);
        QCOMPARE(rig.tray.removes, 1);
        QCOMPARE(rig.calls, std::vector<std::string>{"quit"});
        QVERIFY(!rig.form.mnuPopup->isVisible());
    }
};

QTEST_MAIN(TestFrmtray)
#include "tst_frmtray.moc"

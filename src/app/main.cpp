// SPDX-License-Identifier: GPL-3.0-or-later
// The tavrola executable: creates the platform services and the windows, and connects them.
#include "core/AppInfo.h"
#include "core/settings/ModBackupINI.h"
#include "core/files/ProgramFolder.h"
#include "core/prayerdata/CalculatedMonthSource.h"
#include "gui/clock/StateReport.h"
#include "gui/clock/Velmora.h"
#include "gui/desktop/AppIcon.h"
#include "gui/desktop/DialogLauncher.h"
#include "gui/desktop/frmtray.h"
#include "gui/guard/ClockGuard.h"
#include "gui/panel/FrmTelefon.h"
#include "gui/panel/PhonePanel.h"
#include "gui/platform/ClockSync.h"
#include "gui/platform/CommandLine.h"
#include "gui/platform/FolderPlacement.h"
#include "gui/platform/GuardHeartbeat.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/QtAutostart.h"
#include "gui/platform/QtAudio.h"
#include "gui/platform/QtClock.h"
#include "gui/platform/QtDisplayPower.h"
#include "gui/platform/QtDialogs.h"
#include "gui/platform/QtHttpClient.h"
#include "gui/platform/QtScreens.h"
#include "gui/platform/QtShell.h"
#include "gui/platform/QtSpeech.h"
#include "gui/platform/QtTray.h"
#include "gui/platform/QuitOnSignals.h"
#include "gui/platform/SingleInstance.h"
#include "gui/platform/StartupTrace.h"
#include "gui/prayerdata/JSONAutoupdate.h"
#include "gui/settings/FrmSetting.h"
#include "gui/shutdown/ShutdownScheduler.h"
#include "gui/update/ModAutoUpdate.h"

#include <QApplication>

#include <memory>

using namespace tavrola;

int main(int argc, char* argv[]) {
    StartupTrace::markMain();
    // --help, --version and mistakes are answered before anything needs a display.
    const StartOptions options = readCommandLine(argc, argv);
    if (!options.startClock)
        return options.exitStatus;
    if (options.guard)
        return runClockGuard(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(app::kTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(app::kVersion));
    QApplication::setWindowIcon(appIcon());
    // Closing the clock only hides it; the program ends from the tray menu, the shutdown path, or
    // when the session ends.
    QApplication::setQuitOnLastWindowClosed(false);
    QuitOnSignals endOnSignals;

    // Portable beside the executable, or installed with the user's files in the data folder.
    const FolderPlacement placement = placeRunningProgram();
    const ProgramFolder& folder = placement.folder;
    // A second start of this user's copy ends at once, without a message, while the first keeps running.
    SingleInstance instance(pathToQt(folder.dataRoot()));
    if (!instance.acquire())
        return 0;
    QtAutostart autostart;
    if (placement.firstStart)
        autostart.setEnabled(true); // an installed copy starts at login from its first start on

    QtClock clock;
    QtDialogs dialogs;
    QtSpeech speech;
    QtHttpClient http;
    QtShell shell;
    QtScreens screens;
    QtTray trayIcon(appIcon());
    QtAudio audio;
    QtDisplayPower displayPower; // put back as it was when the clock ends

    // The month's prayer times: from the data server when one is set, computed here otherwise.
    CalculatedMonthSource calculatedMonths(folder.settingsFile(), folder.officialTablesFolder());
    JSONAutoupdate updater(folder, clock, http);
    updater.setNoHostMonthSource(&calculatedMonths);
    ModAutoUpdate appUpdate(http, shell, dialogs, clock, folder.settingsFile());
    ModBackupINI backups(folder, clock, dialogs);

    Velmora clockWindow(folder, clock, speech, screens);
    clockWindow.setAudio(&audio);
    clockWindow.setDisplayPower(&displayPower);
    FrmSetting settingsWindow(folder, clock, dialogs, &clockWindow);
    settingsWindow.attachAutostart(autostart);
    frmtray tray(folder, clock, dialogs, shell, trayIcon);
    ShutdownScheduler shutdown(folder, clock, shell, &clockWindow);
    DialogLauncher launcher(folder, shell, clock, backups, dialogs);
    launcher.setOwners(&clockWindow, &settingsWindow);

    // The clock's start-up and close.
    QObject::connect(&clockWindow, &Velmora::logoPathResolved, &settingsWindow, &FrmSetting::takeLogoPath);
    QObject::connect(&clockWindow, &Velmora::dataUpdaterDue, &updater, &JSONAutoupdate::load);
    QObject::connect(&clockWindow, &Velmora::ticked, &updater, &JSONAutoupdate::checkPlace);
    QObject::connect(&clockWindow, &Velmora::closeRequested, &tray, &frmtray::hideClockToTray);
    QObject::connect(&clockWindow, &Velmora::scrollRunningChanged, &settingsWindow,
                     &FrmSetting::showScrollRunning);

    // The settings window acts on the running clock.
    QObject::connect(&settingsWindow, &FrmSetting::logoLeftChanged, &clockWindow, &Velmora::setLogoLeftTwips);
    QObject::connect(&settingsWindow, &FrmSetting::logoTopChanged, &clockWindow, &Velmora::setLogoTopTwips);
    QObject::connect(&settingsWindow, &FrmSetting::logoFileChosen, &clockWindow, &Velmora::showLogoFile);
    QObject::connect(&settingsWindow, &FrmSetting::scrollRunningRequested, &clockWindow,
                     &Velmora::setScrollRunning);
    QObject::connect(&settingsWindow, &FrmSetting::shutdownChecksRequested, &clockWindow,
                     &Velmora::setShutdownChecks);
    QObject::connect(&settingsWindow, &FrmSetting::nextDisplayRequested, &clockWindow,
                     &Velmora::moveToNextMonitor);
    QObject::connect(&settingsWindow, &FrmSetting::updaterReloadRequested, &updater, &JSONAutoupdate::reload);
    QObject::connect(&settingsWindow, &FrmSetting::backupsRequested, &launcher, &DialogLauncher::openBackups);
    QObject::connect(&settingsWindow, &FrmSetting::announcementsRequested, &launcher,
                     &DialogLauncher::openAnnouncements);

    // The tray icon's menu.
    QObject::connect(&tray, &frmtray::aboutRequested, &launcher, &DialogLauncher::openAbout);
    QObject::connect(&tray, &frmtray::settingsRequested, &settingsWindow, &FrmSetting::showModalFromTray);
    QObject::connect(&tray, &frmtray::noBackgroundRequested, &clockWindow, &Velmora::showWithoutBackground);
    QObject::connect(&tray, &frmtray::nextDisplayRequested, &clockWindow, &Velmora::moveToNextMonitor);
    QObject::connect(&tray, &frmtray::updateCheckRequested, &appUpdate, &ModAutoUpdate::CheckForUpdates);
    QObject::connect(&tray, &frmtray::automaticUpdateCheckDue, &appUpdate, &ModAutoUpdate::RunAutomaticCheck);
    QObject::connect(&tray, &frmtray::updaterLoadRequested, &updater, &JSONAutoupdate::load);
    QObject::connect(&tray, &frmtray::clockShowRequested, &clockWindow, &Velmora::show);

    // The computer's clock not kept synchronised is said on the status line.
    ClockSync clockSync;
    QObject::connect(&clockWindow, &Velmora::ticked, &clockSync, &ClockSync::check);
    QObject::connect(&clockSync, &ClockSync::unsynchronisedChanged, &clockWindow,
                     &Velmora::showClockUnsynchronised);

    // The clock's own page on the mosque's network, served while [PANEL] AKTIF=ON.
    PhonePanel phonePanel(folder, clock, backups);
    FrmTelefon phoneWindow(folder);
    QObject::connect(&clockWindow, &Velmora::ticked, &phonePanel, &PhonePanel::followSettings);
    QObject::connect(&phoneWindow, &FrmTelefon::settingsSaved, &phonePanel, &PhonePanel::followSettings);
    QObject::connect(&phoneWindow, &FrmTelefon::signOutAllRequested, &phonePanel, &PhonePanel::signOutAll);
    QObject::connect(&phonePanel, &PhonePanel::statusChanged, &phoneWindow, &FrmTelefon::showServerStatus);
    QObject::connect(&settingsWindow, &FrmSetting::phonePanelRequested, &phoneWindow, &FrmTelefon::showPanel);
    settingsWindow.offerPhonePanel();

    // The daily shutdown.
    QObject::connect(&clockWindow, &Velmora::shutdownCheckDue, &shutdown, &ShutdownScheduler::ShutDwn_Timer);
    QObject::connect(&shutdown, &ShutdownScheduler::statusShown, &clockWindow, &Velmora::showShutdownStatus);
    QObject::connect(&shutdown, &ShutdownScheduler::dateCaptionShown, &clockWindow, &Velmora::showDateCaption);
    QObject::connect(&shutdown, &ShutdownScheduler::checksRunning, &clockWindow, &Velmora::setShutdownChecks);
    QObject::connect(&shutdown, &ShutdownScheduler::trayIconRemovalRequested, &tray, &frmtray::DelIcon);

    // End-to-end runs watch the clock through TAVROLA_STATE_FILE; nothing is written otherwise.
    const std::unique_ptr<StateReport> stateReport =
        StateReport::fromEnvironment(clockWindow, clock, folder.databaseFile());
    if (stateReport)
        QObject::connect(&speech, &QtSpeech::sentenceSpoken, stateReport.get(), &StateReport::noteAnnouncement);

    // Under `tavrola --guard` each tick tells the guard the clock is alive.
    const std::unique_ptr<GuardHeartbeat> heartbeat = GuardHeartbeat::fromEnvironment();
    if (heartbeat)
        QObject::connect(&clockWindow, &Velmora::ticked, heartbeat.get(), &GuardHeartbeat::beat);

    clockWindow.load();
    clockWindow.show();
    return app.exec();
}

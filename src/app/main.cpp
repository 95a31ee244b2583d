// The tavrola executable: creates the platform services and the windows, and connects them.
#include "core/AppInfo.h"
#include "core/config/ModBackupINI.h"
#include "core/config/ProgramFolder.h"
#include "core/prayerdata/CalculatedMonthSource.h"
#include "gui/clock/StateReport.h"
#include "gui/clock/Velmora.h"
#include "gui/config/frmBackupINI.h"
#include "gui/desktop/AppIcon.h"
#include "gui/desktop/MonitorPanel.h"
#include "gui/desktop/frmtray.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/QtAudio.h"
#include "gui/platform/QtClock.h"
#include "gui/platform/QtDialogs.h"
#include "gui/platform/QtHttpClient.h"
#include "gui/platform/QtScreens.h"
#include "gui/platform/QtShell.h"
#include "gui/platform/QtSpeech.h"
#include "gui/platform/QtTray.h"
#include "gui/platform/SingleInstance.h"
#include "gui/platform/StartupTrace.h"
#include "gui/platform/Transparency.h"
#include "gui/prayerdata/JSONAutoupdate.h"
#include "gui/settings/FrmSetting.h"
#include "gui/shutdown/ShutdownScheduler.h"
#include "gui/update/ModAutoUpdate.h"
#include "gui/update/frmAbout.h"
#include "gui/widgets/ucAniGIF.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include <memory>

using namespace tavrola;

int main(int argc, char* argv[]) {
    StartupTrace::markMain();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(app::kTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(app::kVersion));
    QApplication::setWindowIcon(appIcon());
    // Closing the clock only hides it; the program ends from the tray menu or the shutdown path.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString folderPath = QCoreApplication::applicationDirPath();
    // A second start ends at once, without a message, while the first keeps running.
    SingleInstance instance(folderPath);
    if (!instance.acquire())
        return 0;
    const ProgramFolder folder(pathFromQt(folderPath));

    QtClock clock;
    QtDialogs dialogs;
    QtSpeech speech;
    QtHttpClient http;
    QtShell shell;
    QtScreens screens;
    QtTray trayIcon(appIcon());

    Velmora clockWindow(folder, clock, speech);
    clockWindow.attachDesktop(screens);
    QtAudio audio;
    clockWindow.setAudio(&audio);

    // The month's prayer times: from the data server when one is set, computed here otherwise.
    CalculatedMonthSource calculatedMonths(folder.settingsFile());
    JSONAutoupdate updater(folder, clock, http);
    updater.setNoHostMonthSource(&calculatedMonths);

    ModAutoUpdate appUpdate(http, shell, dialogs, clock, folder.settingsFile());

    ModBackupINI backups(folder, clock, dialogs);

    // The settings window acts on the running clock; its logo position is in twips of the
    // designed window, scaled like the rest of the window.
    FrmSetting::ClockLink link;
    const auto twipsToX = [&](int tw) { return tw * clockWindow.width() / (15 * Velmora::kDesignWidth); };
    const auto twipsToY = [&](int tw) { return tw * clockWindow.height() / (15 * Velmora::kDesignHeight); };
    link.setLogoLeft = [&](int tw) { clockWindow.logoControl()->move(twipsToX(tw), clockWindow.logoControl()->y()); };
    link.setLogoTop = [&](int tw) { clockWindow.logoControl()->move(clockWindow.logoControl()->x(), twipsToY(tw)); };
    link.loadLogo = [&](const QString& path) { clockWindow.logoControl()->LoadAnimatedGIF_File(path); };
    link.scrollRunning = [&] { return clockWindow.tmrScroll->isActive(); };
    link.setScrollRunning = [&](bool run) { run ? clockWindow.tmrScroll->start() : clockWindow.tmrScroll->stop(); };
    link.shutdownTimerOn = [&] { clockWindow.ShutDwn->start(); };
    link.nextDisplay = [&] { clockWindow.monitorPanel()->switchMonitorsByMove(); };
    link.reloadUpdater = [&] { updater.reload(3.0); };
    FrmSetting settingsWindow(folder, clock, dialogs, link, &clockWindow);
    settingsWindow.link.openBackups = [&] {
        frmBackupINI backupWindow(backups, dialogs, &settingsWindow);
        backupWindow.exec();
    };
    clockWindow.hooks.logoPathResolved = [&](Velmora&, const QString& path) { settingsWindow.takeLogoPath(path); };

    frmtray tray(folder, clock, dialogs, shell, trayIcon);
    frmtray::Hooks& menu = tray.hooks();
    menu.about = [&] {
        frmAbout about(shell, clock, &clockWindow);
        about.aniGif()->LoadAnimatedGIF_File(pathToQt(folder.root() / "logo" / "logo.gif"));
        about.exec();
    };
    menu.settings = [&] { settingsWindow.showModalFromTray(); };
    menu.noBackground = [&] {
        ShowWithoutBackground(&clockWindow, pathToQt(folder.root() / "bg" / "hitam.jpg"),
                              [&](const QPixmap& picture) { clockWindow.setBackgroundPicture(picture); });
    };
    menu.nextDisplay = [&] { clockWindow.monitorPanel()->switchMonitorsByMove(); };
    menu.manualUpdateCheck = [&] { appUpdate.CheckForUpdates(false); };
    menu.automaticUpdateCheck = [&] { appUpdate.RunAutomaticCheck(); };
    menu.loadUpdater = [&] { updater.load(); };
    menu.showClock = [&] { clockWindow.show(); };

    ShutdownScheduler shutdown(
        clockWindow.ShutDwn, folder, clock, shell,
        {[&](const QString& t) { clockWindow.shut_tutup->setText(t); },
         [&](const QString& t) { clockWindow.Jamcount->setText(t); },
         [&](const QString& t) { clockWindow.lblLabel2->setText(t); },
         [&](const QString& t) { clockWindow.tarikh_melayu_caption->setText(t); }},
        {{}, [&] { tray.DelIcon(); }, {}}, &clockWindow);

    clockWindow.hooks.ensureTrayIcon = [&](Velmora& w) { tray.hideClockToTray(&w); };
    clockWindow.hooks.fadeIn = [](Velmora& w) { FadeInWindow(&w); };
    clockWindow.hooks.loadDataUpdater = [&](Velmora&) { updater.load(); };

    // End-to-end runs watch the clock through TAVROLA_STATE_FILE; nothing is written otherwise.
    const std::unique_ptr<StateReport> stateReport = StateReport::fromEnvironment(clockWindow, clock);
    if (stateReport)
        QObject::connect(&speech, &QtSpeech::sentenceSpoken, stateReport.get(), &StateReport::noteAnnouncement);

    clockWindow.load();
    clockWindow.show();
    return app.exec();
}

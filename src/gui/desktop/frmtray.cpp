#include "gui/desktop/frmtray.h"

#include "core/AppInfo.h"
#include "core/config/ModBackupINI.h"
#include "core/desktop/TrayTip.h"
#include "core/platform/Shell.h"
#include "gui/desktop/AppIcon.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QTimer>

namespace tavrola {

frmtray::frmtray(ProgramFolder folder, const Clock& clock, Dialogs& dialogs, Shell& shell, Tray& tray, Hooks hooks,
                 QWidget* parent)
    : QWidget(parent), m_folder(std::move(folder)), m_clock(clock), m_dialogs(dialogs), m_shell(shell),
      m_tray(tray), m_hooks(std::move(hooks)) {
    setObjectName("frmtray");
    setWindowTitle("frmtray");

    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    Picture1->setPixmap(appIcon().pixmap(32, 32));

    tmrUpdateCheck = new QTimer(this);
    tmrUpdateCheck->setObjectName("tmrUpdateCheck");
    tmrUpdateCheck->setInterval(15000);
    tmrUpdateCheck->setSingleShot(true);
    connect(tmrUpdateCheck, &QTimer::timeout, this, &frmtray::tmrUpdateCheck_Timer);

    mnuPopup = new QMenu("Popup", this);
    mnuPopup->setObjectName("mnuPopup");
    mnuabout = item("mnuabout", "&About", &Hooks::about);
    mnuShutdwn = mnuPopup->addSeparator();
    mnuShutdwn->setObjectName("mnuShutdwn");
    mnusettings = item("mnusettings", "&Settings", &Hooks::settings);
    mnuNoBG = item("mnuNoBG", "&Tiada Latar Belakang", &Hooks::noBackground);
    mnutukardisplay = item("mnutukardisplay", "&Tukar Display", &Hooks::nextDisplay);
    mnulamanweb = item("mnulamanweb", "&Laman Web Orvanta", nullptr);
    connect(mnulamanweb, &QAction::triggered, this, &frmtray::mnulamanweb_Click);
    mnusemakkemaskini = item("mnusemakkemaskini", "Semak &Kemaskini", &Hooks::manualUpdateCheck);
    mnu1 = mnuPopup->addSeparator();
    mnu1->setObjectName("mnu1");
    mnuexit = item("mnuexit", "&Keluar", nullptr);
    connect(mnuexit, &QAction::triggered, this, &frmtray::mnuexit_Click);

    m_tray.setClickHandler([this](TrayClick click) { trayClicked(click); });
}

QAction* frmtray::item(const char* name, const QString& caption, std::function<void()> Hooks::*hook) {
    QAction* action = mnuPopup->addAction(caption);
    action->setObjectName(name);
    if (hook)
        connect(action, &QAction::triggered, this, [this, hook] {
            // Read at the moment of the click, so hooks filled in after construction count.
            if (const auto& f = m_hooks.*hook)
                f();
        });
    return action;
}

void frmtray::Form_Load() {
    if (m_loaded)
        return;
    m_loaded = true;
    // From now on the program ends only from the icon's menu or the shutdown, never because the
    // last visible window (a dialog over the hidden clock) was closed.
    QApplication::setQuitOnLastWindowClosed(false);

    ModBackupINI backups(m_folder, m_clock, m_dialogs);
    backups.CheckAndRestoreINI();
    tmrUpdateCheck->start();
    backups.CreateBackup();
    if (m_hooks.loadUpdater)
        m_hooks.loadUpdater();
    if (m_hooks.showClock)
        m_hooks.showClock();
    addIcon();
}

void frmtray::addIcon() {
    m_tray.showIcon(trayTipText(app::kTitle, app::kVersion));
}

bool frmtray::LoadIcon() {
    if (!m_loaded)
        Form_Load();
    else
        addIcon();
    return m_tray.iconShown();
}

void frmtray::DelIcon() {
    m_tray.removeIcon();
}

void frmtray::hideClockToTray(QWidget* clockWindow) {
    if (LoadIcon()) {
        clockWindow->hide();
        return;
    }
    // No notification area on this desktop: a hidden clock could never be brought back and the
    // program never ended, so the clock stays on screen and the icon's menu opens right here.
    clockWindow->show();
    clockWindow->raise();
    popupMenu(QCursor::pos());
}

void frmtray::trayClicked(TrayClick click) {
    switch (click) {
    case TrayClick::Left:
        popupMenu(QCursor::pos());
        break;
    case TrayClick::Double:
        // Only this never-shown window's caption changes: a double-click does not bring the clock back.
        setWindowTitle("Double Click");
        break;
    case TrayClick::Right:
    case TrayClick::Middle:
        break;
    }
}

void frmtray::popupMenu(const QPoint& globalPos) {
    mnuPopup->popup(globalPos);
}

void frmtray::tmrUpdateCheck_Timer() {
    if (m_hooks.automaticUpdateCheck)
        m_hooks.automaticUpdateCheck();
}

void frmtray::mnulamanweb_Click() {
    m_shell.openAddress(app::kHomePage);
}

void frmtray::mnuexit_Click() {
    DelIcon();
    mnuPopup->hide();
    hide();
    if (m_hooks.quit)
        m_hooks.quit();
    else
        QCoreApplication::exit(0);
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/desktop/frmtray.h"

#include "core/AppInfo.h"
#include "core/settings/ModBackupINI.h"
#include "core/desktop/TrayTip.h"
#include "core/platform/Shell.h"
#include "gui/desktop/AppIcon.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMetaMethod>
#include <QTimer>

namespace tavrola {

frmtray::frmtray(ProgramFolder folder, const Clock& clock, Dialogs& dialogs, Shell& shell, Tray& tray,
                 QWidget* parent)
    : QWidget(parent), m_folder(std::move(folder)), m_clock(clock), m_dialogs(dialogs), m_shell(shell),
      m_tray(tray) {
    setObjectName("frmtray");
    setWindowTitle("frmtray");

    auto* Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    Picture1->setPixmap(appIcon().pixmap(32, 32));

    tmrUpdateCheck = new QTimer(this);
    tmrUpdateCheck->setObjectName("tmrUpdateCheck");
    tmrUpdateCheck->setInterval(15000);
    tmrUpdateCheck->setSingleShot(true);
    connect(tmrUpdateCheck, &QTimer::timeout, this, &frmtray::tmrUpdateCheck_Timer);

    mnuPopup = new QMenu("Popup", this);
    mnuPopup->setObjectName("mnuPopup");
    QAction* mnuabout = item("mnuabout", "&About");
    connect(mnuabout, &QAction::triggered, this, &frmtray::aboutRequested);
    QAction* mnuShutdwn = mnuPopup->addSeparator();
    mnuShutdwn->setObjectName("mnuShutdwn");
    QAction* mnusettings = item("mnusettings", "&Settings");
    connect(mnusettings, &QAction::triggered, this, &frmtray::settingsRequested);
    QAction* mnuNoBG = item("mnuNoBG", "&Tiada Latar Belakang");
    connect(mnuNoBG, &QAction::triggered, this, &frmtray::noBackgroundRequested);
    QAction* mnutukardisplay = item("mnutukardisplay", "&Tukar Display");
    connect(mnutukardisplay, &QAction::triggered, this, &frmtray::nextDisplayRequested);
    QAction* mnulamanweb = item("mnulamanweb", "&Laman Web Orvanta");
    connect(mnulamanweb, &QAction::triggered, this, &frmtray::mnulamanweb_Click);
    QAction* mnusemakkemaskini = item("mnusemakkemaskini", "Semak &Kemaskini");
    connect(mnusemakkemaskini, &QAction::triggered, this, [this] { emit updateCheckRequested(false); });
    QAction* mnu1 = mnuPopup->addSeparator();
    mnu1->setObjectName("mnu1");
    QAction* mnuexit = item("mnuexit", "&Keluar");
    connect(mnuexit, &QAction::triggered, this, &frmtray::mnuexit_Click);

    m_tray.setClickHandler([this](TrayClick click) { trayClicked(click); });
}

QAction* frmtray::item(const char* name, const QString& caption) {
    QAction* action = mnuPopup->addAction(caption);
    action->setObjectName(name);
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
    emit updaterLoadRequested();
    emit clockShowRequested();
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
    emit automaticUpdateCheckDue();
}

void frmtray::mnulamanweb_Click() {
    m_shell.openAddress(app::kHomePage);
}

void frmtray::mnuexit_Click() {
    DelIcon();
    mnuPopup->hide();
    hide();
    if (isSignalConnected(QMetaMethod::fromSignal(&frmtray::quitRequested)))
        emit quitRequested();
    else
        QCoreApplication::exit(0);
}

} // namespace tavrola

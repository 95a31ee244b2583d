// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shutdown/ShutdownScheduler.h"

#include "core/AppInfo.h"
#include "core/settings/SettingsSchema.h"
#include "core/platform/Clock.h"
#include "gui/platform/LocalText.h"

#include <QMetaMethod>
#include <QWidget>

namespace tavrola {

ShutdownScheduler::ShutdownScheduler(ProgramFolder folder, const Clock& clock, Shell& shell, QWidget* dialogParent,
                                     QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_clock(clock), m_shell(shell), m_dialogParent(dialogParent),
      m_schedule(app::kVersion) {}

void ShutdownScheduler::ShutDwn_Timer() {
    const std::string stored = readSetting(settings::kShutdownTime, m_folder.settingsFile());
    const ShutdownTick tick = m_schedule.tick(stored, m_clock.now());
    emit statusShown(toQt(tick.shutTutup), toQt(tick.jamcount), toQt(tick.statusLine));
    if (!tick.openDialog)
        return;

    emit dateCaptionShown(
        QString::fromLatin1(kShutdownDateCaption.data(), static_cast<qsizetype>(kShutdownDateCaption.size())));
    emit checksRunning(false);
    FrmShutdownConfirm dialog(m_shell, m_dialogParent);
    connect(&dialog, &FrmShutdownConfirm::shutDwnEnabled, this, &ShutdownScheduler::checksRunning);
    connect(&dialog, &FrmShutdownConfirm::trayIconRemovalRequested, this,
            &ShutdownScheduler::trayIconRemovalRequested);
    if (isSignalConnected(QMetaMethod::fromSignal(&ShutdownScheduler::programEndRequested)))
        connect(&dialog, &FrmShutdownConfirm::programEndRequested, this, &ShutdownScheduler::programEndRequested);
    emit dialogOpening(&dialog);
    // Modal: the clock's other timers keep running in the dialog's event loop; ShutDwn is off meanwhile.
    dialog.exec();
}

} // namespace tavrola

#include "gui/shutdown/ShutdownScheduler.h"

#include "core/AppInfo.h"
#include "core/config/SettingsSchema.h"
#include "core/platform/Clock.h"
#include "gui/platform/LocalText.h"

#include <QCoreApplication>
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
    FrmShutdownConfirm::Hooks hooks;
    hooks.setShutDwnEnabled = [this](bool on) { emit checksRunning(on); };
    hooks.delIcon = [this] { emit trayIconRemovalRequested(); };
    if (isSignalConnected(QMetaMethod::fromSignal(&ShutdownScheduler::programEndRequested)))
        hooks.endProgram = [this] { emit programEndRequested(); };
    FrmShutdownConfirm dialog(m_shell, hooks, m_dialogParent);
    emit dialogOpening(&dialog);
    // Modal: the clock's other timers keep running in the dialog's event loop; ShutDwn is off meanwhile.
    dialog.exec();
}

} // namespace tavrola

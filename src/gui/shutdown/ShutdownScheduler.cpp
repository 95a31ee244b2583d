#include "gui/shutdown/ShutdownScheduler.h"

#include "core/AppInfo.h"
#include "core/config/SettingsSchema.h"
#include "core/platform/Clock.h"
#include "gui/platform/LocalText.h"

#include <QTimer>
#include <QWidget>

namespace tavrola {

ShutdownScheduler::ShutdownScheduler(QTimer* ShutDwn, ProgramFolder folder, const Clock& clock, Shell& shell,
                                     Displays displays, FrmShutdownConfirm::Hooks dialogHooks,
                                     QWidget* dialogParent, QObject* parent)
    : QObject(parent), m_timer(ShutDwn), m_folder(std::move(folder)), m_clock(clock), m_shell(shell),
      m_displays(std::move(displays)), m_dialogHooks(std::move(dialogHooks)), m_dialogParent(dialogParent),
      m_schedule(app::kVersion) {
    m_timer->setInterval(30000);
    connect(m_timer, &QTimer::timeout, this, &ShutdownScheduler::ShutDwn_Timer);
    // The dialog switches ShutDwn back on after a cancel and off for good when it shuts down.
    m_dialogHooks.setShutDwnEnabled = [t = m_timer, also = std::move(m_dialogHooks.setShutDwnEnabled)](bool on) {
        on ? t->start() : t->stop();
        if (also)
            also(on);
    };
}

void ShutdownScheduler::ShutDwn_Timer() {
    const std::string stored = readSetting(settings::kShutdownTime, m_folder.settingsFile());
    const ShutdownTick tick = m_schedule.tick(stored, m_clock.now());
    if (m_displays.setShutTutup)
        m_displays.setShutTutup(toQt(tick.shutTutup));
    if (m_displays.setJamcount)
        m_displays.setJamcount(toQt(tick.jamcount));
    if (m_displays.setStatusLine)
        m_displays.setStatusLine(toQt(tick.statusLine));
    if (!tick.openDialog)
        return;

    if (m_displays.setDateCaption)
        m_displays.setDateCaption(
            QString::fromLatin1(kShutdownDateCaption.data(), static_cast<qsizetype>(kShutdownDateCaption.size())));
    m_timer->stop();
    FrmShutdownConfirm dialog(m_shell, m_dialogHooks, m_dialogParent);
    emit dialogOpening(&dialog);
    // Modal: the clock's other timers keep running in the dialog's event loop; ShutDwn is off meanwhile.
    dialog.exec();
}

} // namespace tavrola

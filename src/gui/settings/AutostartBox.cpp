// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/AutostartBox.h"

#include "core/AppInfo.h"
#include "core/platform/Autostart.h"
#include "core/platform/Dialogs.h"

#include <QSignalBlocker>

namespace tavrola {

AutostartBox::AutostartBox(Autostart& autostart, Dialogs& dialogs, QWidget* parent)
    : QCheckBox(QStringLiteral("Mula automatik"), parent), m_autostart(autostart), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("chkAutostart"));
    setToolTip(QStringLiteral("Mulakan jam ini setiap kali komputer dihidupkan..."));
    setChecked(m_autostart.isEnabled());
    connect(this, &QCheckBox::toggled, this, &AutostartBox::change);
}

void AutostartBox::showEvent(QShowEvent* event) {
    const QSignalBlocker quiet(this);
    setChecked(m_autostart.isEnabled());
    QCheckBox::showEvent(event);
}

void AutostartBox::change(bool on) {
    if (m_autostart.setEnabled(on))
        return;
    {
        const QSignalBlocker quiet(this);
        setChecked(!on);
    }
    m_dialogs.message(MessageIcon::Exclamation, std::string(app::kTitle), "Failed to save.", MessageButtons::Ok);
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/QtTray.h"

#include "gui/platform/LocalText.h"

namespace tavrola {

QtTray::QtTray(const QIcon& icon, QObject* parent) : QObject(parent), m_icon(icon) {
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (!m_handler)
            return;
        switch (reason) {
        case QSystemTrayIcon::Trigger:
            m_handler(TrayClick::Left);
            break;
        case QSystemTrayIcon::Context:
            m_handler(TrayClick::Right);
            break;
        case QSystemTrayIcon::DoubleClick:
            m_handler(TrayClick::Double);
            break;
        case QSystemTrayIcon::MiddleClick:
            m_handler(TrayClick::Middle);
            break;
        case QSystemTrayIcon::Unknown:
            break;
        }
    });
}

bool QtTray::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTray::showIcon(const std::string& tip) {
    m_icon.setToolTip(toQt(tip));
    if (available())
        m_icon.show();
}

void QtTray::removeIcon() {
    m_icon.hide();
}

bool QtTray::iconShown() const {
    return m_icon.isVisible();
}

void QtTray::setClickHandler(std::function<void(TrayClick)> handler) {
    m_handler = std::move(handler);
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Tray.h"

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

namespace tavrola {

// The notification-area icon through QSystemTrayIcon. It has no context menu of its own: the
// menu belongs to frmtray, which opens it on a left press only.
class QtTray : public QObject, public Tray {
    Q_OBJECT
public:
    explicit QtTray(const QIcon& icon, QObject* parent = nullptr);

    bool available() const override;
    void showIcon(const std::string& tip) override;
    void removeIcon() override;
    bool iconShown() const override;
    void setClickHandler(std::function<void(TrayClick)> handler) override;

    QSystemTrayIcon& trayIcon() { return m_icon; }

private:
    QSystemTrayIcon m_icon;
    std::function<void(TrayClick)> m_handler;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace tavrola {

// How the user pressed the notification-area icon.
enum class TrayClick { Left, Right, Double, Middle };

// The program's one icon in the notification area (the system tray).
class Tray {
public:
    virtual ~Tray() = default;
    // False when the desktop has no notification area to put the icon in.
    virtual bool available() const = 0;
    // Adds the icon with this tip, or only updates the tip when it is already there (never two icons).
    virtual void showIcon(const std::string& tip) = 0;
    virtual void removeIcon() = 0;
    virtual bool iconShown() const = 0;
    // Called on the user-interface thread for every press on the icon.
    virtual void setClickHandler(std::function<void(TrayClick)> handler) = 0;
};

} // namespace tavrola

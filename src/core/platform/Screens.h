// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/desktop/Rect.h"
#include "core/desktop/TwipScale.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavrola {

// One physical monitor as the desktop reports it, in screen pixels.
struct ScreenInfo {
    // Identifies the monitor for as long as it is attached; never 0 (0 stands for the whole desktop).
    std::uint64_t id = 0;
    std::string name;         // device name, e.g. "\\.\DISPLAY1"
    std::string deviceString; // the adapter or model description
    std::string deviceId;
    Rect geometry;
    Rect workArea; // without task bars and docks
    bool primary = false;
    // Display-device state. A desktop that cannot tell keeps these values.
    bool attachedToDesktop = true;
    bool vgaCompatible = true;
    bool removable = false;
    bool mirroring = false;
};

// The desktop's monitors and the mouse pointer.
class Screens {
public:
    virtual ~Screens() = default;
    // The attached monitors in the desktop's own order.
    virtual std::vector<ScreenInfo> monitors() const = 0;
    virtual Point cursorPos() const = 0;
    virtual TwipScale twipsPerPixel() const = 0;
    // False only on desktops that know a single screen and nothing about monitors.
    virtual bool multiMonitorSupport() const { return true; }
};

} // namespace tavrola

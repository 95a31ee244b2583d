// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Screens.h"

#include <string>
#include <vector>

namespace tavrola::fakes {

// A desktop whose monitors and mouse pointer the test arranges.
class FakeScreens : public Screens {
public:
    std::vector<ScreenInfo> monitors() const override { return list; }
    Point cursorPos() const override { return cursor; }
    TwipScale twipsPerPixel() const override { return twips; }
    bool multiMonitorSupport() const override { return multi; }

    // Adds a monitor of the given geometry; its work area leaves a 40-pixel task bar at the bottom.
    ScreenInfo& add(std::string name, Rect geometry, bool primary = false) {
        ScreenInfo s;
        s.id = nextId++;
        s.name = std::move(name);
        s.geometry = geometry;
        s.workArea = {geometry.left, geometry.top, geometry.right, geometry.bottom - 40};
        s.primary = primary;
        list.push_back(s);
        return list.back();
    }

    std::vector<ScreenInfo> list;
    Point cursor;
    TwipScale twips;
    bool multi = true;
    std::uint64_t nextId = 101;
};

} // namespace tavrola::fakes

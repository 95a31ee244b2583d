// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/desktop/CMonitor.h"
#include "core/desktop/Rect.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrola {

class Screens;
struct ScreenInfo;

// The monitor list and the placement rules of the clock window. Entry 0 is the virtual desktop,
// entries 1..N the monitors in the desktop's order. Windows are given by their screen rectangle
// (frame included) and placements come back as the rectangle to move the window to.
class MMonitors {
public:
    explicit MMonitors(const Screens& screens) : m_screens(screens) {}

    // Rebuilds the list from nothing.
    void RefreshMonitors();
    // The entries in list order; builds the list when there is none yet.
    const std::vector<std::unique_ptr<CMonitor>>& Monitors();
    // Entry index, or null when the list has no such entry.
    CMonitor* monitor(int index);

    int MonitorCount() const;
    bool IsMultiMonitor();
    int MonitorUnderCursor();
    int MonitorFromPointIndex(Point p);
    int MonitorOfWindow(const Rect& window);
    int MonitorIndexFromHandle(std::uint64_t handle);

    // In pixels; an index not in the list gives zeros.
    Rect MonitorRect(int index);
    Rect MonitorWorkRect(int index);
    Rect WindowRectOnMonitor(const Rect& window);
    // Where the window goes to keep its size and its place relative to the monitor's corner.
    Rect MoveToMonitor(const Rect& window, int index);
    // Where the window goes to lie on the desktop, or nothing when it is to stay.
    std::optional<Rect> EnsureOnscreen(const Rect& window, bool partialAllowed);
    // The rectangle that covers entry index (task bar included); nothing when there is no such entry.
    std::optional<Rect> CoverRect(int index);

    // The monitor after the one named by the Tag text, back to 1 after the last. An empty or
    // non-numeric Tag reads as 0, so a single monitor always gives 1.
    int NextMonitor(std::string_view tag) const;

    // The monitor report, each line ended by CR LF.
    std::string MonitorReport(const Rect& window);
    // "Display Resolution: w x h" of the monitor nearest (0, 0); nothing when there is no monitor.
    std::optional<std::string> ResolutionText() const;

private:
    // The monitor the desktop would name for a point or a window, "nearest" when none holds it.
    static const ScreenInfo* nearestTo(const std::vector<ScreenInfo>& monitors, Point p);
    static const ScreenInfo* nearestTo(const std::vector<ScreenInfo>& monitors, const Rect& r);
    void ensureList();

    const Screens& m_screens;
    std::vector<std::unique_ptr<CMonitor>> m_monitors;
    bool m_built = false;
};

} // namespace tavrola

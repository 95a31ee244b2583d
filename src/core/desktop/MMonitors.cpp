// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/desktop/MMonitors.h"

#include "core/settings/SettingsSchema.h"
#include "core/platform/Screens.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavrola {

namespace {

const char* boolText(bool b) {
    return b ? "True" : "False";
}

std::string rectText(const Rect& r) {
    return std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom);
}

// Squared distance from a point to the nearest point of a rectangle (0 inside).
std::int64_t distance2(const Rect& r, Point p) {
    const std::int64_t dx = p.x < r.left ? r.left - p.x : (p.x >= r.right ? p.x - (r.right - 1) : 0);
    const std::int64_t dy = p.y < r.top ? r.top - p.y : (p.y >= r.bottom ? p.y - (r.bottom - 1) : 0);
    return dx * dx + dy * dy;
}

// Squared gap between two rectangles (0 when they touch or meet).
std::int64_t gap2(const Rect& a, const Rect& b) {
    const std::int64_t dx =
        std::max<std::int64_t>({0, std::int64_t(a.left) - b.right, std::int64_t(b.left) - a.right});
    const std::int64_t dy =
        std::max<std::int64_t>({0, std::int64_t(a.top) - b.bottom, std::int64_t(b.top) - a.bottom});
    return dx * dx + dy * dy;
}

} // namespace

void MMonitors::RefreshMonitors() {
    m_monitors.clear();
    auto desktop = std::make_unique<CMonitor>(m_screens);
    desktop->setIndex(0);
    const bool multi = desktop->MultiMonitorSupport();
    m_monitors.push_back(std::move(desktop));
    if (multi) {
        for (const ScreenInfo& s : m_screens.monitors()) {
            auto m = std::make_unique<CMonitor>(m_screens);
            m->setHandle(s.id);
            m->setIndex(static_cast<int>(m_monitors.size()));
            m_monitors.push_back(std::move(m));
        }
    } else {
        auto m = std::make_unique<CMonitor>(m_screens);
        m->setIndex(1);
        m_monitors.push_back(std::move(m));
    }
    m_built = true;
}

void MMonitors::ensureList() {
    if (!m_built)
        RefreshMonitors();
}

const std::vector<std::unique_ptr<CMonitor>>& MMonitors::Monitors() {
    ensureList();
    return m_monitors;
}

CMonitor* MMonitors::monitor(int index) {
    ensureList();
    for (const auto& m : m_monitors)
        if (m->Index() == index)
            return m.get();
    return nullptr;
}

int MMonitors::MonitorCount() const {
    if (!m_screens.multiMonitorSupport())
        return 1;
    return static_cast<int>(m_screens.monitors().size());
}

bool MMonitors::IsMultiMonitor() {
    ensureList();
    return m_monitors.front()->MultiMonitorSupport();
}

int MMonitors::MonitorUnderCursor() {
    return MonitorFromPointIndex(m_screens.cursorPos());
}

const ScreenInfo* MMonitors::nearestTo(const std::vector<ScreenInfo>& monitors, Point p) {
    const ScreenInfo* best = nullptr;
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    for (const ScreenInfo& s : monitors) {
        const std::int64_t d = distance2(s.geometry, p);
        if (d < bestDistance) {
            best = &s;
            bestDistance = d;
        }
    }
    return best;
}

const ScreenInfo* MMonitors::nearestTo(const std::vector<ScreenInfo>& monitors, const Rect& r) {
    // The monitor holding most of the window; failing that, the closest one.
    const ScreenInfo* best = nullptr;
    std::int64_t bestArea = 0;
    for (const ScreenInfo& s : monitors) {
        const std::int64_t a = s.geometry.intersected(r).area();
        if (a > bestArea) {
            best = &s;
            bestArea = a;
        }
    }
    if (best)
        return best;
    if (r.isEmpty())
        return nearestTo(monitors, Point{r.left, r.top});
    std::int64_t bestGap = std::numeric_limits<std::int64_t>::max();
    for (const ScreenInfo& s : monitors) {
        const std::int64_t g = gap2(s.geometry, r);
        if (g < bestGap) {
            best = &s;
            bestGap = g;
        }
    }
    return best;
}

int MMonitors::MonitorFromPointIndex(Point p) {
    if (!m_screens.multiMonitorSupport())
        return 1;
    const std::vector<ScreenInfo> monitors = m_screens.monitors();
    const ScreenInfo* s = nearestTo(monitors, p);
    return s ? MonitorIndexFromHandle(s->id) : 0;
}

int MMonitors::MonitorOfWindow(const Rect& window) {
    if (!m_screens.multiMonitorSupport())
        return 1;
    const std::vector<ScreenInfo> monitors = m_screens.monitors();
    const ScreenInfo* s = nearestTo(monitors, window);
    return s ? MonitorIndexFromHandle(s->id) : 0;
}

int MMonitors::MonitorIndexFromHandle(std::uint64_t handle) {
    ensureList();
    for (const auto& m : m_monitors)
        if (m->handle() == handle)
            return m->Index();
    return 0;
}

Rect MMonitors::MonitorRect(int index) {
    const CMonitor* m = monitor(index);
    return m ? m->rect() : Rect{};
}

Rect MMonitors::MonitorWorkRect(int index) {
    const CMonitor* m = monitor(index);
    return m ? m->workRect() : Rect{};
}

Rect MMonitors::WindowRectOnMonitor(const Rect& window) {
    const Rect m = MonitorRect(MonitorOfWindow(window));
    return window.offset(-m.left, -m.top);
}

Rect MMonitors::MoveToMonitor(const Rect& window, int index) {
    const Rect m = MonitorRect(index);
    return WindowRectOnMonitor(window).offset(m.left, m.top);
}

std::optional<Rect> MMonitors::EnsureOnscreen(const Rect& window, bool partialAllowed) {
    const Rect d = MonitorRect(0);
    // With no monitor at all there is nowhere to pull the window to.
    if (d.isEmpty())
        return std::nullopt;
    if (d.united(window) == d)
        return std::nullopt;
    if (partialAllowed && window.intersects(d))
        return std::nullopt;
    Rect w = window;
    if (w.right > d.right)
        w = w.offset(d.right - w.right, 0);
    if (w.bottom > d.bottom)
        w = w.offset(0, d.bottom - w.bottom);
    if (w.left < d.left)
        w = w.offset(d.left - w.left, 0);
    if (w.top < d.top)
        w = w.offset(0, d.top - w.top);
    if (w == window)
        return std::nullopt;
    return w;
}

std::optional<Rect> MMonitors::CoverRect(int index) {
    RefreshMonitors();
    const CMonitor* m = monitor(index);
    if (!m)
        return std::nullopt;
    return m->rect();
}

int MMonitors::NextMonitor(std::string_view tag) const {
    const double value = leadingNumber(tag);
    // Val-like reading; anything out of int range is as good as "past the last monitor".
    int n = (std::isfinite(value) && std::abs(value) < 1e9) ? static_cast<int>(value) + 1
                                                            : std::numeric_limits<int>::max();
    if (n > MonitorCount())
        n = 1;
    // A negative Tag would name no monitor; the first one is the sound choice.
    if (n < 1)
        n = 1;
    return n;
}

std::string MMonitors::MonitorReport(const Rect& window) {
    RefreshMonitors();
    const std::string eol = "\r\n";
    std::string out;
    out += "MultiMonitor Support: " + std::string(boolText(IsMultiMonitor())) + eol;
    out += "Number of monitors: " + std::to_string(MonitorCount()) + eol;
    out += "This window is over monitor: " + std::to_string(MonitorOfWindow(window)) + eol;
    out += "The mouse is over monitor: " + std::to_string(MonitorUnderCursor()) + eol;
    out += "Absolute window coordinates: " + rectText(window) +
           "  Relative window coordinates: " + rectText(WindowRectOnMonitor(window)) + eol;
    for (const auto& m : m_monitors) {
        out += std::to_string(m->Index()) + ": \"" + m->Device() +
               "\", Desktop: " + boolText(m->AttachedToDesktop()) + ", VGA: " + boolText(m->VgaCompatible()) +
               ", Visible: " + boolText(m->Visible());
        if (m->Primary())
            out += ", Primary";
        out += eol;
    }
    return out;
}

std::optional<std::string> MMonitors::ResolutionText() const {
    const std::vector<ScreenInfo> monitors = m_screens.monitors();
    const ScreenInfo* s = nearestTo(monitors, Point{0, 0});
    if (!s)
        return std::nullopt;
    return "Display Resolution: " + std::to_string(s->geometry.width()) + " x " +
           std::to_string(s->geometry.height());
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/desktop/CMonitor.h"

#include "core/platform/Screens.h"

namespace tavrola {

namespace {
// Display-device state bits.
constexpr unsigned kAttachedToDesktop = 0x1;
constexpr unsigned kMirroringDriver = 0x8;
constexpr unsigned kVgaCompatible = 0x10;
constexpr unsigned kRemovable = 0x20;

unsigned stateFlags(const ScreenInfo& s) {
    unsigned f = 0;
    if (s.attachedToDesktop)
        f |= kAttachedToDesktop;
    if (s.mirroring)
        f |= kMirroringDriver;
    if (s.vgaCompatible)
        f |= kVgaCompatible;
    if (s.removable)
        f |= kRemovable;
    return f;
}

// The virtual desktop: the smallest rectangle holding every monitor.
Rect virtualDesktop(const std::vector<ScreenInfo>& monitors) {
    Rect r;
    for (const ScreenInfo& s : monitors)
        r = r.united(s.geometry);
    return r;
}
} // namespace

CMonitor::CMonitor(const Screens& screens) : m_screens(screens), m_multiMonitor(screens.multiMonitorSupport()) {
    Refresh();
}

void CMonitor::setHandle(std::uint64_t handle) {
    m_handle = handle;
    Refresh();
}

void CMonitor::setIndex(int index) {
    m_index = index;
    if (!m_multiMonitor)
        setDeviceNameFromIndex();
}

void CMonitor::setDeviceNameFromIndex() {
    if (m_index == 0) {
        m_device = "Virtual";
        m_work = m_rect;
    } else {
        m_device = "\\\\.\\DISPLAY1";
    }
}

void CMonitor::Refresh() {
    m_rect = {};
    m_work = {};
    m_primaryFlag = false;
    m_stateFlags = 0;
    m_device.clear();
    m_deviceString.clear();
    m_deviceId.clear();
    m_deviceKey.clear();
    m_twips = m_screens.twipsPerPixel();
    const std::vector<ScreenInfo> monitors = m_screens.monitors();
    if (!m_multiMonitor) {
        // A single screen: the first one the desktop knows.
        if (!monitors.empty()) {
            m_rect = {0, 0, monitors.front().geometry.width(), monitors.front().geometry.height()};
            m_work = monitors.front().workArea;
        }
        return;
    }
    if (m_handle == 0) {
        m_rect = virtualDesktop(monitors);
        setDeviceNameFromIndex();
        return;
    }
    for (const ScreenInfo& s : monitors) {
        if (s.id != m_handle)
            continue;
        m_rect = s.geometry;
        m_work = s.workArea;
        m_primaryFlag = s.primary;
        m_stateFlags = stateFlags(s);
        m_device = s.name;
        m_deviceString = s.deviceString;
        m_deviceId = s.deviceId;
        break;
    }
}

bool CMonitor::Primary() const {
    return m_multiMonitor ? m_primaryFlag : true;
}
bool CMonitor::AttachedToDesktop() const {
    return m_multiMonitor ? (m_stateFlags & kAttachedToDesktop) != 0 : true;
}
bool CMonitor::VgaCompatible() const {
    return m_multiMonitor ? (m_stateFlags & kVgaCompatible) != 0 : true;
}
bool CMonitor::Removable() const {
    return m_multiMonitor ? (m_stateFlags & kRemovable) != 0 : false;
}
bool CMonitor::Visible() const {
    return m_multiMonitor ? (m_stateFlags & kMirroringDriver) == 0 : true;
}

int CMonitor::horizontal(int px) const {
    return m_pixelsToTwips ? m_twips.toTwipsX(px) : px;
}
int CMonitor::vertical(int px) const {
    return m_pixelsToTwips ? m_twips.toTwipsY(px) : px;
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/desktop/Rect.h"
#include "core/desktop/TwipScale.h"

#include <cstdint>
#include <string>

namespace tavrola {

class Screens;

// One monitor, or (handle 0, Index 0) the whole virtual desktop.
class CMonitor {
public:
    explicit CMonitor(const Screens& screens);

    std::uint64_t handle() const { return m_handle; }
    // Setting the handle reads the monitor afresh.
    void setHandle(std::uint64_t handle);
    int Index() const { return m_index; }
    void setIndex(int index);
    bool PixelsToTwips() const { return m_pixelsToTwips; }
    void setPixelsToTwips(bool on) { m_pixelsToTwips = on; }

    bool AttachedToDesktop() const;
    const std::string& Device() const { return m_device; }
    const std::string& DeviceID() const { return m_deviceId; }
    const std::string& DeviceKey() const { return m_deviceKey; }
    const std::string& DeviceString() const { return m_deviceString; }
    bool DiminishedWorkarea() const { return !(m_work == m_rect); }
    bool MultiMonitorSupport() const { return m_multiMonitor; }
    bool Primary() const;
    bool Removable() const;
    bool VgaCompatible() const;
    bool Visible() const;

    int Left() const { return horizontal(m_rect.left); }
    int Top() const { return vertical(m_rect.top); }
    int Right() const { return horizontal(m_rect.right); }
    int Bottom() const { return vertical(m_rect.bottom); }
    int Width() const { return horizontal(m_rect.width()); }
    int Height() const { return vertical(m_rect.height()); }
    int WorkLeft() const { return horizontal(m_work.left); }
    int WorkTop() const { return vertical(m_work.top); }
    int WorkRight() const { return horizontal(m_work.right); }
    int WorkBottom() const { return vertical(m_work.bottom); }
    int WorkWidth() const { return horizontal(m_work.width()); }
    int WorkHeight() const { return vertical(m_work.height()); }

    // The rectangles in pixels, whatever PixelsToTwips says.
    const Rect& rect() const { return m_rect; }
    const Rect& workRect() const { return m_work; }

    // Reads the monitor's rectangles, flags and names; a monitor that is gone reads as zeros.
    void Refresh();

private:
    int horizontal(int px) const;
    int vertical(int px) const;
    void setDeviceNameFromIndex();

    const Screens& m_screens;
    std::uint64_t m_handle = 0;
    int m_index = 0;
    bool m_pixelsToTwips = false;
    bool m_multiMonitor = true;
    Rect m_rect;
    Rect m_work;
    bool m_primaryFlag = false;
    unsigned m_stateFlags = 0;
    std::string m_device;
    std::string m_deviceString;
    std::string m_deviceId;
    std::string m_deviceKey;
    TwipScale m_twips;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/DisplayPower.h"

namespace tavrola {

// X11: the screen-saver extension's suspend (reset on every call where the server lacks it) and
// DPMS where the server has it. Windows: SetThreadExecutionState and SC_MONITORPOWER. Elsewhere
// (Wayland, offscreen) nothing, and sleepDisplay() answers false. The saver and DPMS are restored
// when the object goes, and the server itself ends a suspend when the program's connection closes.
class QtDisplayPower : public DisplayPower {
public:
    QtDisplayPower();
    ~QtDisplayPower() override;
    QtDisplayPower(const QtDisplayPower&) = delete;
    QtDisplayPower& operator=(const QtDisplayPower&) = delete;

    void keepAwake(bool on) override;
    bool sleepDisplay() override;
    void wakeDisplay() override;
    bool displayWokenByUser() override;

private:
    void* m_display = nullptr; // the X server's Display, when the clock runs on X11
    bool m_hasSaverSuspend = false;
    bool m_hasDpms = false;
    bool m_dpmsWasEnabled = false;
    bool m_awake = false;
    bool m_asleep = false;
};

} // namespace tavrola

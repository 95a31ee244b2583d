// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/QtDisplayPower.h"

#include <QGuiApplication>

#ifdef TAVROLA_HAVE_X11
#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>
#include <X11/extensions/scrnsaver.h>
#endif

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tavrola {

#ifdef TAVROLA_HAVE_X11
namespace {

Display* x11(void* display) {
    return static_cast<Display*>(display);
}

} // namespace
#endif

QtDisplayPower::QtDisplayPower() {
#ifdef TAVROLA_HAVE_X11
    const auto* native = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!native || !native->display())
        return;
    m_display = native->display();
    int event = 0, error = 0, major = 0, minor = 0;
    m_hasSaverSuspend = XScreenSaverQueryExtension(x11(m_display), &event, &error) &&
                        XScreenSaverQueryVersion(x11(m_display), &major, &minor) &&
                        (major > 1 || (major == 1 && minor >= 1));
    m_hasDpms = DPMSQueryExtension(x11(m_display), &event, &error) && DPMSCapable(x11(m_display));
    if (m_hasDpms) {
        CARD16 level = 0;
        BOOL enabled = False;
        DPMSInfo(x11(m_display), &level, &enabled);
        m_dpmsWasEnabled = enabled;
    }
#endif
}

QtDisplayPower::~QtDisplayPower() {
    if (m_asleep)
        wakeDisplay();
    keepAwake(false);
}

void QtDisplayPower::keepAwake(bool on) {
#ifdef TAVROLA_HAVE_X11
    if (m_display) {
        if (on && !m_hasSaverSuspend)
            XResetScreenSaver(x11(m_display)); // the saver's time-out starts again on every call
        if (on != m_awake) {
            if (m_hasSaverSuspend)
                XScreenSaverSuspend(x11(m_display), on ? True : False);
            if (on)
                XResetScreenSaver(x11(m_display)); // a saver already showing goes
            if (m_hasDpms && on)
                DPMSDisable(x11(m_display));
            else if (m_hasDpms && m_dpmsWasEnabled)
                DPMSEnable(x11(m_display));
        }
        XFlush(x11(m_display));
    }
#endif
#ifdef Q_OS_WIN
    if (on != m_awake)
        SetThreadExecutionState(on ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
#endif
    m_awake = on;
}

bool QtDisplayPower::sleepDisplay() {
    keepAwake(false);
    m_asleep = false;
#ifdef TAVROLA_HAVE_X11
    if (m_display && m_hasDpms) {
        // Forcing a level needs DPMS on; it is put back as it was when the display wakes.
        DPMSEnable(x11(m_display));
        m_asleep = DPMSForceLevel(x11(m_display), DPMSModeOff);
        XFlush(x11(m_display));
    }
#endif
#ifdef Q_OS_WIN
    // Posted, not sent: a window that does not answer must not hold up the clock.
    m_asleep = PostMessageW(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
#endif
    return m_asleep;
}

void QtDisplayPower::wakeDisplay() {
    if (!m_asleep)
        return;
    m_asleep = false;
#ifdef TAVROLA_HAVE_X11
    if (m_display && m_hasDpms) {
        DPMSForceLevel(x11(m_display), DPMSModeOn);
        if (!m_dpmsWasEnabled)
            DPMSDisable(x11(m_display));
        XFlush(x11(m_display));
    }
#endif
#ifdef Q_OS_WIN
    PostMessageW(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, -1);
    // Some monitors only come back on input; a zero move is input enough.
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
#endif
}

bool QtDisplayPower::displayWokenByUser() {
#ifdef TAVROLA_HAVE_X11
    if (m_asleep && m_display && m_hasDpms) {
        CARD16 level = DPMSModeOff;
        BOOL enabled = False;
        DPMSInfo(x11(m_display), &level, &enabled);
        if (level == DPMSModeOn) {
            m_asleep = false;
            return true;
        }
    }
#endif
    return false;
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavrola {

// The screen's saver and power saving, which an unattended wall clock must control itself.
class DisplayPower {
public:
    virtual ~DisplayPower() = default;
    // On: the screen saver and the display's power saving stay off. Off: they are as they were.
    virtual void keepAwake(bool on) = 0;
    // Switches the display off for the night; false where that cannot be done (the caller then
    // shows nothing but black).
    virtual bool sleepDisplay() = 0;
    // Switches it on again after sleepDisplay().
    virtual void wakeDisplay() = 0;
    // After sleepDisplay(): whether someone has switched it on again (a key or the mouse wakes a
    // display the server put to sleep without the clock seeing the input).
    virtual bool displayWokenByUser() = 0;
};

} // namespace tavrola

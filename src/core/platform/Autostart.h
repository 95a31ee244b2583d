// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavrola {

// Starting the program when the user logs in (an XDG autostart entry, or the Run key on Windows).
class Autostart {
public:
    virtual ~Autostart() = default;
    virtual bool isEnabled() const = 0;
    // False when the entry could not be written or removed; the state is then unchanged.
    virtual bool setEnabled(bool on) = 0;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavrola {

// The operating system's shell: opening addresses and switching the computer off.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens an http(s) or mailto address in the user's default program.
    virtual bool openAddress(const std::string& address) = 0;
    // Starts the immediate, forced power-off of the computer.
    virtual bool powerOff() = 0;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Shell.h"

#include <string>

namespace tavrola {

// Opens web and mail addresses with the desktop's default programs and starts the power-off command.
// Inside tests it does neither, so a test that forgets to use a fake cannot switch the machine off.
class QtShell : public Shell {
public:
    bool openAddress(const std::string& address) override;
    bool powerOff() override;

    // Only http, https and mailto addresses are handed to the desktop (never files or programs).
    static bool isOpenableAddress(const std::string& address);
    // False when TAVROLA_TESTING is set, under the offscreen or minimal platform, or in a test program.
    static bool runningUnderTest();
};

} // namespace tavrola

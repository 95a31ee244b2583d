// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Autostart.h"

namespace tavrola::fakes {

// Remembers the switch; `failing` makes every change fail as a read-only folder would.
class FakeAutostart : public Autostart {
public:
    bool isEnabled() const override { return enabled; }
    bool setEnabled(bool on) override {
        enabled = failing ? enabled : on;
        return !failing;
    }
    bool enabled = false;
    bool failing = false;
};

} // namespace tavrola::fakes

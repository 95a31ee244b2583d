// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Tray.h"

#include <string>

namespace tavrola::fakes {

// A notification area the test controls: it records the icon and lets the test press it.
class FakeTray : public Tray {
public:
    bool available() const override { return hasTray; }
    void showIcon(const std::string&) override {
        if (!hasTray)
            return;
        if (!shown)
            ++adds;
        shown = true;
    }
    void removeIcon() override { shown = false; }
    bool iconShown() const override { return shown; }
    void setClickHandler(std::function<void(TrayClick)> handler) override { m_handler = std::move(handler); }

    void press(TrayClick click) {
        if (shown && m_handler)
            m_handler(click);
    }

    bool hasTray = true;
    bool shown = false;
    int adds = 0;

private:
    std::function<void(TrayClick)> m_handler;
};

} // namespace tavrola::fakes

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Screens.h"

namespace tavrola {

// The desktop's monitors as Qt sees them, on every platform.
class QtScreens : public Screens {
public:
    std::vector<ScreenInfo> monitors() const override;
    Point cursorPos() const override;
    TwipScale twipsPerPixel() const override;
};

} // namespace tavrola

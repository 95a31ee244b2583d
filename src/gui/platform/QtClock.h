// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Clock.h"

namespace tavrola {

class QtClock : public Clock {
public:
    DateTime now() const override;
};

} // namespace tavrola

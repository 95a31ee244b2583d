// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"

namespace tavrola {

// The computer's local wall clock. The core never reads it directly.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"

#include <cstdint>

namespace tavrola {

// Whether the wall clock moved between two ticks by more than two minutes beyond the time that
// really passed (`elapsedMs` on a steady clock): a corrected clock, a resumed computer.
bool wallClockJumped(const DateTime& before, const DateTime& now, std::int64_t elapsedMs);

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/WallClockJump.h"

#include <cstdlib>

namespace tavrola {

namespace {

constexpr std::int64_t kJumpMs = 2 * 60 * 1000;

std::int64_t millisecondsOf(const DateTime& t) {
    return ((toDayNumber(t.date) * 24 + t.hour) * 60 + t.minute) * 60000 + t.second * 1000 + t.millisecond;
}

} // namespace

bool wallClockJumped(const DateTime& before, const DateTime& now, std::int64_t elapsedMs) {
    return std::llabs(millisecondsOf(now) - millisecondsOf(before) - elapsedMs) > kJumpMs;
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Clock.h"

namespace tavrola::fakes {

// A wall clock the test sets by hand.
class FakeClock : public Clock {
public:
    explicit FakeClock(DateTime t = {}) : m_now(t) {}
    DateTime now() const override { return m_now; }
    void set(DateTime t) { m_now = t; }
    void set(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { m_now = DateTime{{y, mo, d}, h, mi, s, 0}; }

private:
    DateTime m_now;
};

} // namespace tavrola::fakes

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/StripScroller.h"

#include "core/settings/SettingsSchema.h"

namespace tavrola {

bool StripScroller::startUp(std::string_view skrol, int innerWidth, int stripWidth) {
    if (isOff(skrol)) {
        m_left = (innerWidth - stripWidth) / 2;
        return false;
    }
    m_left = stripWidth;
    return true;
}

int StripScroller::tick(int innerWidth, int stripWidth) {
    // While any of the strip can still show it moves on; once wholly off to the left it re-enters.
    if (m_left > -stripWidth)
        m_left -= kStepTwips;
    else
        m_left = innerWidth;
    return m_left;
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shutdown/ShutdownSchedule.h"

#include "core/settings/SettingsSchema.h"

namespace tavrola {

std::string shutdownStatusLine(std::string_view shutdownTime, std::string_view version) {
    std::string line = "Shutdown : ";
    line += shutdownTime;
    line += "   |   ";
    line += "Ver : ";
    line += version;
    return line;
}

std::string hourMinuteText(const DateTime& t) {
    return pad(t.hour, 2) + pad(t.minute, 2);
}

std::string dayKeyText(const Date& d) {
    return pad(d.year, 4) + pad(d.month, 2) + pad(d.day, 2);
}

ShutdownSchedule::ShutdownSchedule(std::string version) : m_version(std::move(version)) {}

ShutdownTick ShutdownSchedule::tick(std::string_view stored, const DateTime& now) {
    ShutdownTick out;
    out.shutTutup = shutdownTimeValue(stored);
    out.jamcount = hourMinuteText(now);
    out.statusLine = shutdownStatusLine(out.shutTutup, m_version);

    const std::string today = dayKeyText(now.date);
    if (today != ShutdownCheckDate) {
        ShutdownDoneToday = false;
        ShutdownCheckDate = today;
    }
    // Plain text comparison: "22:00", "630" or "2400" never equal an "HHmm" reading, so such
    // values simply never fire. Only a tick inside the minute counts; a missed minute is not made up.
    if (!ShutdownDoneToday && !out.shutTutup.empty() && out.shutTutup == out.jamcount) {
        ShutdownDoneToday = true;
        out.openDialog = true;
    }
    return out;
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"

#include <string>
#include <string_view>

namespace tavrola {

// What one tick of the `ShutDwn` timer shows and whether it opens the confirmation dialog.
struct ShutdownTick {
    std::string shutTutup;  // the stored time with its quotes removed (caption of shut_tutup)
    std::string jamcount;   // the current time as "HHmm" (text of Jamcount)
    std::string statusLine; // caption of lblLabel2
    // The configured minute has come for the first time today: show kShutdownDateCaption on the
    // date line, stop the timer and open the dialog.
    bool openDialog = false;
};

// The date line's text while the shutdown is being announced.
inline constexpr std::string_view kShutdownDateCaption = "SHUTDOWN...";

// "Shutdown : " + T + "   |   " + "Ver : " + version.
std::string shutdownStatusLine(std::string_view shutdownTime, std::string_view version);

// "HHmm" of a moment and "YYYYMMDD" of a day.
std::string hourMinuteText(const DateTime& t);
std::string dayKeyText(const Date& d);

// The daily shutdown rule. The guard lives only in memory: a new run of the program begins afresh,
// so a restart during the configured minute offers the shutdown again.
class ShutdownSchedule {
public:
    explicit ShutdownSchedule(std::string version);

    // `stored` is KOMPUTER_TUTUP as read from setting.ini, `now` the wall clock at the tick.
    ShutdownTick tick(std::string_view stored, const DateTime& now);

    bool shutdownDoneToday() const { return ShutdownDoneToday; }
    const std::string& shutdownCheckDate() const { return ShutdownCheckDate; }

private:
    std::string m_version;
    bool ShutdownDoneToday = false;
    std::string ShutdownCheckDate;
};

} // namespace tavrola

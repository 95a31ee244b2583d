// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace tavrola::panel {

// What the clock shows now, as the page's "Status" reads it (JSON, UTF-8): the date and time,
// version, place and where the times come from, today's eight times, the next prayer and its
// countdown, the congregation's screen, the database's last update and how long the program has
// run. Worked out from the files and the time, as the clock itself does; never writes.
std::string statusJson(const DateTime& now, std::int64_t uptimeSeconds, const std::filesystem::path& settingsFile,
                       const std::filesystem::path& database);

// The value of a header line ("LAST_UPDATE=...") of the database, or empty.
std::string databaseHeaderValue(const std::filesystem::path& database, std::string_view label);

} // namespace tavrola::panel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/panel/PanelStatus.h"

#include "core/AppInfo.h"
#include "core/clock/Congregation.h"
#include "core/clock/Prayers.h"
#include "core/clock/TimeText.h"
#include "core/files/AtomicFile.h"
#include "core/prayerdata/HttpMonthSource.h"
#include "core/prayerdata/PrayerDatabase.h"
#include "core/prayerdata/PrayerLocationSettings.h"
#include "core/prayerdata/Zones.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace tavrola::panel {

namespace {

using Json = nlohmann::ordered_json;

std::string dateText(const Date& d) {
    return pad(d.year, 4) + "-" + pad(d.month, 2) + "-" + pad(d.day, 2);
}

std::string hms(std::int64_t seconds) {
    return pad(static_cast<int>(seconds / 3600), 2) + ":" + pad(static_cast<int>(seconds / 60 % 60), 2) + ":" +
           pad(static_cast<int>(seconds % 60), 2);
}

Json place(const std::filesystem::path& settingsFile) {
    const PrayerPlace p = readPrayerPlace(settingsFile);
    const std::string host = dataHost(settingsFile);
    Json out = Json::object();
    if (p.zone) {
        out["zone"] = std::string(p.zone->code);
        out["state"] = std::string(p.zone->state);
        out["districts"] = std::string(p.zone->districts);
    } else {
        char text[96];
        std::snprintf(text, sizeof text, "%.4f, %.4f (UTC%+g)", p.location.latitude, p.location.longitude,
                      p.location.timeZone);
        out["coordinates"] = text;
    }
    out["source"] = host.empty() ? std::string("Dikira dalam program") : "Pelayan data " + host;
    return out;
}

Json congregationJson(const DateTime& now, const DayTimes& today, const std::filesystem::path& settingsFile,
                      const std::filesystem::path& database) {
    const CongregationSettings settings = readCongregationSettings(settingsFile);
    const DayTimes yesterday =
        congregationNeedsYesterday(now, settings) ? readDayTimes(database, addDays(now.date, -1)) : DayTimes{};
    const CongregationState s = congregationState(now, today, yesterday, settings);
    Json out = Json::object();
    switch (s.screen) {
    case CongregationState::Screen::Normal:
        out["screen"] = "JAM";
        break;
    case CongregationState::Screen::IqamahCountdown:
        out["screen"] = "IQAMAH";
        out["prayer"] = std::string(jemaahName(s.prayer));
        out["countdown"] = countdownClock(s.remainingSeconds);
        break;
    case CongregationState::Screen::PrayerInProgress:
        out["screen"] = "SOLAT";
        out["prayer"] = std::string(jemaahName(s.prayer));
        out["minutes"] = s.minutesSinceIqamah;
        break;
    }
    return out;
}

} // namespace

std::string databaseHeaderValue(const std::filesystem::path& database, std::string_view label) {
    std::string text;
    std::error_code ec;
    if (!readWholeFile(database, text, ec))
        return {};
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.starts_with('['))
            break; // the days begin; the header is over
        if (line.starts_with(label))
            return std::string(line.substr(label.size()));
        at = end + 1;
    }
    return {};
}

std::string statusJson(const DateTime& now, std::int64_t uptimeSeconds, const std::filesystem::path& settingsFile,
                       const std::filesystem::path& database) {
    const DayTimes today = readDayTimes(database, now.date);
    Json times = Json::object();
    for (Prayer p : kAllPrayers)
        times[std::string(prayerNames(p).document)] = today[p];

    Json out = Json::object();
    out["date"] = dateText(now.date);
    out["time"] = timeOfDayText(now);
    out["version"] = app::kVersion;
    out["place"] = place(settingsFile);
    out["times"] = times;
    if (const std::optional<Period> period = findPeriod(now.hour * 60 + now.minute, today)) {
        const int seconds = std::max(0, period->spanSeconds - now.second);
        out["next"] = Json{{"prayer", std::string(prayerNames(period->next).document)},
                           {"countdown", hms(seconds)},
                           {"words", CountdownText(seconds)}};
    } else {
        out["next"] = nullptr;
    }
    out["congregation"] = congregationJson(now, today, settingsFile, database);
    out["lastUpdate"] = databaseHeaderValue(database, prayerdb::kLastUpdate);
    out["uptime"] = hms(uptimeSeconds);
    return out.dump(-1, ' ', false, Json::error_handler_t::replace);
}

} // namespace tavrola::panel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/CalculatedMonthSource.h"

#include "core/prayerdata/MonthDocument.h"
#include "core/prayerdata/OfficialTables.h"
#include "core/prayerdata/PrayerLocationSettings.h"

namespace tavrola {

void CalculatedMonthSource::fetch(int year, int month, Done done) {
    MonthFetch result;
    result.kind = MonthFetch::Kind::Document;
    result.calculated = true;
    // The place is read at every fetch, so a changed location shows with the next month built.
    const PrayerPlace place = readPrayerPlace(m_settingsFile);
    std::string notice = placeNotice(place);
    // The folder is read here only, when the month is built; placeKey() notices when it changes.
    if (place.zone && !m_officialFolder.empty() && hasOfficialTables(m_officialFolder)) {
        OfficialMonth official = buildOfficialMonth(year, month, m_officialFolder, *place.zone);
        result.document = monthDocument(year, month, official.days);
        result.officialDays = std::move(official.officialDays);
        result.officialTables = std::move(official.tables);
        result.logLines = std::move(official.misprints);
        if (!official.notice.empty())
            notice += (notice.empty() ? "" : "; ") + official.notice;
    } else {
        result.document = calculatedMonthDocument(year, month, place.location, place.rules);
    }
    if (notice != m_noticed)
        result.notice = notice;
    m_noticed = notice;
    done(std::move(result));
}

std::string CalculatedMonthSource::placeKey() {
    const auto& [key, isZone] = m_placeKey.get(m_settingsFile, [this] {
        const PrayerPlace place = readPrayerPlace(m_settingsFile);
        return std::pair(tavrola::placeKey(place), place.zone != nullptr);
    });
    if (!isZone || m_officialFolder.empty())
        return key;
    // A table added, replaced or removed changes the folder's time; that is one look at the folder's
    // attributes a second, never a read of it. A folder changed within the quiet time may still be
    // taking a file being copied in, so the month is built again once it has been quiet.
    std::error_code ec;
    const auto changed = std::filesystem::last_write_time(m_officialFolder, ec);
    if (ec)
        return key;
    return key + " rasmi " + std::to_string(changed.time_since_epoch().count()) +
           (IniCache::changedLately(changed) ? " baru" : "");
}

} // namespace tavrola

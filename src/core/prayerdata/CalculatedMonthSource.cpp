// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/CalculatedMonthSource.h"

#include "core/prayerdata/MonthDocument.h"
#include "core/prayerdata/PrayerLocationSettings.h"

namespace tavrola {

void CalculatedMonthSource::fetch(int year, int month, Done done) {
    MonthFetch result;
    result.kind = MonthFetch::Kind::Document;
    result.calculated = true;
    // The place is read at every fetch, so a changed location shows with the next month built.
    const PrayerPlace place = readPrayerPlace(m_settingsFile);
    result.document = calculatedMonthDocument(year, month, place.location, place.rules);
    const std::string notice = placeNotice(place);
    if (notice != m_noticed)
        result.notice = notice;
    m_noticed = notice;
    done(std::move(result));
}

std::string CalculatedMonthSource::placeKey() {
    return m_placeKey.get(m_settingsFile, [this] { return tavrola::placeKey(readPrayerPlace(m_settingsFile)); });
}

} // namespace tavrola

#include "core/prayerdata/CalculatedMonthSource.h"

#include "core/prayerdata/MonthDocument.h"
#include "core/prayerdata/PrayerLocationSettings.h"

namespace tavrola {

void CalculatedMonthSource::fetch(int year, int month, Done done) {
    MonthFetch result;
    result.kind = MonthFetch::Kind::Document;
    // The place is read at every fetch, so a changed location shows with the next download.
    const PrayerPlace place = readPrayerPlace(m_settingsFile);
    result.document = calculatedMonthDocument(year, month, place.location, place.rules);
    if (!place.unknownZone.empty() && place.unknownZone != m_noticedZone)
        result.notice = "Zon " + place.unknownZone + " tidak dikenali, guna " + std::string(place.zone->code);
    m_noticedZone = place.unknownZone;
    done(std::move(result));
}

} // namespace tavrola

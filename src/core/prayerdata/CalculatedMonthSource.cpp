#include "core/prayerdata/CalculatedMonthSource.h"

#include "core/prayerdata/MonthDocument.h"
#include "core/prayerdata/PrayerLocationSettings.h"

namespace tavrola {

void CalculatedMonthSource::fetch(int year, int month, Done done) {
    MonthFetch result;
    result.kind = MonthFetch::Kind::Document;
    // The place is read at every fetch, so a changed location shows with the next download.
    result.document = calculatedMonthDocument(year, month, readPrayerLocation(m_settingsFile));
    done(std::move(result));
}

} // namespace tavrola

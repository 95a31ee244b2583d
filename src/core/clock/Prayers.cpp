// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/Prayers.h"

#include "core/clock/TimeText.h"

namespace tavrola {

namespace {

constexpr std::array<PrayerInfo, kPrayerCount> kPrayers = {{
    {"cmdImsak", "AM", -1, "", "", "", Prayer::Subuh},
    {"cmdSuboh", "AM", 4, "Waktu Suboh bemula", "Waktu Suboh berakhir", "It is now, time for subuh prayer.",
     Prayer::Zohor},
    {"cmdSyuruk", "AM", -1, "", "", "", Prayer::Zohor},
    {"cmdDhuha", "AM", -1, "", "", "", Prayer::Zohor},
    {"cmdZohor", "PM", 0, "Waktu Zohor bemula", "Waktu Zohor berakhir", "It is now, time for Zuhr prayer.",
     Prayer::Asar},
    {"cmdAsar", "PM", 1, "Waktu Asar bemula", "Waktu Asar berakhir", "It is now, time for Asr prayer.",
     Prayer::Maghrib},
    {"cmdMagrib", "PM", 2, "Waktu Magrib bemula", "Waktu Magrib berakhir", "It is now, time for Maghrib Prayer.",
     Prayer::Isyak},
    {"cmdIsyak", "PM", 3, "Waktu Isyak bemula", "Waktu Isyak berakhir", "It is now, time for Isha Prayer.",
     Prayer::Subuh},
}};

constexpr int kDaySeconds = 24 * 60 * 60;

} // namespace

int index(Prayer p) {
    return static_cast<int>(p);
}

const PrayerInfo& prayerInfo(Prayer p) {
    return kPrayers[static_cast<std::size_t>(index(p))];
}

bool isObligatory(Prayer p) {
    return prayerInfo(p).indicator >= 0;
}

std::string timeCaption(Prayer p, std::string_view stored) {
    const std::optional<int> m = minutesOfDay(stored);
    if (!m)
        return std::string(kNoTime);
    // From the minutes, so that a time stored with seconds shows, and is announced, as any other.
    return Convert24To12(hourMinuteText(*m)) + " " + std::string(prayerInfo(p).suffix);
}

Captions timeCaptions(const DayTimes& times) {
    Captions c;
    for (Prayer p : kAllPrayers)
        c[static_cast<std::size_t>(index(p))] = timeCaption(p, times[p]);
    return c;
}

std::optional<Period> findPeriod(int t, const DayTimes& times) {
    struct Start {
        Prayer prayer;
        int minute;
    };
    // In the day's order, so that of two prayers at the same minute the later one is current and
    // the earlier one is next, as in an ordinary day.
    constexpr Prayer kDayOrder[] = {Prayer::Subuh, Prayer::Zohor, Prayer::Asar, Prayer::Maghrib, Prayer::Isyak};
    std::optional<Start> current, next, first, last;
    for (Prayer p : kDayOrder) {
        const std::optional<int> m = minutesOfDay(times[p]);
        if (!m)
            continue;
        const Start s{p, *m};
        if (!first || s.minute < first->minute)
            first = s;
        if (!last || s.minute >= last->minute)
            last = s;
        if (s.minute <= t && (!current || s.minute >= current->minute))
            current = s;
        if (s.minute > t && (!next || s.minute < next->minute))
            next = s;
    }
    if (!first)
        return std::nullopt;
    const int span = next ? (next->minute - t) * 60 : (first->minute - t) * 60 + kDaySeconds;
    return Period{(current ? current : last)->prayer, (next ? next : first)->prayer, span};
}

std::string countdownLine(const Period& period, const Captions& captions) {
    return std::string(prayerInfo(period.next).opening) +
           " jam : " + captions[static_cast<std::size_t>(index(period.next))] + " dalam masa " + "- " +
           CountdownText(period.spanSeconds);
}

std::string closingLine(Prayer started, Prayer next, const Captions& captions) {
    return std::string(prayerInfo(started).closing) + " jam : " + captions[static_cast<std::size_t>(index(next))];
}

std::optional<Prayer> prayerStartingAt(std::string_view minuteText, const Captions& captions) {
    for (Prayer p : kObligatoryOrder)
        if (captions[static_cast<std::size_t>(index(p))] == minuteText)
            return p;
    return std::nullopt;
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/PrayerSchedule.h"

#include "core/clock/HijriCalendar.h"
#include "core/calendar/MalayCalendar.h"
#include "core/clock/TimeText.h"
#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"
#include "core/prayerdata/PrayerDatabase.h"

namespace tavrola {

PrayerSchedule::PrayerSchedule() {
    m_captions.fill(std::string(kDesignCaption));
    m_colours.fill(Colour::Design);
}

void PrayerSchedule::start(const Date& today, std::string_view masa) {
    m_masa = std::string(masa);
    m_hijriText = HijriDateText(hijriShownDay(today, m_masa));
}

void PrayerSchedule::highlight(Prayer p, bool resetOthers) {
    if (resetOthers)
        for (Prayer other : kObligatoryOrder)
            if (other != p)
                m_colours[static_cast<std::size_t>(index(other))] = Colour::ButtonFace;
    m_colours[static_cast<std::size_t>(index(p))] = Colour::Red;
    m_indicator = prayerInfo(p).indicator;
    m_highlighted = p;
}

PrayerSchedule::Tick PrayerSchedule::tick(const DateTime& now, std::string_view setJam, const DayTimes& times) {
    Tick out;

    // The minute text; a change compares it with the captions still showing from the last tick, so
    // a start in the middle of a prayer's first minute (captions "00:00") announces nothing.
    const std::optional<Period> period = findPeriod(now.hour * 60 + now.minute, times);
    out.minuteText = minuteText(now);
    if (out.minuteText != m_minuteText) {
        m_minuteText = out.minuteText;
        out.minuteChanged = true;
        if (const auto p = prayerStartingAt(out.minuteText, m_captions)) {
            highlight(*p, true);
            // The line names the next time that occurs, which is not always the next prayer's.
            const Prayer next = period ? period->next : prayerInfo(*p).next;
            out.announcement =
                Announcement{*p, std::string(prayerInfo(*p).sentence), closingLine(*p, next, m_captions)};
        }
    }

    out.clockText = clockText(now, setJam);
    out.dateKey = prayerdb::dayKey(now.date);
    m_captions = timeCaptions(times);
    out.captions = m_captions;

    Calendar& cal = out.calendar;
    cal.today = now.date;
    if (m_calendarDay != now.date) {
        // The Hijri date follows the day too, still with the MASA read at start-up.
        cal.dayChanged = true;
        m_hijriText = HijriDateText(hijriShownDay(now.date, m_masa));
        m_calendarDay = now.date;
    }
    cal.dayName = std::string(MalayDayNames(weekday(now.date) + 1));
    cal.monthName = std::string(MalayMonthNames(now.date.month));
    cal.malayLine = malayDateLine(now.date);
    cal.hijriText = m_hijriText;
    cal.zikirText = std::string(zikirText(weekday(now.date)));

    if (period) {
        out.comment = countdownLine(*period, m_captions);
        // Moving into a new period without its announcement (a clock jump, a wake from sleep) must not
        // leave the previous prayer red as well.
        highlight(period->current, m_highlighted.has_value() && m_highlighted != period->current);
    } else {
        // No prayer time occurs today: nothing is current and nothing is counted down to, so
        // yesterday's highlight and countdown must not stay standing either.
        out.comment = std::string();
        for (Prayer p : kObligatoryOrder)
            if (m_colours[static_cast<std::size_t>(index(p))] == Colour::Red)
                m_colours[static_cast<std::size_t>(index(p))] = Colour::ButtonFace;
        m_indicator = -1;
        m_highlighted.reset();
    }
    out.colours = m_colours;
    out.indicator = m_indicator;
    return out;
}

TickInputs readTickInputs(const std::filesystem::path& settingsFile, const std::filesystem::path& database,
                          const Date& today) {
    TickInputs in;
    in.setJam = GetFromINI(settings::kClockMode.section, settings::kClockMode.key,
                           settings::kClockMode.readDefault, settingsFile);
    in.times = readDayTimes(database, today);
    return in;
}

} // namespace tavrola

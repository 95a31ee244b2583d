// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/NightRules.h"

#include "core/clock/TimeText.h"
#include "core/files/IniFile.h"

#include <array>
#include <charconv>

namespace tavrola {

using ini::trimSpaces;

namespace {

constexpr int kMaxOffset = 180;

std::optional<int> number(std::string_view s) {
    int value = 0;
    if (s.empty() || s.size() > 3)
        return std::nullopt;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

std::int64_t secondsOf(const DateTime& t) {
    return toDayNumber(t.date) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

} // namespace

std::optional<NightTime> parseNightTime(std::string_view text, std::string& reason) {
    text = trimSpaces(text);
    if (const auto minute = minutesOfDay(text))
        return NightTime{std::nullopt, *minute};
    const std::size_t sign = text.find_first_of("+-");
    const std::string_view name = trimSpaces(text.substr(0, sign));
    if (const std::optional<Prayer> p = prayerBySettingsName(name)) {
        if (sign == std::string_view::npos)
            return NightTime{*p, 0};
        const auto offset = number(trimSpaces(text.substr(sign + 1)));
        if (!offset || *offset > kMaxOffset) {
            reason = "minit selepas " + std::string(prayerNames(*p).settings) + " mesti 0 hingga 180";
            return std::nullopt;
        }
        return NightTime{*p, text[sign] == '-' ? -*offset : *offset};
    }
    reason = "guna JJ:MM atau waktu solat dengan minit, cth. ISYAK+60";
    return std::nullopt;
}

std::optional<int> nightMinute(const NightTime& t, const DayTimes& times) {
    if (!t.prayer)
        return t.minutes;
    const auto base = minutesOfDay(times[*t.prayer]);
    if (!base)
        return std::nullopt;
    return ((*base + t.minutes) % 1440 + 1440) % 1440;
}

bool NightWatch::asleep(const DateTime& now, std::string_view padam, std::string_view hidup, const DayTimes& times,
                        bool busy) const {
    if (busy || (m_wokenUntil && secondsOf(now) < *m_wokenUntil))
        return false;
    std::string reason;
    const auto off = parseNightTime(padam, reason);
    const auto on = parseNightTime(hidup, reason);
    const auto from = off ? nightMinute(*off, times) : std::nullopt;
    const auto to = on ? nightMinute(*on, times) : std::nullopt;
    if (!from || !to || *from == *to)
        return false;
    const int m = now.hour * 60 + now.minute;
    return *from < *to ? m >= *from && m < *to : m >= *from || m < *to;
}

void NightWatch::wake(const DateTime& now) {
    m_wokenUntil = secondsOf(now) + kWakeSeconds;
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/Congregation.h"

#include "core/clock/TimeText.h"
#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <system_error>
#include <vector>

namespace tavrola {

namespace {

constexpr int kDay = 24 * 3600;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool allDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

struct Start {
    Jemaah prayer;
    int second; // after today's midnight; negative for yesterday's
};

void addDay(std::vector<Start>& out, const DayTimes& t, bool friday, int offset) {
    const Jemaah day[] = {Jemaah::Subuh, friday ? Jemaah::Jumaat : Jemaah::Zohor, Jemaah::Asar, Jemaah::Maghrib,
                          Jemaah::Isyak};
    // The strip's reader, so that a time it does not show as occurring starts no screens either.
    for (Jemaah j : day)
        if (const auto m = minutesOfDay(t[jemaahPrayer(j)]))
            out.push_back({j, *m * 60 + offset});
}

std::size_t at(Jemaah j) {
    return static_cast<std::size_t>(j);
}

} // namespace

Prayer jemaahPrayer(Jemaah j) {
    static constexpr std::array<Prayer, kJemaahCount> prayers = {Prayer::Subuh,   Prayer::Zohor, Prayer::Asar,
                                                                 Prayer::Maghrib, Prayer::Isyak, Prayer::Zohor};
    return prayers[at(j)];
}

std::string_view jemaahKey(Jemaah j) {
    return j == Jemaah::Jumaat ? congregation::kFriday : prayerNames(jemaahPrayer(j)).settings;
}

std::string_view jemaahName(Jemaah j) {
    return j == Jemaah::Jumaat ? congregation::kFriday : prayerNames(jemaahPrayer(j)).shown;
}

bool CongregationSettings::anyScreen() const {
    const auto on = [](int m) { return m > 0; };
    return std::any_of(iqamahMinutes.begin(), iqamahMinutes.end(), on) ||
           std::any_of(prayerMinutes.begin(), prayerMinutes.end(), on);
}

int congregationMinutes(std::string_view text) {
    text = trimmed(text);
    if (!allDigits(text) || text.size() > 4)
        return 0;
    const int m = std::stoi(std::string(text));
    return m >= 1 && m <= congregation::kMaxMinutes ? m : 0;
}

CongregationSettings readCongregationSettings(const std::filesystem::path& settingsFile) {
    namespace c = congregation;
    const auto read = [&](std::string_view section, std::string_view key) {
        return GetFromINI(section, key, "", settingsFile);
    };
    CongregationSettings s;
    for (std::size_t i = 0; i < kJemaahCount; ++i) {
        const std::string_view key = jemaahKey(static_cast<Jemaah>(i));
        s.iqamahMinutes[i] = congregationMinutes(read(c::kIqamahSection, key));
        s.prayerMinutes[i] = congregationMinutes(read(c::kPrayerSection, key));
    }
    s.message = read(c::kIqamahSection, c::kMessageKey);
    std::string tone = std::string(trimmed(read(c::kIqamahSection, c::kToneKey)));
    std::transform(tone.begin(), tone.end(), tone.begin(), [](unsigned char ch) { return std::toupper(ch); });
    s.tone = tone == "ON";
    s.azanFile = std::string(trimmed(read(c::kAzanSection, c::kAzanKey)));
    s.azanSubuhFile = std::string(trimmed(read(c::kAzanSection, c::kAzanSubuhKey)));
    return s;
}

CongregationState congregationState(const DateTime& now, const DayTimes& today, const DayTimes& yesterday,
                                    const CongregationSettings& settings) {
    constexpr int kFriday = 5;
    std::vector<Start> starts;
    addDay(starts, yesterday, weekday(addDays(now.date, -1)) == kFriday, -kDay);
    addDay(starts, today, weekday(now.date) == kFriday, 0);

    const int t = now.hour * 3600 + now.minute * 60 + now.second;
    const Start* last = nullptr;
    for (const Start& s : starts)
        if (s.second <= t && (!last || s.second >= last->second))
            last = &s;
    if (!last)
        return {};

    const int iqamah = last->second + settings.iqamahMinutes[at(last->prayer)] * 60;
    const int prayerEnd = iqamah + settings.prayerMinutes[at(last->prayer)] * 60;
    CongregationState out;
    out.prayer = last->prayer;
    if (t < iqamah) {
        out.screen = CongregationState::Screen::IqamahCountdown;
        out.remainingSeconds = iqamah - t;
    } else if (t < prayerEnd) {
        out.screen = CongregationState::Screen::PrayerInProgress;
        out.minutesSinceIqamah = (t - iqamah) / 60;
        out.afterIqamah = iqamah > last->second;
    }
    return out;
}

bool congregationNeedsYesterday(const DateTime& now, const CongregationSettings& settings) {
    const std::size_t isyak = at(Jemaah::Isyak);
    return now.hour < 2 && (settings.iqamahMinutes[isyak] > 0 || settings.prayerMinutes[isyak] > 0);
}

bool iqamahReached(const CongregationState& before, const CongregationState& after) {
    using Screen = CongregationState::Screen;
    if (before.screen != Screen::IqamahCountdown || before.remainingSeconds > 3)
        return false;
    return after.screen != Screen::IqamahCountdown || after.prayer != before.prayer;
}

std::filesystem::path azanFileFor(Prayer p, const CongregationSettings& settings,
                                  const std::filesystem::path& programFolder) {
    const std::string& stored =
        p == Prayer::Subuh && !settings.azanSubuhFile.empty() ? settings.azanSubuhFile : settings.azanFile;
    if (stored.empty())
        return {};
    return resolveLogoPath(stored, programFolder);
}

std::string countdownClock(int seconds) {
    seconds = std::max(0, seconds);
    return pad(seconds / 60, 2) + ":" + pad(seconds % 60, 2);
}

std::string toneSamples(int sampleRate, int frequency, int milliseconds) {
    const int count = std::max(0, sampleRate * milliseconds / 1000);
    const int fade = std::max(1, sampleRate / 100); // 10 ms each end
    constexpr double kTwoPi = 6.283185307179586;
    std::string out;
    out.reserve(static_cast<std::size_t>(count) * 2);
    for (int i = 0; i < count; ++i) {
        const double envelope = std::min({1.0, double(i) / fade, double(count - 1 - i) / fade});
        const double v = 0.5 * envelope * std::sin(kTwoPi * frequency * i / sampleRate);
        const auto sample = static_cast<std::int16_t>(std::lround(v * 32767));
        const auto u = static_cast<std::uint16_t>(sample);
        out.push_back(static_cast<char>(u & 0xff));
        out.push_back(static_cast<char>(u >> 8));
    }
    return out;
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/SettingsRules.h"

#include "core/settings/SettingsSchema.h"

#include <cmath>

namespace tavrola::settingsform {

std::optional<int> sliderPositionFor(std::string_view text, int min, int max) {
    const double n = leadingNumber(text);
    // Compared before rounding: 79.6 sets 80, but 80.4 lies outside a 10..80 range.
    if (n < min || n > max)
        return std::nullopt;
    return static_cast<int>(std::lround(n));
}

std::optional<HourMinute> storedShutdownTime(std::string_view value) {
    if (value.size() != 4)
        return std::nullopt;
    for (char c : value)
        if (c < '0' || c > '9')
            return std::nullopt;
    const int hour = (value[0] - '0') * 10 + (value[1] - '0');
    const int minute = (value[2] - '0') * 10 + (value[3] - '0');
    if (hour > 23 || minute > 59)
        return std::nullopt;
    return HourMinute{hour, minute};
}

std::string shutdownTimeText(HourMinute t) {
    std::string hhmm = formatHourMinute(t);
    hhmm.erase(2, 1);
    return hhmm;
}

std::string shutdownStatusText(std::string_view word, HourMinute t) {
    std::string s(word);
    s.append("\r\n\r\nMasa Shutdown : ").append(formatHourMinute(t)).append("\r\n(Setiap Hari)");
    return s;
}

std::string scrollButtonCaption(bool running) {
    return running ? "Hentikan Skcrol [ON]" : "Hentikan Skcrol [OFF]";
}

} // namespace tavrola::settingsform

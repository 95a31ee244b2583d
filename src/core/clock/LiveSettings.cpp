// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clock/LiveSettings.h"

#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"

namespace tavrola {

LiveSettings readLiveSettings(const std::filesystem::path& settingsFile) {
    const auto read = [&](const SettingKey& k) { return GetFromINI(k.section, k.key, "", settingsFile); };
    const auto points = [&](const SettingKey& k) {
        const double asked = leadingNumber(read(k));
        return asked >= kTitlePointsMin && asked <= kTitlePointsMax ? asked : 0.0;
    };
    LiveSettings s;
    s.titles[0] = {read(settings::kTitle01), points(settings::kTitleSize)};
    s.titles[1] = {read(settings::kTitle02), points(settings::kTitle02Size)};
    s.place = read(settings::kPlace);
    s.scroll = !isOff(read(settings::kScroll));
    return s;
}

} // namespace tavrola

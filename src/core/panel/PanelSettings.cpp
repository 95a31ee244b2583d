// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/panel/PanelSettings.h"

#include "core/files/IniFile.h"

#include <charconv>

namespace tavrola::panel {

PanelConfig readPanelConfig(const std::filesystem::path& settingsFile) {
    const auto read = [&](const SettingKey& k) {
        return std::string(ini::trimSpaces(GetFromINI(k.section, k.key, "", settingsFile)));
    };
    PanelConfig out;
    out.active = ini::equalsIgnoreCase(read(kActive), "ON");
    const std::string port = read(kPort);
    int n = 0;
    const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), n);
    if (ec == std::errc() && end == port.data() + port.size() && n >= kMinPort && n <= kMaxPort)
        out.port = n;
    out.pinHash = read(kPinHash);
    return out;
}

} // namespace tavrola::panel

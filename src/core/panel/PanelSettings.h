// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/SettingsSchema.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace tavrola::panel {

// setting.ini's [PANEL]: the clock's own page on the mosque's network. Read with empty defaults so
// that nothing is written back; a page that was never switched on leaves no trace in the file.
inline constexpr SettingKey kActive{"PANEL", "AKTIF", ""};
inline constexpr SettingKey kPort{"PANEL", "PORT", ""};
inline constexpr SettingKey kPinHash{"PANEL", "PIN_HASH", ""};

inline constexpr int kDefaultPort = 8080;
inline constexpr int kMinPort = 1024;
inline constexpr int kMaxPort = 65535;

// What the server may read into memory: a JSON body, and a picture (the largest body of any route).
inline constexpr std::size_t kJsonBodyLimit = 64 * 1024;
inline constexpr std::size_t kPictureBodyLimit = 8 * 1024 * 1024;
// An idle or slow connection is closed after this; no more than this many are served at once.
inline constexpr int kIdleSeconds = 15;
inline constexpr int kMaxConnections = 16;

struct PanelConfig {
    bool active = false; // AKTIF=ON (any case, spaces around it allowed)
    int port = kDefaultPort;
    std::string pinHash; // as stored; may be empty or unusable, which signs nobody in

    friend bool operator==(const PanelConfig&, const PanelConfig&) = default;
};

// The section as the server needs it: a PORT that is not a whole number 1024-65535 means 8080.
PanelConfig readPanelConfig(const std::filesystem::path& settingsFile);

} // namespace tavrola::panel

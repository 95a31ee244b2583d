// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace tavrola {

// The settings the clock window follows while it runs, beyond those its tick reads: the two title
// lines with their sizes, the place name and whether the strip scrolls. A caretaker may change any
// of them in setting.ini by hand or from another device, and the wall shows the change at once.
struct LiveSettings {
    struct Title {
        std::string text;
        double points = 0; // 0: no usable size in the file, the size in force stays
        bool operator==(const Title&) const = default;
    };
    std::array<Title, 2> titles;
    std::string place;
    bool scroll = true;
    bool operator==(const LiveSettings&) const = default;
};

// Sizes a title is shown at; an empty, non-numeric or absurd size in the file keeps the size in force.
inline constexpr double kTitlePointsMin = 1;
inline constexpr double kTitlePointsMax = 400;

// Reads them with empty defaults, so a missing key shows empty text and nothing is written.
LiveSettings readLiveSettings(const std::filesystem::path& settingsFile);

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/controls/TimePickerText.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavrola::settingsform {

// Character limits of the settings window's boxes; longer text from the file is cut to them.
inline constexpr int kTitleMaxLength = 48;
inline constexpr int kSizeMaxLength = 2;

// Range of the three font-size sliders, and of the two logo-position sliders (twips).
inline constexpr int kSizeMin = 10;
inline constexpr int kSizeMax = 80;
inline constexpr int kPositionMin = 0;
inline constexpr int kPositionMax = 32767;

inline constexpr std::string_view kFailedToSave = "Failed to save.";
inline constexpr std::string_view kFailedToSaveShutdown = "Failed to save shutdown time.";

inline constexpr std::string_view kShutdownEnabled = "DIAKTIFKAN";
inline constexpr std::string_view kShutdownSaved = "DISIMPAN";
inline constexpr std::string_view kShutdownOff = "DIMATIKAN";
inline constexpr std::string_view kShutdownPrompt = "SILA TETAPKAN MASA DAN KLIK 'SIMPAN'";

// The slider position a box's text asks for: its leading number, rounded, when that number lies
// within [min, max]; nothing otherwise (the slider then stays where it is).
std::optional<int> sliderPositionFor(std::string_view text, int min, int max);

// A stored shutdown time (quotes already removed) that the scheduler can ever match: exactly four
// digits forming a real "HHmm". Anything else gives nothing.
std::optional<HourMinute> storedShutdownTime(std::string_view value);

// "HHmm", as the scheduler compares it.
std::string shutdownTimeText(HourMinute t);

// The status under the shutdown box: word, a blank line, "Masa Shutdown : HH:mm", "(Setiap Hari)";
// lines end with CR LF.
std::string shutdownStatusText(std::string_view word, HourMinute t);

// Caption of the strip's stop/start button once it has been used.
std::string scrollButtonCaption(bool running);

} // namespace tavrola::settingsform

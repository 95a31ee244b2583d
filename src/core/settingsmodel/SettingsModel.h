// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrola {

// Every setting a person may change, in one table: where it is stored, what kind of value it holds,
// what an absent key means, and the rule that says whether a new value may be stored and why not.
// The settings windows and the phone page save through checkEdits(), so a value refused in one of
// them is refused in all, with the same words.

enum class SettingKind {
    Text,            // one line; at most `max` characters (0: no limit)
    FontSize,        // points, a whole number from `min` to `max`
    Position,        // twips, a whole number from `min` to `max`
    ClockMode,       // "0" (12-hour) or "1" (24-hour)
    HijriCorrection, // a signed whole number of days, `min` to `max`
    ShutdownTime,    // "HHmm", or empty for none
    NightTime,       // "HH:MM" or a prayer with minutes ("ISYAK+60"), or empty for none
    OnOff,           // "ON" or "OFF"
    Minutes,         // a whole number from `min` to `max`, empty for none
    ZoneCode,        // an official zone's code, or empty for the typed coordinates
    Coordinate,      // LATITUD, LONGITUD or ZON_WAKTU: a decimal number within its range
    ProgramFile,     // a file; one inside the program folder is stored as ".\sub\file"
    Moment,          // "yyyy-mm-dd HH:MM", or empty
    Number,          // a whole number from `min` to `max`
    PinHash,         // the phone page's stored PIN ("pbkdf2-sha256$..."), or empty for none
};

// Who is editing: the windows on the PC may change everything in the table; the phone page only
// what is marked for it.
enum class Editor { Window, Phone };

struct SettingSpec {
    SettingKey key;
    SettingKind kind;
    std::string_view defaultValue; // what a new file holds, or what an absent key means
    int min = 0;
    int max = 0;
    bool phone = false; // the phone page may read and change it
};

// The table, in the order the settings windows show them.
std::span<const SettingSpec> editableSettings();

// The setting at this section and key (matched without regard to case), or nullptr.
const SettingSpec* findSetting(std::string_view section, std::string_view key);

// Why `value` cannot be stored for the setting, in the words the windows and the phone page show
// ("mesti nombor bulat 0 hingga 60"); empty when it can.
std::string whyRefused(const SettingSpec& spec, std::string_view value, Editor editor = Editor::Window);

struct SettingEdit {
    std::string section;
    std::string key;
    std::string value;
};

struct RefusedEdit {
    std::string section;
    std::string key;
    std::string reason;
};

struct CheckedEdits {
    std::vector<IniChange> changes; // what to write, in the order given; empty when anything was refused
    std::vector<RefusedEdit> refused;
    bool ok() const { return refused.empty(); }
};

// Checks a set of edits before anything is written: a key that is not in the table or not the
// editor's, or a new value its rule refuses, refuses the whole set. A value equal to what the file
// holds now is not checked again: a window re-saving an old, out-of-range value keeps it, as it
// always has.
CheckedEdits checkEdits(const std::vector<SettingEdit>& edits, Editor editor, const std::filesystem::path& settingsFile);

// The editor's settings as the file holds them (absent keys read as empty), in the table's order.
// Never writes to the file.
std::vector<SettingEdit> currentValues(Editor editor, const std::filesystem::path& settingsFile);

// The form a chosen file is stored in (storedLogoPath) when it lies inside the program folder and
// names no parent folder; nothing otherwise.
std::optional<std::string> programRelativePath(std::string_view chosen, const std::filesystem::path& programFolder);

} // namespace tavrola

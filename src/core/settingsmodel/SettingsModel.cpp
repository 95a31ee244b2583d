// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settingsmodel/SettingsModel.h"

#include "core/announce/Announcements.h"
#include "core/clock/Congregation.h"
#include "core/clock/NightRules.h"
#include "core/panel/PanelAccess.h"
#include "core/panel/PanelSettings.h"
#include "core/prayerdata/PrayerLocationSettings.h"
#include "core/prayerdata/Zones.h"
#include "core/settings/SettingsRules.h"

#include <charconv>

namespace tavrola {

namespace {

namespace s = settings;
namespace c = congregation;

// Limits of the free texts: the titles as the settings window has always cut them, the rest long
// enough for any real place or message and short enough for one line on the wall.
constexpr int kLongTextMax = 200;
constexpr int kNoticeTextMax = 100;
constexpr int kHijriMax = 30;
constexpr int kFontSizeMin = 1;
constexpr int kFontSizeMax = 99;

std::vector<SettingSpec> makeTable() {
    using K = SettingKind;
    std::vector<SettingSpec> t = {
        {s::kTitle01, K::Text, "Tajuk 1", 0, settingsform::kTitleMaxLength, true},
        {s::kTitleSize, K::FontSize, "50", kFontSizeMin, kFontSizeMax, true},
        {s::kTitle02, K::Text, "Tajuk 2", 0, settingsform::kTitleMaxLength, true},
        {s::kTitle02Size, K::FontSize, "30", kFontSizeMin, kFontSizeMax, true},
        {s::kPlace, K::Text, "Nama Tempat", 0, kLongTextMax, true},
        {s::kPlaceSize, K::FontSize, "60", kFontSizeMin, kFontSizeMax, true},
        {s::kLogo, K::ProgramFile, ".\\logo\\logo.gif"},
        {s::kLogoTop, K::Position, "797", settingsform::kPositionMin, settingsform::kPositionMax},
        {s::kLogoLeft, K::Position, "17388", settingsform::kPositionMin, settingsform::kPositionMax},
        {s::kClockMode, K::ClockMode, "0"},
        {s::kHijriCorrection, K::HijriCorrection, "1", -kHijriMax, kHijriMax},
        {s::kShutdownTime, K::ShutdownTime, ""},
        {s::kNightOff, K::NightTime, "", 0, 0, true},
        {s::kNightOn, K::NightTime, "", 0, 0, true},
        {s::kScroll, K::OnOff, "ON", 0, 0, true},
        {s::kZone, K::ZoneCode, "", 0, 0, true},
        {s::kLatitude, K::Coordinate, ""},
        {s::kLongitude, K::Coordinate, ""},
        {s::kTimeZone, K::Coordinate, ""},
    };
    for (std::string_view section : {c::kIqamahSection, c::kPrayerSection})
        for (std::size_t i = 0; i < kJemaahCount; ++i)
            t.push_back({{section, jemaahKey(static_cast<Jemaah>(i)), ""}, K::Minutes, "", 0, c::kMaxMinutes, true});
    t.push_back({{c::kIqamahSection, c::kMessageKey, ""}, K::Text, "", 0, kLongTextMax, true});
    t.push_back({{c::kIqamahSection, c::kToneKey, ""}, K::OnOff, "OFF", 0, 0, true});
    // The funeral notice, and the announcements' full-screen rounds.
    t.push_back({{announce::kFuneralSection, "NAMA", ""}, K::Text, "", 0, kNoticeTextMax, true});
    t.push_back({{announce::kFuneralSection, "SOLAT", ""}, K::Text, "", 0, kNoticeTextMax, true});
    t.push_back({{announce::kFuneralSection, "TAMAT", ""}, K::Moment, "", 0, 0, true});
    t.push_back({{announce::kRoundSection, announce::kRoundKey, ""}, K::Minutes, "", 0, 1440, true});
    t.push_back({{c::kAzanSection, c::kAzanKey, ""}, K::ProgramFile, ""});
    t.push_back({{c::kAzanSection, c::kAzanSubuhKey, ""}, K::ProgramFile, ""});
    // The phone page itself is set on the PC only: a phone never sees or changes [PANEL].
    t.push_back({panel::kActive, K::OnOff, "OFF"});
    t.push_back({panel::kPort, K::Number, "8080", panel::kMinPort, panel::kMaxPort});
    t.push_back({panel::kPinHash, K::PinHash, ""});
    return t;
}

const std::vector<SettingSpec>& table() {
    static const std::vector<SettingSpec> t = makeTable();
    return t;
}

std::string_view trimmedText(std::string_view v) {
    return ini::trimSpaces(v);
}

// A whole number with an optional sign, spaces around it allowed.
std::optional<int> wholeNumber(std::string_view text, bool signAllowed) {
    std::string_view v = trimmedText(text);
    if (signAllowed && !v.empty() && v.front() == '+')
        v.remove_prefix(1);
    if (v.empty() || v.size() > 9 || (!signAllowed && v.front() == '-'))
        return std::nullopt;
    int n = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
    if (ec != std::errc() || end != v.data() + v.size())
        return std::nullopt;
    return n;
}

std::string rangeReason(int min, int max) {
    return "mesti nombor bulat " + std::to_string(min) + " hingga " + std::to_string(max);
}

std::string numberRule(std::string_view value, int min, int max, bool signAllowed) {
    const auto n = wholeNumber(value, signAllowed);
    return n && *n >= min && *n <= max ? std::string() : rangeReason(min, max);
}

// Characters, not bytes: each UTF-8 sequence counts once.
std::size_t characterCount(std::string_view text) {
    std::size_t n = 0;
    for (unsigned char ch : text)
        n += (ch & 0xC0) != 0x80;
    return n;
}

bool hasControlCharacter(std::string_view text) {
    for (unsigned char ch : text)
        if (ch < 0x20 || ch == 0x7F)
            return true;
    return false;
}

bool namesParentFolder(std::string_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("/\\", start);
        if (end == std::string_view::npos)
            end = path.size();
        if (path.substr(start, end - start) == "..")
            return true;
        start = end + 1;
    }
    return false;
}

bool isProgramRelative(std::string_view stored) {
    return stored.size() > 2 && stored[0] == '.' && (stored[1] == '\\' || stored[1] == '/') &&
           !namesParentFolder(stored.substr(2));
}

} // namespace

std::span<const SettingSpec> editableSettings() {
    return table();
}

const SettingSpec* findSetting(std::string_view section, std::string_view key) {
    for (const SettingSpec& spec : table())
        if (ini::equalsIgnoreCase(spec.key.section, section) && ini::equalsIgnoreCase(spec.key.key, key))
            return &spec;
    return nullptr;
}

std::optional<std::string> programRelativePath(std::string_view chosen, const std::filesystem::path& programFolder) {
    if (hasControlCharacter(chosen))
        return std::nullopt;
    std::string stored = storedLogoPath(chosen, programFolder);
    if (!isProgramRelative(stored))
        return std::nullopt;
    return stored;
}

std::string whyRefused(const SettingSpec& spec, std::string_view value, Editor editor) {
    // A line break would end the value and start another key: no setting may hold one.
    if (hasControlCharacter(value))
        return "tidak boleh mengandungi baris baru atau aksara kawalan";
    const std::string_view v = trimmedText(value);
    switch (spec.kind) {
    case SettingKind::Text:
        if (spec.max > 0 && characterCount(value) > static_cast<std::size_t>(spec.max))
            return "paling panjang " + std::to_string(spec.max) + " aksara";
        return {};
    case SettingKind::FontSize:
    case SettingKind::Position:
    case SettingKind::Number:
        return numberRule(value, spec.min, spec.max, false);
    case SettingKind::HijriCorrection: // empty: no correction
        return v.empty() ? std::string() : numberRule(value, spec.min, spec.max, true);
    case SettingKind::ClockMode:
        return v == "0" || v == "1" ? std::string() : "mesti 0 (12 jam) atau 1 (24 jam)";
    case SettingKind::ShutdownTime:
        return v.empty() || settingsform::storedShutdownTime(v) ? std::string() : "mesti JJMM, cth. 2230";
    case SettingKind::NightTime: {
        std::string reason;
        return v.empty() || parseNightTime(v, reason) ? std::string() : reason;
    }
    case SettingKind::OnOff:
        return v == "ON" || v == "OFF" ? std::string() : "mesti ON atau OFF";
    case SettingKind::Minutes:
        return v.empty() ? std::string() : numberRule(value, spec.min, spec.max, false);
    case SettingKind::ZoneCode: {
        const Zone* zone = findZone(v);
        return v.empty() || (zone && zone->code == v) ? std::string() : "bukan kod zon JAKIM, cth. SGR01";
    }
    case SettingKind::Coordinate:
        return coordinateProblem(spec.key, value);
    case SettingKind::Moment:
        return v.empty() || parseMoment(v) ? std::string() : "mesti yyyy-mm-dd JJ:MM, cth. 2026-12-07 14:30";
    case SettingKind::ProgramFile:
        // The windows choose any file on this computer; a phone names files the program keeps.
        if (editor == Editor::Phone && !v.empty() && !isProgramRelative(v))
            return "mesti fail dalam folder program";
        return {};
    case SettingKind::PinHash:
        return v.empty() || panel::parsePinHash(v) ? std::string() : "bukan PIN yang disimpan dengan betul";
    }
    return {};
}

CheckedEdits checkEdits(const std::vector<SettingEdit>& edits, Editor editor, const std::filesystem::path& settingsFile) {
    CheckedEdits out;
    for (const SettingEdit& edit : edits) {
        const SettingSpec* spec = findSetting(edit.section, edit.key);
        std::string reason;
        if (!spec)
            reason = "tiada tetapan ini";
        else if (editor == Editor::Phone && !spec->phone)
            reason = "tidak boleh diubah dari telefon";
        else if (edit.value != GetFromINI(spec->key.section, spec->key.key, "", settingsFile))
            reason = whyRefused(*spec, edit.value, editor);
        if (!reason.empty()) {
            out.refused.push_back({edit.section, edit.key, std::move(reason)});
            continue;
        }
        out.changes.push_back({std::string(spec->key.section), std::string(spec->key.key), edit.value});
    }
    if (!out.refused.empty())
        out.changes.clear();
    return out;
}

std::vector<SettingEdit> currentValues(Editor editor, const std::filesystem::path& settingsFile) {
    std::vector<SettingEdit> out;
    for (const SettingSpec& spec : table())
        if (editor == Editor::Window || spec.phone)
            out.push_back({std::string(spec.key.section), std::string(spec.key.key),
                           GetFromINI(spec.key.section, spec.key.key, "", settingsFile)});
    return out;
}

} // namespace tavrola

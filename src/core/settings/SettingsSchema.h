// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavrola {

// One key of setting.ini with the default its readers pass (a non-empty default is written back
// when the key is missing or empty).
struct SettingKey {
    std::string_view section;
    std::string_view key;
    std::string_view readDefault;
};

namespace settings {
inline constexpr SettingKey kTitle01{"TAJUK-01", "TITLE01", ""};
inline constexpr SettingKey kTitleSize{"TAJUK-01", "TSIZE", ""};
inline constexpr SettingKey kTitle02{"TAJUK-01", "TITLE02", ""};
inline constexpr SettingKey kTitle02Size{"TAJUK-01", "FSIZE", ""};
inline constexpr SettingKey kPlace{"TAJUK-01", "TEMPAT", ""};
inline constexpr SettingKey kPlaceSize{"TAJUK-01", "GSIZE", ""};
inline constexpr SettingKey kLogo{"GAMBAR", "LOGO1", ""};
inline constexpr SettingKey kLogoTop{"VSCROLL-01", "VHIGHT", ""};
inline constexpr SettingKey kLogoLeft{"HSCROLL-01", "HHIGHT", ""};
inline constexpr SettingKey kClockMode{"12-24HRS", "SETJAM", "0"};
// The screen asleep at night: both set, "HH:MM" or a prayer with minutes ("ISYAK+60").
inline constexpr SettingKey kNightOff{"MALAM", "PADAM", ""};
inline constexpr SettingKey kNightOn{"MALAM", "HIDUP", ""};
inline constexpr SettingKey kHijriCorrection{"TARIKH_HIJRAH", "MASA", ""};
inline constexpr SettingKey kShutdownTime{"JADUAL", "KOMPUTER_TUTUP", ""};
inline constexpr SettingKey kScroll{"WSOLAT_JAM", "SKROL", ""};
inline constexpr SettingKey kAutoCheck{"UPDATE", "AUTOCHECK", "ON"};
inline constexpr SettingKey kLastCheck{"UPDATE", "LASTCHECK", ""};
inline constexpr SettingKey kDataHost{"SERVER", "DATA_HOST", ""};
// The place the built-in calculator computes times for (decimal degrees; hours from UTC). Read
// without a default so that they are never written back; their defaults (Kuala Lumpur) are
// PrayerLocation's.
inline constexpr SettingKey kLatitude{"LOKASI", "LATITUD", ""};
inline constexpr SettingKey kLongitude{"LOKASI", "LONGITUD", ""};
inline constexpr SettingKey kTimeZone{"LOKASI", "ZON_WAKTU", ""};
// An official prayer-time zone's code ("SGR01"); when set it wins over LATITUD and LONGITUD.
inline constexpr SettingKey kZone{"LOKASI", "ZON", ""};

// The position sliders' range; stored positions outside it stay in the file but are not applied.
inline constexpr int kPositionMax = 32767;
} // namespace settings

// Reads a key with its readers' default (GetFromINI: may write that default back).
std::string readSetting(const SettingKey& key, const std::filesystem::path& iniPath);
bool writeSetting(const SettingKey& key, std::string_view value, const std::filesystem::path& iniPath);

// The decimal number at the start of the text ("50", " 12.5pt" -> 12.5); 0 when there is none.
double leadingNumber(std::string_view text);

// "OFF" in any mix of case.
bool isOff(std::string_view value);

// The shutdown time with every double quote removed.
std::string shutdownTimeValue(std::string_view stored);

// A stored logo path: ".\" (or "./") stands for the program folder; anything else is used as is.
std::filesystem::path resolveLogoPath(std::string_view stored, const std::filesystem::path& programFolder);

// The form a chosen logo path is stored in: inside the program folder it becomes ".\sub\file".
std::string storedLogoPath(std::string_view chosen, const std::filesystem::path& programFolder);

// The complete text of a new setting.ini, CR LF after every line.
const std::string& defaultSettingsText();

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/SettingsSchema.h"

#include "core/files/IniFile.h"

#include <array>

namespace tavrola {

std::string readSetting(const SettingKey& key, const std::filesystem::path& iniPath) {
    return GetFromINI(key.section, key.key, key.readDefault, iniPath);
}

bool writeSetting(const SettingKey& key, std::string_view value, const std::filesystem::path& iniPath) {
    return AddToINI(key.section, key.key, value, iniPath);
}

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    double value = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, scale /= 10) {
            value += (text[i] - '0') * scale;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    return negative ? -value : value;
}

bool isOff(std::string_view value) {
    return ini::equalsIgnoreCase(value, "OFF");
}

std::string shutdownTimeValue(std::string_view stored) {
    std::string out;
    out.reserve(stored.size());
    for (char c : stored)
        if (c != '"')
            out.push_back(c);
    return out;
}

namespace {

bool startsWithRelativeMark(std::string_view s) {
    return s.size() >= 2 && s[0] == '.' && (s[1] == '\\' || s[1] == '/');
}

std::string withSlashes(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\\')
            c = '/';
    return out;
}

} // namespace

std::filesystem::path resolveLogoPath(std::string_view stored, const std::filesystem::path& programFolder) {
    if (!startsWithRelativeMark(stored))
        return std::filesystem::path(std::string(stored));
    // Stored files use "\" whatever the OS; both separators are accepted here.
    const std::string rest = withSlashes(stored.substr(2));
    return programFolder / std::filesystem::path(rest);
}

std::string storedLogoPath(std::string_view chosen, const std::filesystem::path& programFolder) {
    std::string folder = withSlashes(programFolder.string());
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const std::string path = withSlashes(chosen);
    // The folder must end at a separator: "C:\Tav" is not a prefix of "C:\Tavrola2\x.gif".
    if (folder.empty() || path.size() <= folder.size() + 1 || path[folder.size()] != '/' ||
        !ini::equalsIgnoreCase(std::string_view(path).substr(0, folder.size()), folder))
        return std::string(chosen);
    std::string rest = path.substr(folder.size());
    for (char& c : rest)
        if (c == '/')
            c = '\\';
    return "." + rest;
}

const std::string& defaultSettingsText() {
    static const std::string text = [] {
        static constexpr std::array<std::string_view, 28> kLines = {"[TAJUK-01]",
                                                                    "TSIZE=50",
                                                                    "FSIZE=30",
                                                                    "GSIZE=60",
                                                                    "TEMPAT=Nama Tempat",
                                                                    "TITLE01=Tajuk 1",
                                                                    "TITLE02=Tajuk 2",
                                                                    "",
                                                                    "[GAMBAR]",
                                                                    "LOGO1=.\\logo\\logo.gif",
                                                                    "",
                                                                    "[VSCROLL-01]",
                                                                    "VHIGHT=797",
                                                                    "",
                                                                    "[HSCROLL-01]",
                                                                    "HHIGHT=17388",
                                                                    "",
                                                                    "[12-24HRS]",
                                                                    "SETJAM=0",
                                                                    "",
                                                                    "[TARIKH_HIJRAH]",
                                                                    "MASA=1",
                                                                    "",
                                                                    "[JADUAL]",
                                                                    "KOMPUTER_TUTUP=",
                                                                    "",
                                                                    "[WSOLAT_JAM]",
                                                                    "SKROL=ON"};
        std::string s;
        for (std::string_view line : kLines)
            s.append(line).append("\r\n");
        return s;
    }();
    return text;
}

} // namespace tavrola

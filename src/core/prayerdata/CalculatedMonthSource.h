// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/IniCache.h"
#include "core/prayerdata/MonthSource.h"

#include <filesystem>
#include <string>
#include <utility>

namespace tavrola {

// The month document computed on this computer for the place in setting.ini ([LOKASI]), for when
// no data server is set: the same document a server would send, so nothing downstream differs. What
// the user should know about the place (a code that names no zone, a coordinate that cannot be
// read) is said once in the fetch's notice. For a zone, the days an official table in
// `officialFolder` covers are taken from it (see OfficialTables.h).
class CalculatedMonthSource : public MonthSource {
public:
    explicit CalculatedMonthSource(std::filesystem::path settingsFile, std::filesystem::path officialFolder = {})
        : m_settingsFile(std::move(settingsFile)), m_officialFolder(std::move(officialFolder)) {}
    void fetch(int year, int month, Done done) override;
    void cancel() override {}
    std::string placeKey() override;

private:
    std::filesystem::path m_settingsFile;
    std::filesystem::path m_officialFolder;
    std::string m_noticed;                               // the notice last said, so that it is said once
    IniDerived<std::pair<std::string, bool>> m_placeKey; // the key, and whether it names a zone
};

} // namespace tavrola

#pragma once

#include "core/prayerdata/MonthSource.h"

#include <filesystem>
#include <string>

namespace tavrola {

// The month document computed on this computer for the place in setting.ini ([LOKASI]), for when
// no data server is set: the same document a server would send, so nothing downstream differs. A
// zone code that names no zone is said once in the fetch's notice (the default zone is used).
class CalculatedMonthSource : public MonthSource {
public:
    explicit CalculatedMonthSource(std::filesystem::path settingsFile) : m_settingsFile(std::move(settingsFile)) {}
    void fetch(int year, int month, Done done) override;
    void cancel() override {}

private:
    std::filesystem::path m_settingsFile;
    std::string m_noticedZone; // the unknown code last said, so that it is said once
};

} // namespace tavrola

#pragma once

#include "core/prayerdata/MonthSource.h"

#include <filesystem>

namespace tavrola {

// The month document computed on this computer for the place in setting.ini ([LOKASI]), for when
// no data server is set: the same document a server would send, so nothing downstream differs.
class CalculatedMonthSource : public MonthSource {
public:
    explicit CalculatedMonthSource(std::filesystem::path settingsFile) : m_settingsFile(std::move(settingsFile)) {}
    void fetch(int year, int month, Done done) override;
    void cancel() override {}

private:
    std::filesystem::path m_settingsFile;
};

} // namespace tavrola

#include "core/prayerdata/PrayerDatabase.h"

#include "core/config/AtomicFile.h"

#include <string_view>

namespace tavrola {

namespace fs = std::filesystem;

bool readCacheMonth(const fs::path& database, CacheMonthLine& out, std::error_code& ec) {
    out = {};
    std::string bytes;
    if (!readWholeFile(database, bytes, ec))
        return false;
    constexpr std::string_view kPrefix = "CACHE_MONTH=";
    std::string_view rest(bytes);
    while (!rest.empty()) {
        const std::size_t eol = rest.find('\n');
        std::string_view line = rest.substr(0, eol);
        rest = eol == std::string_view::npos ? std::string_view{} : rest.substr(eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.starts_with(kPrefix)) {
            out.found = true;
            out.field = std::string(line.substr(kPrefix.size() - 1));
            return true;
        }
    }
    return true;
}

bool cacheMonthIsCurrent(const std::string& field, const std::string& todayMonthKey) {
    return field == todayMonthKey;
}

bool writeDatabase(const fs::path& database, const std::string& text, std::string& error) {
    std::error_code ec;
    const fs::path folder = database.parent_path();
    if (!fs::is_directory(folder, ec)) {
        fs::create_directory(folder, ec);
        if (ec) {
            error = "Cannot create the folder " + folder.string() + ": " + ec.message();
            return false;
        }
    }
    if (!replaceFileAtomically(database, temporaryPathFor(database), text, ec)) {
        error = "Cannot write " + database.string() + ": " + ec.message();
        return false;
    }
    return true;
}

} // namespace tavrola

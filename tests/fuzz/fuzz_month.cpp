// Fuzzes the month-document scanner and the converter that writes dbsolat.dat from it. The input is
// the document; the month converted is that of the first quoted "yyyy-mm-" in it, so real documents
// are good seeds, and the rest of the clock comes from the input's size.
// Whatever the document holds, the file must keep its shape: CR LF lines only, the header, then at
// most one block per day of the month in order, each with the eight keys.
#include "core/clock/DateTime.h"
#include "core/prayerdata/JsonScanner.h"
#include "core/prayerdata/MonthConverter.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace tavrola;

namespace {

void require(bool ok) {
    if (!ok)
        std::abort();
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int number(std::string_view s) {
    int n = 0;
    for (char c : s)
        n = n * 10 + (c - '0');
    return n;
}

DateTime pickNow(std::string_view doc) {
    DateTime now;
    now.date = Date{2026, 12, 1};
    for (std::size_t at = doc.find('"'); at != std::string_view::npos && at + 9 <= doc.size();
         at = doc.find('"', at + 1)) {
        const std::string_view s = doc.substr(at + 1, 8);
        if (isDigit(s[0]) && isDigit(s[1]) && isDigit(s[2]) && isDigit(s[3]) && s[4] == '-' && isDigit(s[5]) &&
            isDigit(s[6]) && s[7] == '-') {
            const int year = number(s.substr(0, 4)), month = number(s.substr(5, 2));
            if (year >= 1 && month >= 1 && month <= 12) {
                now.date = Date{year, month, 1};
                break;
            }
        }
    }
    now.date.day =
        1 + static_cast<int>(doc.size() % static_cast<std::size_t>(daysInMonth(now.date.year, now.date.month)));
    now.hour = static_cast<int>(doc.size() % 24);
    now.minute = static_cast<int>(doc.size() % 60);
    now.second = static_cast<int>((doc.size() / 60) % 60);
    return now;
}

// Lines of a text that must end every line with CR LF; a lone CR or LF fails.
std::vector<std::string_view> crLfLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        require(end != std::string_view::npos && text[end] == '\r' && end + 1 < text.size() &&
                text[end + 1] == '\n');
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

void checkScanner(std::string_view doc) {
    require(FindMatchingBrace(doc, 0) == 0 && FindMatchingBrace(doc, doc.size() + 1) == 0);
    // The first few opening braces: a match closes at depth zero, after the brace.
    std::size_t open = doc.find('{');
    for (int n = 0; n < 6 && open != std::string_view::npos; ++n, open = doc.find('{', open + 1)) {
        const std::size_t close = FindMatchingBrace(doc, open + 1);
        if (close == 0)
            continue;
        require(close > open + 1 && close <= doc.size() && doc[close - 1] == '}');
        int depth = 0;
        for (std::size_t i = open; i < close; ++i) {
            depth += doc[i] == '{' ? 1 : (doc[i] == '}' ? -1 : 0);
            require(depth > 0 || i + 1 == close);
        }
        require(depth == 0);
    }
    for (std::string_view name : {"Imsak", "subuh", "Maghrib", "x"}) {
        const std::string value = GetJsonValue(doc, name);
        require(value.find('"') == std::string::npos);
        if (!value.empty())
            require(doc.find(value) != std::string_view::npos &&
                    doc.find("\"" + std::string(name) + "\"") != std::string_view::npos);
        if (const auto normal = NormalizeTime(value))
            require(!normal->empty() && normal->front() != ' ' && normal->back() != ' ');
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view doc(reinterpret_cast<const char*>(data), size);
    checkScanner(doc);

    const DateTime now = pickNow(doc);
    const MonthConversion r = convertMonthDocument(doc, now);
    require(r.daysInMonth == daysInMonth(now.date.year, now.date.month));
    if (!r.ok) {
        require(r.text.empty() && !r.error.empty());
        return 0;
    }

    const std::vector<std::string_view> lines = crLfLines(r.text);
    // Header (8 lines), 12 lines per day, and the final empty line.
    require(lines.size() == 8 + 12 * static_cast<std::size_t>(r.daysFound) + 1);
    require(r.daysFound >= 0 && r.daysFound <= r.daysInMonth);
    const std::string rule(42, '=');
    require(lines[0] == rule && lines[1] == "JADUAL WAKTU SOLAT BULANAN" &&
            lines[2] == "Bulan: " + prayerdb::monthCaption(now.date) &&
            lines[3] == "CACHE_MONTH=" + prayerdb::monthKey(now.date) && lines[4].starts_with("UPDATE_DATE=") &&
            lines[5].starts_with("LAST_UPDATE=") && lines[6] == rule && lines[7].empty() && lines.back().empty());

    static constexpr std::string_view kKeys[] = {
        "Imsak=", "Suboh=", "Syuruk=", "Duha=", "Zohor=", "Asar=", "Magrib=", "Isyak="};
    const std::string monthYear = pad(now.date.month, 2) + pad(now.date.year, 4);
    int lastDay = 0;
    bool todaySeen = false;
    for (int b = 0; b < r.daysFound; ++b) {
        const std::size_t first = 8 + 12 * static_cast<std::size_t>(b);
        const std::string_view head = lines[first];
        require(head.size() == 10 && head.front() == '[' && head.back() == ']' && head.substr(3, 6) == monthYear &&
                isDigit(head[1]) && isDigit(head[2]));
        const int day = number(head.substr(1, 2));
        require(day > lastDay && day <= r.daysInMonth);
        lastDay = day;
        require(lines[first + 1].starts_with("Tarikh: "));
        for (std::size_t k = 0; k < 8; ++k) {
            const std::string_view line = lines[first + 2 + k];
            require(line.starts_with(kKeys[k]));
            if (day == now.date.day)
                require(line.substr(kKeys[k].size()) == r.today[k]);
        }
        require(lines[first + 10] == std::string(42, '-') && lines[first + 11].empty());
        todaySeen |= day == now.date.day;
    }
    require(todaySeen == r.todayFound);
    return 0;
}

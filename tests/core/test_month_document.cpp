// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/JsonScanner.h"
#include "core/prayerdata/MonthDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace tavrola;

namespace {

// One day's object as the month reader finds it: the quoted date, then the next "{" to its "}".
std::string dayObject(const std::string& doc, const std::string& date) {
    const auto at = doc.find("\"" + date + "\"");
    const auto open = at == std::string::npos ? at : doc.find('{', at);
    const std::size_t close = open == std::string::npos ? 0 : FindMatchingBrace(doc, open + 1);
    return close == 0 ? std::string() : doc.substr(open, close - open);
}

} // namespace

TEST(MonthDocument, ABraceIsMatchedOnlyFromAPlaceInsideTheText) {
    EXPECT_EQ(FindMatchingBrace("{a}", 1), 3u);
    EXPECT_EQ(FindMatchingBrace("}", 0), 0u) << "0 names no opening brace";
    EXPECT_EQ(FindMatchingBrace("{a}", 4), 0u);
    EXPECT_EQ(FindMatchingBrace("{a", 1), 0u);
}

TEST(MonthDocument, EveryDayReadsBackAsTheCalculatorsTimesInOneObjectOfDates) {
    const PrayerLocation where{1.4927, 103.7414, 8};
    const PrayerCalculator calculator(where);
    for (const auto& [year, month] : {std::pair{2028, 2}, std::pair{2026, 12}, std::pair{2027, 4}}) {
        const std::string doc = calculatedMonthDocument(year, month, where);
        const int days = daysInMonth(year, month);
        EXPECT_EQ(doc.front(), '{');
        EXPECT_EQ(doc.substr(doc.size() - 2), "}\n");
        EXPECT_EQ(std::count(doc.begin(), doc.end(), '{'), 1 + days);
        for (int d = 1; d <= days; ++d) {
            const std::string date = pad(year, 4) + "-" + pad(month, 2) + "-" + pad(d, 2);
            const std::string object = dayObject(doc, date);
            ASSERT_FALSE(object.empty()) << date;
            const PrayerDay day = calculator.day({year, month, d});
            for (std::size_t i = 0; i < kPrayerCount; ++i) {
                const auto p = static_cast<Prayer>(i);
                EXPECT_EQ(GetJsonValue(object, prayerNames(p).document), formatPrayerTime(day[p])) << date;
            }
        }
    }
    EXPECT_EQ(calculatedMonthDocument(2026, 13, {}), "{\n}\n");
    EXPECT_EQ(monthDocumentPath(2027, 1), "/data/2027-01.json");
}

// An empty value is what readers turn into "--:--"; the text "--:--" itself is not a clock time.
TEST(MonthDocument, TimesThatNeverComeAreEmptyStrings) {
    const std::string doc = calculatedMonthDocument(2026, 6, {69.65, 18.96, 2});
    const std::string object = dayObject(doc, "2026-06-21");
    for (const char* never : {"Subuh", "Maghrib"})
        EXPECT_TRUE(object.find('"' + std::string(never) + '"') != std::string::npos &&
                    GetJsonValue(object, never).empty())
            << never;
    EXPECT_EQ(GetJsonValue(object, "Zohor").size(), 5u);
    EXPECT_EQ(doc.find("--"), std::string::npos);
}

#include "core/prayerdata/MonthDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace tavrola;

namespace {

// The month reader looks things up by plain text: the quoted date, the next "{" and its matching
// "}", then each quoted name, the ":" after it and the text between the next two quotation marks.
// The same lookups here check that the document reads back exactly.
std::string dayObject(const std::string& doc, const std::string& date) {
    const auto at = doc.find("\"" + date + "\"");
    if (at == std::string::npos)
        return {};
    const auto open = doc.find('{', at);
    int depth = 0;
    for (auto i = open; i < doc.size(); ++i) {
        depth += doc[i] == '{' ? 1 : doc[i] == '}' ? -1 : 0;
        if (depth == 0)
            return doc.substr(open, i - open + 1);
    }
    return {};
}

std::string member(const std::string& object, std::string_view name) {
    const auto at = object.find("\"" + std::string(name) + "\"");
    if (at == std::string::npos)
        return "<missing>";
    const auto colon = object.find(':', at);
    const auto q1 = object.find('"', colon);
    const auto q2 = object.find('"', q1 + 1);
    return object.substr(q1 + 1, q2 - q1 - 1);
}

} // namespace

TEST(MonthDocument, EveryDayReadsBackAsTheCalculatorsTimesInOneObjectOfDates) {
    const PrayerLocation where{1.4927, 103.7414, 8};
    const PrayerCalculator calculator(where);
    for (const auto& [year, month] : {std::pair{2028, 2}, std::pair{2026, 12}, std::pair{2027, 4}}) {
        const std::string doc = calculatedMonthDocument(year, month, where);
        const int days = daysInMonth(year, month);
        EXPECT_EQ(doc.front(), '{');
        EXPECT_EQ(doc.substr(doc.size() - 2), "}\n");
        EXPECT_EQ(std::count(doc.begin(), doc.end(), '{'), 1 + days);
        EXPECT_EQ(std::count(doc.begin(), doc.end(), '}'), 1 + days);
        for (int d = 1; d <= days; ++d) {
            const std::string date = pad(year, 4) + "-" + pad(month, 2) + "-" + pad(d, 2);
            const std::string object = dayObject(doc, date);
            ASSERT_FALSE(object.empty()) << date;
            const PrayerDay day = calculator.day({year, month, d});
            for (std::size_t i = 0; i < kPrayerCount; ++i) {
                const auto p = static_cast<Prayer>(i);
                EXPECT_EQ(member(object, prayerName(p)), formatPrayerTime(day[p])) << date;
            }
        }
    }
    EXPECT_EQ(calculatedMonthDocument(2026, 13, {}), "{\n}\n");
    EXPECT_EQ(monthDocumentPath(2027, 1), "/data/2027-01.json");
}

TEST(MonthDocument, TimesThatNeverComeAreEmptyStrings) {
    // An empty value is what readers turn into "--:--"; the text "--:--" itself is not a clock time.
    const std::string doc = calculatedMonthDocument(2026, 6, {69.65, 18.96, 2});
    const std::string object = dayObject(doc, "2026-06-21");
    EXPECT_EQ(member(object, "Subuh"), "");
    EXPECT_EQ(member(object, "Maghrib"), "");
    EXPECT_EQ(member(object, "Zohor").size(), 5u);
    EXPECT_EQ(doc.find("--"), std::string::npos);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/IniFile.h"
#include "core/prayerdata/JsonScanner.h"
#include "core/prayerdata/MonthConverter.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

using namespace tavrola;

namespace {

using fakes::testData;

DateTime at(int y, int mo, int d, int h = 14, int mi = 3, int s = 9) {
    return DateTime{{y, mo, d}, h, mi, s, 0};
}

// The lines of one day block, without the CR LF.
std::vector<std::string> blockOf(const std::string& text, const std::string& sectionKey) {
    std::vector<std::string> lines;
    const std::size_t at = text.find("[" + sectionKey + "]\r\n");
    if (at == std::string::npos)
        return lines;
    std::size_t pos = at;
    for (int i = 0; i < 11; ++i) {
        const std::size_t eol = text.find("\r\n", pos);
        lines.push_back(text.substr(pos, eol - pos));
        pos = eol + 2;
    }
    return lines;
}

} // namespace

TEST(JsonScanner, TimesArePaddedTrimmedOrRefused) {
    using namespace std::string_literals;
    const std::pair<const char*, const char*> kept[] = {
        {"4:45", "04:45"},        {"12:30", "12:30"}, {"4:5", "04:5"}, {" 5:07 ", "05:07"},
        {"04:45:00", "04:45:00"}, {" 2010 ", "2010"}, {"", "--:--"},   {"   ", "--:--"}};
    for (const auto& [in, out] : kept)
        EXPECT_EQ(NormalizeTime(in), out) << in;
    // Tabs are not trimmed; line breaks and control bytes never reach the file.
    for (const std::string& bad :
         {"\t4:45"s, ":30"s, "ab:30"s, "-1:30"s, "5:45\n"s, "x\r"s, "5:4\0"s + "5", "5:45\x7f"s})
        EXPECT_EQ(NormalizeTime(bad), std::nullopt) << bad;
}

TEST(MonthConverter, FullMonthIsWrittenByteForByte) {
    const MonthConversion c = convertMonthDocument(testData("month_2026-12.json"), at(2026, 12, 5));
    ASSERT_TRUE(c.ok) << c.error;
    EXPECT_EQ(c.text, testData("dbsolat_2026-12.expected"));
    EXPECT_EQ(c.daysInMonth, 31);
    EXPECT_EQ(c.daysFound, 31);
    ASSERT_TRUE(c.todayFound);
    EXPECT_EQ(c.today, (DayTimes{"05:41", "05:51", "07:06", "07:31", "13:06", "16:29", "19:11", "20:25"}));
    // The clock reads its keys from the written file.
    const fakes::TempDir dir;
    fakes::writeBytes(dir / "dbsolat.dat", c.text);
    EXPECT_EQ(GetFromINI("05122026", "magrib", "", dir / "dbsolat.dat"), "19:11");
    EXPECT_EQ(GetFromINI("", "CACHE_MONTH", "", dir / "dbsolat.dat"), "");
}

TEST(MonthConverter, LeapFebruaryWithLowerCaseNamesOnly) {
    const std::string doc = testData("month_2028-02_lowercase.json");
    const MonthConversion c = convertMonthDocument(doc, at(2028, 2, 29));
    ASSERT_TRUE(c.ok) << c.error;
    EXPECT_EQ(c.daysInMonth, 29);
    EXPECT_EQ(c.daysFound, 29);
    EXPECT_EQ(
        blockOf(c.text, "29022028"),
        (std::vector<std::string>{"[29022028]", "Tarikh: Selasa, 29 Februari 2028", "Imsak=05:49", "Suboh=05:50",
                                  "Syuruk=07:14", "Duha=07:39", "Zohor=13:14", "Asar=16:37", "Magrib=19:19",
                                  "Isyak=20:33", "------------------------------------------"}));
    EXPECT_TRUE(c.todayFound);
}

TEST(MonthConverter, GapsOddValuesDuplicatesAndNestedObjects) {
    const MonthConversion c = convertMonthDocument(testData("month_2026-11_gaps.json"), at(2026, 11, 3));
    ASSERT_TRUE(c.ok) << c.error;
    EXPECT_EQ(c.daysInMonth, 30);
    EXPECT_EQ(c.daysFound, 27); // the 3rd, 17th and 30th are missing
    for (const char* gap : {"[03112026]", "[17112026]", "[30112026]", "[01122026]"})
        EXPECT_EQ(c.text.find(gap), std::string::npos) << gap;
    EXPECT_FALSE(c.todayFound); // today (the 3rd) is one of the gaps

    EXPECT_EQ(
        blockOf(c.text, "01112026"),
        (std::vector<std::string>{"[01112026]", "Tarikh: Ahad, 01 November 2026", "Imsak=--:--", "Suboh=05:07",
                                  "Syuruk=04:5", "Duha=04:45:00", "Zohor=12:30", "Asar=--:--", "Magrib=18:58",
                                  "Isyak=2010", "------------------------------------------"}));
    EXPECT_EQ(blockOf(c.text, "02112026")[3], "Suboh=05:41"); // found through the lower-case name
    const auto nested = blockOf(c.text, "04112026");
    EXPECT_EQ(nested[9], "Isyak=20:10");                      // members after the nested object belong to the day
    EXPECT_EQ(nested[7], "Asar=99:99");                       // the first "Asar" in the day's text, nested or not
    EXPECT_EQ(blockOf(c.text, "05112026")[2], "Imsak=05:31"); // the first of two equal dates wins

    // Blocks stand in day order whatever the document's order.
    EXPECT_LT(c.text.find("[29112026]"), c.text.rfind("\r\n\r\n\r\n"));
    EXPECT_LT(c.text.find("[02112026]"), c.text.find("[04112026]"));
    EXPECT_EQ(c.text.substr(c.text.size() - 48), "------------------------------------------\r\n\r\n\r\n");
}

TEST(MonthConverter, CutOffDocumentKeepsTheCompleteDaysOnly) {
    const MonthConversion c = convertMonthDocument(testData("month_2026-12_cutoff.json"), at(2026, 12, 20));
    ASSERT_TRUE(c.ok);
    // The document lists the 16th..31st, then the 1st.., and ends inside the 10th.
    EXPECT_EQ(c.daysFound, 25);
    EXPECT_NE(c.text.find("[09122026]"), std::string::npos);
    EXPECT_EQ(c.text.find("[10122026]"), std::string::npos);
    EXPECT_TRUE(c.todayFound);
}

TEST(MonthConverter, ErrorPagesAndUnreadableTimes) {
    EXPECT_EQ(convertMonthDocument(testData("error_page.html"), at(2026, 12, 5)).daysFound, 0);
    EXPECT_EQ(convertMonthDocument("", at(2026, 12, 5)).daysFound, 0);

    // An unbalanced brace inside a string stretches that day's object up to the document's own
    // closing brace; its first members are still its own, and the next day is read as usual.
    const MonthConversion brace = convertMonthDocument(
        R"({"2026-12-01": {"note": "{", "Imsak": "5:00"}, "2026-12-02": {"Imsak": "5:01"}})", at(2026, 12, 5));
    ASSERT_TRUE(brace.ok);
    EXPECT_EQ(brace.daysFound, 2);
    EXPECT_NE(brace.text.find("[01122026]\r\nTarikh: Selasa, 01 Disember 2026\r\nImsak=05:00"), std::string::npos);
    EXPECT_NE(brace.text.find("[02122026]\r\nTarikh: Rabu, 02 Disember 2026\r\nImsak=05:01"), std::string::npos);
    // In the last object it never closes at all: that day has no block.
    EXPECT_EQ(convertMonthDocument(R"({"2026-12-01": {"note": "{", "Imsak": "5:00"})", at(2026, 12, 5)).daysFound,
              0);

    const MonthConversion bad = convertMonthDocument(R"({"2026-12-02": {"Imsak": ":30"}})", at(2026, 12, 5));
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.error, "Invalid Imsak time \":30\" on 2026-12-02");
    EXPECT_TRUE(bad.text.empty());
}

TEST(MonthConverter, LineBreaksInsideAValueNeverReachTheFile) {
    // Found by fuzzing: a value with no colon was stored as it came, raw line breaks and all, so a
    // document could end a key's line and forge another day's times.
    const MonthConversion forged = convertMonthDocument(
        "{\"2026-12-01\": {\"Imsak\": \"5:40\", \"Subuh\": \"x\r\n[02122026]\r\nImsak=00.00\"}, "
        "\"2026-12-02\": {\"Imsak\": \"5:41\"}}",
        at(2026, 12, 5));
    EXPECT_FALSE(forged.ok);
    EXPECT_TRUE(forged.text.empty()); // the previous file stays
    EXPECT_EQ(forged.error, "Invalid Subuh time \"x??[02122026]??Imsak=00.00\" on 2026-12-01");
}

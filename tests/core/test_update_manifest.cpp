// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/update/UpdateManifest.h"

#include <gtest/gtest.h>

#include <string>

using namespace tavrola;

TEST(CompareVersions, PartsCompareAsNumbersFromTheirLeadingDigitsMissingOnesAsZero) {
    struct Row {
        const char *a, *b;
        int expected;
    };
    for (const Row& r : {Row{"2.0.28", "2.0.27", 1},
                         {"2.0.27", "2.0.28", -1},
                         {"2.1", "2.0.27", 1},
                         {"10.0", "9.9.9", 1},
                         {"9.9.9", "10.0", -1},
                         {"2.0.100", "2.0.99", 1},
                         {"2.0.27", "2.0.27", 0},
                         {"2.0", "2.0.0", 0},
                         {"2.0.0.0", "2", 0},
                         {"2.0.0.1", "2.0", 1},
                         {"", "0.0", 0},
                         {"", "0.0.1", -1},
                         {"2.0.28-beta", "2.0.27", 1},
                         {"2.0.027", "2.0.27", 0},
                         {"2.x.5", "2.0.5", 0},
                         {"v3", "2", -1},
                         {"2..1", "2.0.1", 0},
                         // Huge parts compare without overflow.
                         {"2.0.999999999999", "2.0.27", 1},
                         {"2.0.27", "2.0.999999999999", -1},
                         {"2.0.999999999999", "2.0.999999999998", 1},
                         {"99999999999999999999999999.0", "99999999999999999999999999", 0},
                         {"4294967296", "4294967295", 1}})
        EXPECT_EQ(CompareVersions(r.a, r.b), r.expected) << r.a << " vs " << r.b;
}

TEST(ExtractJsonString, TakesTheFirstMemberOfTheNameInAnyCaseAndItsTextUnchanged) {
    struct Row {
        std::string text;
        const char *name, *expected;
    };
    for (const Row& r : {Row{R"({"Version": "2.0.28"})", "version", "2.0.28"},
                         {R"({"VERSION":"2.0.28"})", "version", "2.0.28"},
                         {R"({"version" :	"2.0.28" , "x":"y"})", "VERSION", "2.0.28"},
                         {R"({"changes": "a\nb\\c"})", "changes", R"(a\nb\\c)"},
                         {R"({"changes": ""})", "changes", ""},
                         {"{\"changes\": \"line 1\r\nline 2\"}", "changes", "line 1\r\nline 2"},
                         // Missing or broken members, and values that are not strings, give nothing.
                         {R"({"url": "https://x"})", "version", ""},
                         {R"({"version": "2.0.28)", "version", ""},
                         {R"({"version")", "version", ""},
                         {R"({"version":)", "version", ""},
                         {"", "version", ""},
                         {R"({"version": "1"})", "", ""},
                         {R"({"version": 2, "url": "https://x"})", "version", ""},
                         // The name where it is not a member is skipped.
                         {R"({"changes": "version", "version": "2.0.28"})", "version", "2.0.28"},
                         {R"({"$version": "3.0", "version": "2.0.28"})", "version", "2.0.28"},
                         {R"({"version": "1.0", "version": "2.0"})", "version", "1.0"}})
        EXPECT_EQ(ExtractJsonString(r.text, r.name), r.expected) << r.text;
}

TEST(ReadManifest, DollarFormWinsWhenSetAndDownloadFallsBackToUrl) {
    EXPECT_EQ(GetManifestValue(R"({"version": "2.0.28", "$version": "2.0.30"})", "version"), "2.0.30");
    EXPECT_EQ(GetManifestValue(R"({"$Version": "2.0.30", "version": "2.0.28"})", "version"), "2.0.30");
    EXPECT_EQ(GetManifestValue(R"({"$version": "", "version": "2.0.28"})", "version"), "2.0.28");

    const ManifestValues both = readManifest(
        R"({"version":"2.0.28","download":"https://d.example.com/","url":"https://u.example.com/","changes":"Baiki"})");
    EXPECT_EQ(both.latestVersion, "2.0.28");
    EXPECT_EQ(both.downloadUrl, "https://d.example.com/");
    EXPECT_EQ(both.changeNotes, "Baiki");
    EXPECT_EQ(readManifest(R"({"version":"2.0.28","download":"","url":"https://u/"})").downloadUrl, "https://u/");
    EXPECT_EQ(readManifest(R"({"version":"2.0.28","$url":"https://d/"})").downloadUrl, "https://d/");
    EXPECT_EQ(readManifest(R"({"version":"2.0.28"})").downloadUrl, "");

    // Huge texts are scanned to the end.
    std::string text = "{\"changes\": \"" + std::string(4 * 1024 * 1024, 'v') + "\", \"VERSION\": \"2.0.28\"}";
    EXPECT_EQ(readManifest(text).latestVersion, "2.0.28");
    EXPECT_EQ(readManifest(std::string(1024 * 1024, '"')).latestVersion, "");
}

#include "core/update/UpdateManifest.h"

#include <gtest/gtest.h>

#include <string>

using namespace tavrola;

TEST(CompareVersions, ComparesEachPartAsANumber) {
    EXPECT_EQ(CompareVersions("2.0.28", "2.0.27"), 1);
    EXPECT_EQ(CompareVersions("2.0.27", "2.0.28"), -1);
    EXPECT_EQ(CompareVersions("2.1", "2.0.27"), 1);
    EXPECT_EQ(CompareVersions("10.0", "9.9.9"), 1);
    EXPECT_EQ(CompareVersions("9.9.9", "10.0"), -1);
    EXPECT_EQ(CompareVersions("2.0.100", "2.0.99"), 1);
    EXPECT_EQ(CompareVersions("2.0.27", "2.0.27"), 0);
}

TEST(CompareVersions, MissingPartsCountAsZero) {
    EXPECT_EQ(CompareVersions("2.0", "2.0.0"), 0);
    EXPECT_EQ(CompareVersions("2.0.0.0", "2"), 0);
    EXPECT_EQ(CompareVersions("2.0.0.1", "2.0"), 1);
    EXPECT_EQ(CompareVersions("", "0.0"), 0);
    EXPECT_EQ(CompareVersions("", "0.0.1"), -1);
}

TEST(CompareVersions, UsesEachPartsLeadingDigits) {
    EXPECT_EQ(CompareVersions("2.0.28-beta", "2.0.27"), 1);
    EXPECT_EQ(CompareVersions("2.0.027", "2.0.27"), 0);
    EXPECT_EQ(CompareVersions("2.x.5", "2.0.5"), 0);
    EXPECT_EQ(CompareVersions("v3", "2"), -1); // no leading digits: 0
    EXPECT_EQ(CompareVersions("2..1", "2.0.1"), 0);
}

TEST(CompareVersions, HugePartsCompareWithoutOverflow) {
    EXPECT_EQ(CompareVersions("2.0.999999999999", "2.0.27"), 1);
    EXPECT_EQ(CompareVersions("2.0.27", "2.0.999999999999"), -1);
    EXPECT_EQ(CompareVersions("2.0.999999999999", "2.0.999999999998"), 1);
    EXPECT_EQ(CompareVersions("99999999999999999999999999.0", "99999999999999999999999999"), 0);
    EXPECT_EQ(CompareVersions("4294967296", "4294967295"), 1);
}

TEST(ExtractJsonString, FindsTheNameInAnyCase) {
    EXPECT_EQ(ExtractJsonString(R"({"Version": "2.0.28"})", "version"), "2.0.28");
    EXPECT_EQ(ExtractJsonString(R"({"VERSION":"2.0.28"})", "version"), "2.0.28");
    EXPECT_EQ(ExtractJsonString(R"({"version" :	"2.0.28" , "x":"y"})", "VERSION"), "2.0.28");
}

TEST(ExtractJsonString, TakesTheTextUnchangedBetweenTheQuotes) {
    EXPECT_EQ(ExtractJsonString(R"({"changes": "a\nb\\c"})", "changes"), R"(a\nb\\c)");
    EXPECT_EQ(ExtractJsonString(R"({"changes": ""})", "changes"), "");
    EXPECT_EQ(ExtractJsonString("{\"changes\": \"line 1\r\nline 2\"}", "changes"), "line 1\r\nline 2");
}

TEST(ExtractJsonString, MissingOrBrokenMembersGiveEmpty) {
    EXPECT_EQ(ExtractJsonString(R"({"url": "https://x"})", "version"), "");
    EXPECT_EQ(ExtractJsonString(R"({"version": "2.0.28)", "version"), "");
    EXPECT_EQ(ExtractJsonString(R"({"version")", "version"), "");
    EXPECT_EQ(ExtractJsonString(R"({"version":)", "version"), "");
    EXPECT_EQ(ExtractJsonString("", "version"), "");
    EXPECT_EQ(ExtractJsonString(R"({"version": "1"})", ""), "");
    // A member whose value is not a string has no string value.
    EXPECT_EQ(ExtractJsonString(R"({"version": 2, "url": "https://x"})", "version"), "");
}

TEST(ExtractJsonString, SkipsTheNameWhereItIsNotAMember) {
    EXPECT_EQ(ExtractJsonString(R"({"changes": "version", "version": "2.0.28"})", "version"), "2.0.28");
    EXPECT_EQ(ExtractJsonString(R"({"$version": "3.0", "version": "2.0.28"})", "version"), "2.0.28");
    // The first member of that name wins.
    EXPECT_EQ(ExtractJsonString(R"({"version": "1.0", "version": "2.0"})", "version"), "1.0");
}

TEST(GetManifestValue, DollarFormWinsWhenItHasAValue) {
    EXPECT_EQ(GetManifestValue(R"({"version": "2.0.28", "$version": "2.0.30"})", "version"), "2.0.30");
    EXPECT_EQ(GetManifestValue(R"({"$Version": "2.0.30", "version": "2.0.28"})", "version"), "2.0.30");
    EXPECT_EQ(GetManifestValue(R"({"$version": "", "version": "2.0.28"})", "version"), "2.0.28");
    EXPECT_EQ(GetManifestValue(R"({"version": "2.0.28"})", "version"), "2.0.28");
}

TEST(ReadManifest, DownloadFallsBackToUrl) {
    const ManifestValues both = readManifest(
        R"({"version":"2.0.28","download":"https://d.example.com/","url":"https://u.example.com/","changes":"Baiki"})");
    EXPECT_EQ(both.latestVersion, "2.0.28");
    EXPECT_EQ(both.downloadUrl, "https://d.example.com/");
    EXPECT_EQ(both.changeNotes, "Baiki");

    EXPECT_EQ(readManifest(R"({"version":"2.0.28","url":"https://u.example.com/"})").downloadUrl,
              "https://u.example.com/");
    EXPECT_EQ(readManifest(R"({"version":"2.0.28","download":"","url":"https://u/"})").downloadUrl, "https://u/");
    EXPECT_EQ(readManifest(R"({"version":"2.0.28","$url":"https://d/"})").downloadUrl, "https://d/");

    const ManifestValues none = readManifest(R"({"version":"2.0.28"})");
    EXPECT_EQ(none.downloadUrl, "");
    EXPECT_EQ(none.changeNotes, "");
}

TEST(ReadManifest, HugeTextIsScannedToTheEnd) {
    std::string text = "{\"changes\": \"" + std::string(4 * 1024 * 1024, 'v') + "\", \"VERSION\": \"2.0.28\"}";
    EXPECT_EQ(readManifest(text).latestVersion, "2.0.28");
    EXPECT_EQ(readManifest(std::string(1024 * 1024, '"')).latestVersion, "");
}

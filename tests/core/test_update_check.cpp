#include "core/update/UpdateCheck.h"

#include <gtest/gtest.h>

using namespace tavrola;

TEST(UpdateCheck, ManifestAddressAndRequest) {
    const HttpRequest r = update::manifestRequest("h.example.com");
    EXPECT_EQ(r.url, "https://h.example.com/aplikasi-2026/Tavrola_v2.0/latest.json");
    EXPECT_EQ(r.connectTimeoutMs, 30000);
    EXPECT_EQ(r.transferTimeoutMs, 30000);
    EXPECT_LE(r.maxBodyBytes, update::kManifestMaxBytes);
}

TEST(UpdateCheck, OnlyAnOkReplyNamingAVersionIsUsable) {
    HttpResponse ok;
    ok.status = 200;
    ok.body = R"({"version":"2.0.28","url":"https://x/"})";
    ASSERT_TRUE(update::manifestFromReply(ok).has_value());
    EXPECT_EQ(update::manifestFromReply(ok)->downloadUrl, "https://x/");

    HttpResponse notFound = ok;
    notFound.status = 404;
    EXPECT_FALSE(update::manifestFromReply(notFound).has_value());

    HttpResponse failed = ok;
    failed.error = HttpResponse::Error::Timeout;
    EXPECT_FALSE(update::manifestFromReply(failed).has_value());

    HttpResponse noVersion = ok;
    noVersion.body = R"({"Versi":"2.0.28","download":"https://x/"})";
    EXPECT_FALSE(update::manifestFromReply(noVersion).has_value());
}

TEST(UpdateCheck, DecidesOnlyANewerVersionIsAnUpdate) {
    EXPECT_EQ(update::decide(false, "", "2.0.27"), update::Outcome::CannotCheck);
    EXPECT_EQ(update::decide(true, "2.0.27", "2.0.27"), update::Outcome::UpToDate);
    EXPECT_EQ(update::decide(true, "2.0.26", "2.0.27"), update::Outcome::UpToDate);
    EXPECT_EQ(update::decide(true, "2.0.28", "2.0.27"), update::Outcome::Newer);
    EXPECT_EQ(update::decide(true, "2.0.999999999999", "2.0.27"), update::Outcome::Newer);
}

TEST(UpdateCheck, DownloadAddressCarriesTheVersion) {
    EXPECT_EQ(update::downloadAddress("https://www.example.com/muat", "2.0.28"),
              "https://www.example.com/muat?v=2.0.28");
    EXPECT_EQ(update::downloadAddress("http://x.example.com/", "2.0.28"), "http://x.example.com/?v=2.0.28");
    EXPECT_EQ(update::downloadAddress("HTTPS://X.example.com/", "3"), "HTTPS://X.example.com/?v=3");
}

TEST(UpdateCheck, OnlyWebAddressesAreOpened) {
    for (const char* bad :
         {"", "file:///C:/Windows/System32/calc.exe", "C:\\Windows\\notepad.exe", "calc.exe",
          "\\\\server\\share\\setup.exe", "javascript:alert(1)", "mailto:a@example.com", " https://x.example.com/",
          "https:/x.example.com", "ftp://x.example.com/", "https://x.example.com/\r\nfile:///etc/passwd"})
        EXPECT_FALSE(update::downloadAddress(bad, "2.0.28").has_value()) << bad;
    EXPECT_FALSE(update::downloadAddress("https://x.example.com/", "2.0.28\n").has_value());
}

TEST(UpdateCheck, LastCheckIsDayMonthYear24Hour) {
    EXPECT_EQ(update::lastCheckText(DateTime{{2026, 3, 5}, 17, 4, 9, 500}), "05/03/2026 17:04:09");
}

TEST(UpdateCheck, AutomaticCheckRunsOnceUnlessOff) {
    EXPECT_TRUE(update::automaticCheckAllowed(false, "ON"));
    EXPECT_TRUE(update::automaticCheckAllowed(false, ""));
    EXPECT_TRUE(update::automaticCheckAllowed(false, "no"));
    EXPECT_FALSE(update::automaticCheckAllowed(true, "ON"));
    for (const char* off : {"OFF", "off", "Off", "oFf"})
        EXPECT_FALSE(update::automaticCheckAllowed(false, off)) << off;
}

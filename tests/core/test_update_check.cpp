// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/update/UpdateCheck.h"

#include <gtest/gtest.h>

using namespace tavrola;

TEST(UpdateCheck, OnlyAnOkReplyNamingANewerVersionIsAnUpdate) {
    const HttpRequest r = update::manifestRequest("h.example.com");
    EXPECT_EQ(r.url, "https://h.example.com/aplikasi-2026/Tavrola_v2.0/latest.json");
    EXPECT_LE(r.maxBodyBytes, update::kManifestMaxBytes);

    HttpResponse ok;
    ok.status = 200;
    ok.body = R"({"version":"2.0.28","url":"https://x/"})";
    EXPECT_EQ(update::manifestFromReply(ok).value().downloadUrl, "https://x/");
    HttpResponse notFound = ok, failed = ok, noVersion = ok;
    notFound.status = 404;
    failed.error = HttpResponse::Error::Timeout;
    noVersion.body = R"({"Versi":"2.0.28","download":"https://x/"})";
    for (const HttpResponse& bad : {notFound, failed, noVersion})
        EXPECT_FALSE(update::manifestFromReply(bad).has_value()) << bad.status << " " << bad.body;

    EXPECT_EQ(update::decide(false, "", "2.0.27"), update::Outcome::CannotCheck);
    EXPECT_EQ(update::decide(true, "2.0.27", "2.0.27"), update::Outcome::UpToDate);
    EXPECT_EQ(update::decide(true, "2.0.26", "2.0.27"), update::Outcome::UpToDate);
    EXPECT_EQ(update::decide(true, "2.0.999999999999", "2.0.27"), update::Outcome::Newer);
}

TEST(UpdateCheck, OnlyWebAddressesAreOpenedWithTheVersionAdded) {
    EXPECT_EQ(update::downloadAddress("https://www.example.com/muat", "2.0.28"),
              "https://www.example.com/muat?v=2.0.28");
    EXPECT_EQ(update::downloadAddress("http://x.example.com/", "2.0.28"), "http://x.example.com/?v=2.0.28");
    EXPECT_EQ(update::downloadAddress("HTTPS://X.example.com/", "3"), "HTTPS://X.example.com/?v=3");
    for (const char* bad :
         {"", "file:///C:/Windows/System32/calc.exe", "C:\\Windows\\notepad.exe", "calc.exe",
          "\\\\server\\share\\setup.exe", "javascript:alert(1)", "mailto:a@example.com", " https://x.example.com/",
          "https:/x.example.com", "ftp://x.example.com/", "https://x.example.com/\r\nfile:///etc/passwd"})
        EXPECT_FALSE(update::downloadAddress(bad, "2.0.28").has_value()) << bad;
    EXPECT_FALSE(update::downloadAddress("https://x.example.com/", "2.0.28\n").has_value());
}

TEST(UpdateCheck, AutomaticCheckRunsOnceUnlessOffAndStampsDayMonthYear) {
    for (const char* on : {"ON", "", "no"})
        EXPECT_TRUE(update::automaticCheckAllowed(false, on)) << on;
    EXPECT_FALSE(update::automaticCheckAllowed(true, "ON"));
    for (const char* off : {"OFF", "off", "Off", "oFf"})
        EXPECT_FALSE(update::automaticCheckAllowed(false, off)) << off;
    EXPECT_EQ(update::lastCheckText(DateTime{{2026, 3, 5}, 17, 4, 9, 500}), "05/03/2026 17:04:09");
}

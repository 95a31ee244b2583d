// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppInfo.h"
#include "core/files/AtomicFile.h"
#include "core/prayerdata/DataUpdater.h"
#include "core/prayerdata/HttpMonthSource.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeHttpClient.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

using namespace tavrola;

namespace {

using fakes::readBytes;
using fakes::testData;
using fakes::writeBytes;

const std::string kOldDatabase = "CACHE_MONTH=112026\r\n[01112026]\r\nImsak=05:30\r\n";

class UpdaterTest : public ::testing::Test {
protected:
    UpdaterTest() : folder(temp.path()), source(http, folder.settingsFile()), updater(folder, clock, source) {
        clock.set(2026, 12, 5, 14, 3, 9);
        writeBytes(folder.settingsFile(), "[SERVER]\r\nDATA_HOST=data.example.test\r\n");
        updater.setLogSink([this](const std::string& line) { log.push_back(line); });
        updater.setOnChanged([this] { statuses.push_back(updater.statusText()); });
    }

    void expectStatus(const std::string& text, StatusColour colour) {
        EXPECT_EQ(updater.statusText(), text);
        EXPECT_EQ(updater.statusColour(), colour);
    }
    std::string database() const { return readBytes(folder.databaseFile()); }
    std::vector<std::string> todayLabels() const {
        std::vector<std::string> v;
        for (Prayer p : DataUpdater::kTodayPrayers)
            v.push_back(updater.todayText(p));
        return v;
    }

    fakes::TempDir temp;
    ProgramFolder folder;
    fakes::FakeClock clock;
    fakes::FakeHttpClient http;
    HttpMonthSource source;
    DataUpdater updater;
    std::vector<std::string> log;
    std::vector<std::string> statuses;
};

} // namespace

TEST_F(UpdaterTest, FirstStartWithoutDatabaseDownloadsWithoutWaitingAndWritesTheMonth) {
    updater.load();
    // The load returns at once with the request in flight.
    ASSERT_EQ(http.pendingCount(), 1u);
    EXPECT_EQ(http.requests[0].url, "https://data.example.test/data/2026-12.json");
    EXPECT_EQ(http.requests[0].connectTimeoutMs, 30000);
    EXPECT_EQ(http.requests[0].transferTimeoutMs, 30000);
    EXPECT_EQ(http.requests[0].maxBodyBytes, 1024u * 1024u);
    EXPECT_EQ(statuses.front(), "FAIL TIDAK DIJUMPAI! Muat turun...");
    expectStatus("Muat turun data Disember 2026...", StatusColour::Orange);
    EXPECT_TRUE(updater.Busy());

    ASSERT_TRUE(http.reply(200, testData("month_2026-12.json")));
    EXPECT_EQ(database(), testData("dbsolat_2026-12.expected"));
    expectStatus("Update #1 BERJAYA! - 31 hari", StatusColour::Green);
    EXPECT_TRUE(updater.UpToDate());
    EXPECT_FALSE(updater.Busy());
    EXPECT_EQ(todayLabels(),
              (std::vector<std::string>{"05:41", "05:51", "07:06", "13:06", "16:29", "19:11", "20:25"}));
    EXPECT_EQ(log, (std::vector<std::string>{"2026-12-05 14:03:09 - Update #1 success - 31 days downloaded"}));
    EXPECT_FALSE(std::filesystem::exists(temporaryPathFor(folder.databaseFile())));
    updater.tick(); // up to date: the timer stays idle
    EXPECT_EQ(http.requests.size(), 1u);

    // A forced download starts afresh; its failure keeps the month.
    statuses.clear();
    ASSERT_TRUE(updater.ForceDownload());
    EXPECT_EQ(statuses.front(), "FORCE UPDATE - Muat turun semula...");
    EXPECT_FALSE(updater.UpToDate());
    ASSERT_TRUE(http.fail(HttpResponse::Error::Tls, "The host name did not match any of the valid hosts"));
    EXPECT_FALSE(updater.Busy());
    EXPECT_EQ(database(), testData("dbsolat_2026-12.expected"));
}

// Every kind of failed download keeps the previous database, and the timer retries until one succeeds.
TEST_F(UpdaterTest, FailedDownloadsKeepThePreviousDatabaseAndTheTimerRetries) {
    std::string huge = testData("month_2026-12.json");
    huge.resize(1024 * 1024 + 1, ' ');
    struct Row {
        int status; // 0: a transport error
        HttpResponse::Error error;
        std::string body, status_text;
        bool failWrite = false;
    };
    using E = HttpResponse::Error;
    const Row rows[] = {
        {404, E::None, "not here", "Gagal muat turun! HTTP: 404"},
        {0, E::Network, "Connection refused", "ERROR: Connection refused"},
        {0, E::Timeout, "The operation timed out", "ERROR: The operation timed out"},
        {0, E::Tls, "The host name did not match", "ERROR: The host name did not match"},
        {200, E::None, testData("error_page.html"), "Gagal muat turun! Tiada data untuk Disember 2026"},
        {200, E::None, "", "Gagal muat turun! Tiada data untuk Disember 2026"},
        {200, E::None, R"({"2026-12-01": {"Imsak": ":30"}})", "ERROR: Invalid Imsak time \":30\" on 2026-12-01"},
        {200, E::None, huge, "ERROR: The reply is larger than 1048576 bytes"},
        {0, E::TooLarge, "The reply is larger than 1048576 bytes",
         "ERROR: The reply is larger than 1048576 bytes"},
        {200, E::None, testData("month_2026-12.json"), "ERROR: Cannot write ", true},
    };
    writeBytes(folder.databaseFile(), kOldDatabase);
    updater.load();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        SCOPED_TRACE(r.status_text);
        if (i > 0) {
            statuses.clear();
            updater.tick();
            EXPECT_EQ(statuses.front(), "DATABASE LAPUK! Auto muat turun semula...");
        }
        if (r.failWrite)
            AtomicFileTestHooks::failReplace = [](const std::filesystem::path&) { return true; };
        ASSERT_TRUE(r.status ? http.reply(r.status, r.body) : http.fail(r.error, r.body));
        AtomicFileTestHooks::failReplace = nullptr;
        EXPECT_EQ(updater.statusText().substr(0, r.status_text.size()), r.status_text);
        EXPECT_EQ(updater.statusColour(), StatusColour::Red);
        EXPECT_EQ(database(), kOldDatabase);
        EXPECT_FALSE(updater.UpToDate());
        EXPECT_FALSE(updater.Busy());
        if (i == 0) {
            EXPECT_EQ(log.back(), "2026-12-05 14:03:09 - Download failed - HTTP 404");
        } else if (i == 1) {
            EXPECT_EQ(updater.timerText(), "") << "an error leaves the timer line alone";
        }
    }
    clock.set(2026, 12, 5, 14, 3, 54);
    updater.tick();
    ASSERT_TRUE(http.reply(200, testData("month_2026-12.json")));
    expectStatus("Update #11 BERJAYA! - 31 hari", StatusColour::Green);
    EXPECT_EQ(updater.timerText(), "Last auto-update: 05/12/2026 14:03:54 | Count: 11");
    EXPECT_TRUE(updater.UpToDate());
}

TEST_F(UpdaterTest, UnloadDropsTheDownloadAndOnlyOneRunsWhoeverAsksForIt) {
    writeBytes(folder.databaseFile(), "CACHE_MONTH=122026\r\n"); // every load refetches a file with a month line
    updater.load();
    EXPECT_EQ(statuses.front(), "DATABASE LAPUK! Muat turun semula...");
    updater.unload();
    EXPECT_EQ(http.cancelled, 1);
    EXPECT_FALSE(updater.Busy());
    updater.load();
    EXPECT_EQ(updater.UpdateCount(), 1);

    updater.tick();
    EXPECT_FALSE(updater.ForceDownload());
    ASSERT_TRUE(http.reply(500, ""));
    updater.tick(); // starts the timer's download
    EXPECT_FALSE(updater.ForceDownload());
    updater.tick();
    EXPECT_EQ(http.requests.size(), 3u);
    EXPECT_EQ(http.pendingCount(), 1u);
}

TEST_F(UpdaterTest, PartialMonthIsWrittenAndTodayMissingEmptiesTheLabels) {
    clock.set(2026, 12, 12, 8, 0, 0);
    updater.load();
    ASSERT_TRUE(http.reply(200, testData("month_2026-12_cutoff.json")));
    expectStatus("Update #1 BERJAYA! - 31 hari", StatusColour::Green); // the month's length, not the blocks
    EXPECT_EQ(todayLabels(), std::vector<std::string>(7));
    EXPECT_EQ(database().find("[12122026]"), std::string::npos);
    EXPECT_NE(database().find("UPDATE_DATE=12122026 08:00:00"), std::string::npos);
}

TEST_F(UpdaterTest, AReplyArrivingNextMonthStaysInItsMonthAndTheNewMonthIsFetchedNext) {
    clock.set(2026, 12, 31, 23, 59, 50);
    updater.load();
    clock.set(2027, 1, 1, 0, 0, 10);
    ASSERT_TRUE(http.reply(200, testData("month_2026-12.json")));
    EXPECT_NE(database().find("CACHE_MONTH=122026"), std::string::npos);
    updater.tick();
    EXPECT_EQ(statuses.back(), "Muat turun data Januari 2027...");
    EXPECT_EQ(http.requests.back().url, "https://data.example.test/data/2027-01.json");
    ASSERT_TRUE(http.reply(200, R"({"2027-01-01": {"Imsak": "5:55"}})"));
    EXPECT_TRUE(updater.UpToDate());
    EXPECT_NE(database().find("CACHE_MONTH=012027"), std::string::npos);
    EXPECT_EQ(updater.todayText(Prayer::Imsak), "05:55");
}

TEST_F(UpdaterTest, TimerCheckOfAFileWithoutMonthLineIsUpToDate) {
    writeBytes(folder.databaseFile(), "[05122026]\r\nImsak=05:41\r\n");
    updater.load();
    ASSERT_TRUE(http.fail(HttpResponse::Error::Network, "Host data.example.test not found"));
    clock.set(2026, 12, 5, 14, 3, 24);
    updater.tick();
    expectStatus("Status: OK - Last update: 14:03:24", StatusColour::Green);
    EXPECT_TRUE(updater.UpToDate());
    EXPECT_EQ(updater.timerText(), "Last auto-update: 05/12/2026 14:03:24 | Count: 1");
    EXPECT_EQ(http.requests.size(), 1u);
}

TEST_F(UpdaterTest, ServerAddressProblemsAreReportedWithoutARequest) {
    writeBytes(folder.settingsFile(), "[SERVER]\r\nDATA_HOST=evil.test/x?y=\r\n");
    updater.load();
    expectStatus("ERROR: The prayer-times data server address \"evil.test/x?y=\" is not valid", StatusColour::Red);
    EXPECT_FALSE(updater.Busy());
    EXPECT_TRUE(http.requests.empty());

    writeBytes(folder.settingsFile(), "[SERVER]\r\nDATA_HOST=\r\n");
    if (std::string(app::kDefaultDataHost).empty()) {
        updater.tick();
        expectStatus("ERROR: No prayer-times data server is set (DATA_HOST in section [SERVER] of setting.ini)",
                     StatusColour::Red);
        EXPECT_TRUE(http.requests.empty());
        EXPECT_EQ(readBytes(folder.settingsFile()), "[SERVER]\r\nDATA_HOST=\r\n"); // reading never writes
    }

    writeBytes(folder.settingsFile(), "[server]\r\ndata_host = 127.0.0.1:8443 \r\n");
    updater.tick();
    ASSERT_EQ(http.requests.size(), 1u);
    EXPECT_EQ(http.requests[0].url, "https://127.0.0.1:8443/data/2026-12.json");
}

TEST(DataHost, AcceptsHostsAndPortsOnly) {
    for (const char* ok : {"example.com", "127.0.0.1:8443", "[::1]:443", "[::1]", "data-1.example.my"})
        EXPECT_TRUE(isValidDataHost(ok)) << ok;
    for (const char* bad : {"", "a b", "host/path", "host:0", "host:65536", "host:", "user@host", "[::1", "[]",
                            "host:12ab", "https://host", "host?q"})
        EXPECT_FALSE(isValidDataHost(bad)) << bad;
}

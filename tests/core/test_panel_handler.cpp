// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/IniFile.h"
#include "core/panel/PanelHandler.h"
#include "core/panel/PanelSettings.h"
#include "core/panel/PanelStatus.h"
#include "core/settingsmodel/SettingsModel.h"
#include "fakes/PanelRig.h"
#include "fakes/TempDir.h"
#include "fakes/TestDatabase.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace tavrola;
using namespace tavrola::panel;
using tavrola::fakes::readBytes;
using tavrola::fakes::writeBytes;
using Json = nlohmann::json;
using tavrola::fakes::kPin;
using tavrola::fakes::PanelRig;
using tavrola::fakes::v4;

TEST(PanelHandler, RequestsAreScreenedByAddressBodyAndPathBeforeAnyRoute) {
    PanelRig rig;
    EXPECT_EQ(rig.send("GET", "/", {}, {}, {}, v4(8, 8, 8, 8)).status, 403);
    EXPECT_EQ(rig.send("GET", "/", {}, {}, {}, v4(100, 64, 0, 1)).status, 403);
    EXPECT_EQ(rig.send("GET", "/").status, 200);

    // The size is refused from the header alone, before anything is read.
    RequestHead head;
    head.method = "PUT";
    head.path = "/api/settings";
    head.address = v4(10, 0, 0, 2);
    head.contentLength = kJsonBodyLimit;
    EXPECT_FALSE(rig.handler->screen(head));
    head.contentLength = std::uint64_t(100) * 1024 * 1024;
    EXPECT_EQ(rig.handler->screen(head)->status, 413);
    head.contentLength.reset();
    head.transformedBody = true; // chunked or compressed: its size in memory is unknown
    EXPECT_EQ(rig.handler->screen(head)->status, 415);
    EXPECT_EQ(rig.send("GET", "/", "x").status, 413);

    // No path reaches the file system: only the page's own files answer.
    for (const char* path : {"/../setting.ini", "/%2e%2e/setting.ini", "/./", "/setting.ini", "//", "/api/"})
        EXPECT_EQ(rig.send("GET", path).status, 404) << path;
    EXPECT_EQ(rig.send("POST", "/").status, 405);
    EXPECT_EQ(rig.send("DELETE", "/api/settings").header("Allow"), "GET, PUT");
    EXPECT_EQ(rig.send("GET", "/api/login").status, 405);

    for (const char* path : {"/", "/panel.js", "/nothing", "/api/status", "/api/login"}) {
        const Response r = rig.send("GET", path);
        EXPECT_EQ(r.header("Content-Security-Policy"), "default-src 'self'; frame-ancestors 'none'") << path;
        EXPECT_EQ(r.header("X-Content-Type-Options"), "nosniff") << path;
        EXPECT_EQ(r.header("Referrer-Policy"), "no-referrer") << path;
        EXPECT_EQ(r.header("Cache-Control"), std::string_view(path).starts_with("/api/") ? "no-store" : "")
            << path;
    }
}

TEST(PanelHandler, WrongPinsLockOneAddressThenEveryoneForTenMinutes) {
    PanelRig rig;
    const auto a = v4(192, 168, 1, 20), b = v4(192, 168, 1, 21);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(rig.login("111111", a).status, 401);
    EXPECT_EQ(rig.login(kPin, a).status, 429); // locked, right PIN or not
    EXPECT_EQ(rig.login(kPin, b).status, 200);
    rig.now += LoginGuard::kWindow;
    EXPECT_EQ(rig.login(kPin, a).status, 200);

    // Twenty wrong PINs from many addresses lock every address out.
    for (std::uint8_t i = 0; i < 20; ++i)
        EXPECT_EQ(rig.login("999999", v4(10, 0, 1, i)).status, 401);
    EXPECT_EQ(rig.login(kPin, v4(10, 9, 9, 9)).status, 429);
    rig.now += LoginGuard::kWindow;
    EXPECT_EQ(rig.login(kPin, v4(10, 9, 9, 9)).status, 200);

    EXPECT_EQ(rig.send("POST", "/api/login", "{\"pin\":246810}").status, 400);
    EXPECT_EQ(rig.send("POST", "/api/login", "not json").status, 400);
}

TEST(PanelHandler, WithoutAPinNobodySignsIn) {
    PanelRig rig(false);
    EXPECT_EQ(rig.login(kPin).status, 401);
    EXPECT_EQ(rig.login("").status, 401);
}

TEST(PanelHandler, ASessionCookieIsHttpOnlyStrictAndLastsThirtyDaysFromLastUse) {
    PanelRig rig;
    const Response r = rig.login(kPin);
    ASSERT_EQ(r.status, 200);
    const std::string cookie = r.header("Set-Cookie");
    const std::string token = sessionToken(cookie);
    EXPECT_EQ(token.size(), 64u);
    for (const char* flag : {"; HttpOnly", "; SameSite=Strict", "; Path=/", "; Max-Age=2592000"})
        EXPECT_NE(cookie.find(flag), std::string::npos) << flag << " in " << cookie;
    const std::string sent = std::string(kSessionCookie) + "=" + token;

    rig.now += SessionStore::kLifetime - 1;
    EXPECT_EQ(rig.send("GET", "/api/status", {}, "x=1; " + sent).status, 200);
    rig.now += SessionStore::kLifetime - 1;
    EXPECT_EQ(rig.send("GET", "/api/status", {}, sent).status, 200);
    rig.now += SessionStore::kLifetime;
    EXPECT_EQ(rig.send("GET", "/api/status", {}, sent).status, 401);

    const auto [again, csrf] = rig.signIn();
    EXPECT_EQ(rig.send("POST", "/api/logout", {}, again).header("Set-Cookie").find("Max-Age=0;") !=
                  std::string::npos,
              true);
    EXPECT_EQ(rig.send("GET", "/api/session", {}, again).status, 401);
}

TEST(PanelHandler, ChangesNeedTheSessionAndItsCsrfTokenAndAreWrittenOnceWithABackup) {
    PanelRig rig;
    const std::string body = R"({"IQAMAH":{"ZOHOR":"10","PESAN":"Matikan telefon"},"solat":{"zohor":"15"}})";
    EXPECT_EQ(rig.send("PUT", "/api/settings", body).status, 401);
    EXPECT_EQ(rig.send("GET", "/api/settings").status, 401);
    const auto [cookie, csrf] = rig.signIn();
    EXPECT_EQ(rig.send("PUT", "/api/settings", body, cookie).status, 403);
    EXPECT_EQ(rig.send("PUT", "/api/settings", body, cookie, csrf + "0").status, 403);
    EXPECT_EQ(Json::parse(rig.send("GET", "/api/session", {}, cookie).body)["csrf"], csrf);
    EXPECT_EQ(rig.backups, 0);

    const Response r = rig.send("PUT", "/api/settings", body, cookie, csrf);
    ASSERT_EQ(r.status, 200) << r.body;
    EXPECT_EQ(rig.backups, 1);
    const Json values = Json::parse(r.body);
    EXPECT_EQ(values["IQAMAH"]["ZOHOR"], "10");
    EXPECT_EQ(values["SOLAT"]["ZOHOR"], "15");
    EXPECT_FALSE(values.contains("PANEL"));
    EXPECT_EQ(GetFromINI("IQAMAH", "PESAN", "", rig.settings()), "Matikan telefon");

    const std::string log = readBytes(rig.dir / "log/panel.log");
    const std::string prefix = "2026-05-01 13:10:00 192.168.1.20 " + sessionToken(cookie).substr(0, 6) + " ";
    EXPECT_NE(log.find(prefix + "[IQAMAH] ZOHOR: \"5\" -> \"10\"\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find(prefix + "[SOLAT] ZOHOR: \"\" -> \"15\"\r\n"), std::string::npos) << log;

    // The same values again change nothing: no backup, no log line.
    EXPECT_EQ(rig.send("PUT", "/api/settings", body, cookie, csrf).status, 200);
    EXPECT_EQ(rig.backups, 1);
    EXPECT_EQ(readBytes(rig.dir / "log/panel.log"), log);

    rig.handler->signOutAll();
    EXPECT_EQ(rig.send("GET", "/api/settings", {}, cookie).status, 401);
}

TEST(PanelHandler, AnyRefusedValueLeavesSettingIniByteIdentical) {
    PanelRig rig;
    const auto [cookie, csrf] = rig.signIn();
    const std::string before = readBytes(rig.settings());
    const auto put = [&](const std::string& body) { return rig.send("PUT", "/api/settings", body, cookie, csrf); };

    Response r = put(R"({"IQAMAH":{"ZOHOR":"10","ASAR":"61","SUBUH":7},"PANEL":{"AKTIF":"OFF"},"X":{"Y":"1"}})");
    ASSERT_EQ(r.status, 422);
    const Json refused = Json::parse(r.body)["refused"];
    EXPECT_EQ(refused["IQAMAH"]["ASAR"], "mesti nombor bulat 0 hingga 60");
    EXPECT_EQ(refused["IQAMAH"]["SUBUH"], "mesti teks");
    EXPECT_EQ(refused["PANEL"]["AKTIF"], "tidak boleh diubah dari telefon");
    EXPECT_EQ(refused["X"]["Y"], "tiada tetapan ini");
    EXPECT_FALSE(refused["IQAMAH"].contains("ZOHOR"));

    EXPECT_EQ(put(R"({"IQAMAH":{"PESAN":"a\r\n[PANEL]\r\nAKTIF=OFF"}})").status, 422);
    EXPECT_EQ(put(R"({"IQAMAH":"10"})").status, 422);
    EXPECT_EQ(put("[1,2]").status, 400);
    EXPECT_EQ(put("{\"IQAMAH\":{\"ZOHOR\":\"10\"}").status, 400);
    EXPECT_EQ(put(std::string(30000, '[') + std::string(30000, ']')).status, 400);
    EXPECT_EQ(readBytes(rig.settings()), before);
    EXPECT_EQ(rig.backups, 0);
    EXPECT_FALSE(std::filesystem::exists(rig.dir / "log/panel.log"));
}

TEST(PanelHandler, ThePhoneSeesExactlyItsOwnSettings) {
    PanelRig rig;
    const auto [cookie, csrf] = rig.signIn();
    const Json values = Json::parse(rig.send("GET", "/api/settings", {}, cookie).body);
    std::size_t count = 0;
    for (const auto& [section, keys] : values.items())
        count += keys.size();
    std::size_t phone = 0;
    for (const SettingSpec& s : editableSettings())
        phone += s.phone;
    EXPECT_EQ(count, phone);
    EXPECT_FALSE(values.contains("PANEL"));
    EXPECT_EQ(values["IQAMAH"]["PESAN"], "Luruskan saf");
    EXPECT_EQ(values["LOKASI"]["ZON"], "");
}

TEST(PanelStatus, ShowsTodayTheNextPrayerAndTheIqamahCountdown) {
    fakes::TempDir dir;
    const auto ini = dir / "setting.ini";
    const auto db = dir / "dbase/dbsolat.dat";
    writeBytes(ini, "[IQAMAH]\r\nZOHOR=10\r\n[LOKASI]\r\nZON=SGR01\r\n");
    ASSERT_TRUE(fakes::writeDatabase(db, fakes::monthText({2026, 5, 1})));
    // Zohor at 13:05 (a Friday would be Jumaat: 6 May 2026 is a Wednesday).
    const Json s = Json::parse(statusJson({{2026, 5, 6}, 13, 10, 0, 0}, 3725, ini, db));
    EXPECT_EQ(s["date"], "2026-05-06");
    EXPECT_EQ(s["time"], "13:10:00");
    EXPECT_EQ(s["times"]["Zohor"], "13:05");
    EXPECT_EQ(s["times"].size(), 8u);
    EXPECT_EQ(s["next"]["prayer"], "Asar");
    EXPECT_EQ(s["next"]["countdown"], "03:15:00");
    EXPECT_EQ(s["congregation"]["screen"], "IQAMAH");
    EXPECT_EQ(s["congregation"]["countdown"], "05:00");
    EXPECT_EQ(s["place"]["zone"], "SGR01");
    EXPECT_EQ(s["lastUpdate"], databaseHeaderValue(db, prayerdb::kLastUpdate));
    EXPECT_FALSE(s["lastUpdate"].get<std::string>().empty());
    EXPECT_EQ(s["uptime"], "01:02:05");
}

TEST(PanelSettings, ThePageIsOffUnlessSwitchedOnAndAnUnusablePortIs8080) {
    fakes::TempDir dir;
    const auto ini = dir / "setting.ini";
    EXPECT_EQ(readPanelConfig(ini), PanelConfig{});
    writeBytes(ini, "[PANEL]\r\nAKTIF= on \r\nPORT=80\r\n");
    EXPECT_EQ(readPanelConfig(ini), (PanelConfig{true, 8080, ""}));
    writeBytes(ini, "[PANEL]\r\nAKTIF=YA\r\nPORT=65535\r\n");
    EXPECT_EQ(readPanelConfig(ini), (PanelConfig{false, 65535, ""}));
    EXPECT_FALSE(std::filesystem::exists(dir / "setting.ini.tmp"));
}

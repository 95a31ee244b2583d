// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/IniFile.h"
#include "fakes/PanelRig.h"

#include <gtest/gtest.h>

using namespace tavrola;
using namespace tavrola::fakes;
using tavrola::fakes::readBytes;
using tavrola::fakes::writeBytes;

namespace {

const std::string kPng = std::string("\x89PNG\r\n\x1a\n", 8) + "pixels";

std::string list(PanelRig& rig, const std::pair<std::string, std::string>& who) {
    return rig.send("GET", "/api/announcements", {}, who.first).body;
}

} // namespace

TEST(PanelAnnouncements, AreListedAddedChangedMovedAndDeletedOnTheVersionTheyWereMadeOn) {
    PanelRig rig;
    const auto who = rig.signIn();
    const auto& [cookie, csrf] = who;
    EXPECT_EQ(rig.send("GET", "/api/announcements").status, 401);
    EXPECT_EQ(rig.send("POST", "/api/announcements", R"({"tajuk":"x"})", cookie).status, 403);

    const Response added =
        rig.send("POST", "/api/announcements",
                 R"({"tajuk":"Kuliah Maghrib","teks":"Ustaz Ali\nmalam ini","saat":"15"})", cookie, csrf);
    ASSERT_EQ(added.status, 201) << added.body;
    EXPECT_NE(readBytes(rig.announcements() / "senarai.ini").find("TEKS=Ustaz Ali\\nmalam ini"),
              std::string::npos);
    rig.query = {{"mula", "2026-05-01"}, {"tamat", "2026-05-31"}};
    ASSERT_EQ(rig.send("POST", "/api/announcements/gambar", kPng, cookie, csrf).status, 201);
    Json now = Json::parse(list(rig, who));
    ASSERT_EQ(now["senarai"].size(), 2u);
    EXPECT_EQ(now["senarai"][0]["teks"], "Ustaz Ali\nmalam ini");
    EXPECT_EQ(now["senarai"][0]["saat"], 15);
    EXPECT_EQ(now["senarai"][1]["jenis"], "GAMBAR");
    EXPECT_EQ(now["senarai"][1]["tamat"], "2026-05-31");
    const std::string picture = now["senarai"][1]["fail"];
    const Response shown = rig.send("GET", "/api/announcements/2/gambar", {}, cookie);
    EXPECT_EQ(shown.contentType, "image/png");
    EXPECT_EQ(shown.body, kPng);

    // A change names the list it was made on; without it, or on an older list, nothing changes.
    const std::string before = readBytes(rig.announcements() / "senarai.ini");
    EXPECT_EQ(rig.send("POST", "/api/announcements/2/naik", {}, cookie, csrf).status, 428);
    rig.ifMatch = "\"1-2\"";
    const Response stale = rig.send("DELETE", "/api/announcements/1", {}, cookie, csrf);
    EXPECT_EQ(stale.status, 412);
    EXPECT_EQ(Json::parse(stale.body)["versi"], now["versi"]); // the page gets the list as it is
    EXPECT_EQ(readBytes(rig.announcements() / "senarai.ini"), before);

    rig.ifMatch = now["versi"];
    ASSERT_EQ(rig.send("POST", "/api/announcements/2/naik", {}, cookie, csrf).status, 200);
    now = Json::parse(list(rig, who));
    EXPECT_EQ(now["senarai"][0]["fail"], picture);
    rig.ifMatch = now["versi"];
    EXPECT_EQ(rig.send("PUT", "/api/announcements/1", R"({"saat":200})", cookie, csrf).status, 422);
    rig.ifMatch = now["versi"];
    ASSERT_EQ(rig.send("PUT", "/api/announcements/1", R"({"saat":30,"tamat":""})", cookie, csrf).status, 200);
    now = Json::parse(list(rig, who));
    EXPECT_EQ(now["senarai"][0]["saat"], 30);
    EXPECT_EQ(now["senarai"][0]["mula"], "2026-05-01");
    rig.ifMatch = now["versi"];
    ASSERT_EQ(rig.send("DELETE", "/api/announcements/1", {}, cookie, csrf).status, 200);
    EXPECT_FALSE(std::filesystem::exists(rig.announcements() / picture));
    EXPECT_EQ(rig.send("PUT", "/api/announcements/2", "{}", cookie, csrf).status, 404);
    EXPECT_EQ(rig.send("GET", "/api/announcements/1/salin", {}, cookie).status, 404);
    EXPECT_EQ(rig.send("PATCH", "/api/announcements/1", {}, cookie, csrf).header("Allow"), "PUT, DELETE");

    const std::string log = readBytes(rig.dir / "log/panel.log");
    for (const std::string& line : std::vector<std::string>{
             "pengumuman [1] ditambah: TEKS", "pengumuman [2] ditambah: GAMBAR " + picture,
             "pengumuman [2] dialih ke [1]", "pengumuman [1] diubah", "pengumuman [1] dipadam: GAMBAR " + picture})
        EXPECT_NE(log.find(line), std::string::npos) << line;
}

TEST(PanelAnnouncements, APictureIsScreenedBeforeItIsDecodedAndOnlyTheFoldersOwnFilesAreServed) {
    PanelRig rig;
    const auto [cookie, csrf] = rig.signIn();
    // Only the picture's route takes a picture's size; the size is refused from the header alone.
    RequestHead head;
    head.method = "POST";
    head.address = v4(192, 168, 1, 20);
    head.path = "/api/announcements/gambar";
    head.contentLength = kPictureBodyLimit;
    EXPECT_EQ(rig.handler->screen(head)->status, 401); // only a signed-in phone sends a picture's size
    head.cookie = cookie;
    EXPECT_EQ(rig.handler->screen(head)->status, 403);
    head.csrfToken = csrf;
    EXPECT_FALSE(rig.handler->screen(head));
    head.contentLength = kPictureBodyLimit + 1;
    EXPECT_EQ(rig.handler->screen(head)->status, 413);
    head.path = "/api/announcements";
    head.contentLength = kJsonBodyLimit + 1;
    EXPECT_EQ(rig.handler->screen(head)->status, 413);

    // Fields that cannot be read, and a body that is no picture, leave the list as it was.
    rig.query = {{"saat", "lama"}};
    EXPECT_EQ(rig.send("POST", "/api/announcements/gambar", kPng, cookie, csrf).status, 422);
    rig.query = {{"fail", "../setting.ini"}};
    EXPECT_EQ(rig.send("POST", "/api/announcements/gambar", kPng, cookie, csrf).status, 422);
    EXPECT_EQ(rig.pictures, 0);
    EXPECT_EQ(rig.send("POST", "/api/announcements/gambar", "<svg/>", cookie, csrf).status, 422);
    EXPECT_EQ(rig.send("POST", "/api/announcements/gambar", {}, cookie, csrf).status, 400);
    EXPECT_FALSE(std::filesystem::exists(rig.announcements() / "senarai.ini"));

    // A list edited by hand may name anything: nothing outside the folder, and no link, is served.
    std::filesystem::create_directories(rig.announcements());
    std::filesystem::create_symlink(rig.settings(), rig.announcements() / "link.png");
    writeBytes(
        rig.announcements() / "senarai.ini",
        "[1]\nJENIS=GAMBAR\nFAIL=../setting.ini\n[2]\nJENIS=GAMBAR\nFAIL=link.png\n[3]\nJENIS=TEKS\nTAJUK=a\n");
    for (const char* path :
         {"/api/announcements/1/gambar", "/api/announcements/2/gambar", "/api/announcements/3/gambar",
          "/api/announcements/0/gambar", "/api/announcements/99999999999999999999/gambar"})
        EXPECT_EQ(rig.send("GET", path, {}, cookie).status, 404) << path;
    const Json listed = Json::parse(rig.send("GET", "/api/announcements", {}, cookie).body);
    EXPECT_NE(listed["senarai"][0]["masalah"], ""); // the clock skips it, and the page says why
}

TEST(PanelAnnouncements, TheFuneralNoticeIsSetAndClearedThroughTheSettingsRules) {
    PanelRig rig;
    const auto [cookie, csrf] = rig.signIn();
    const Response set = rig.send(
        "PUT", "/api/funeral",
        R"({"nama":"Haji Ahmad bin Ali","solat":"selepas solat Zohor","tamat":"2026-05-01 14:30"})", cookie, csrf);
    ASSERT_EQ(set.status, 200) << set.body;
    EXPECT_EQ(GetFromINI("JENAZAH", "NAMA", "", rig.settings()), "Haji Ahmad bin Ali");
    EXPECT_EQ(Json::parse(rig.send("GET", "/api/funeral", {}, cookie).body)["tamat"], "2026-05-01 14:30");

    const std::string before = readBytes(rig.settings());
    for (const char* body : {R"({"tamat":"esok"})", R"({"nama":"a\nb"})", R"({"nama":1})", R"({"ZON":"SGR01"})"})
        EXPECT_EQ(rig.send("PUT", "/api/funeral", body, cookie, csrf).status, 422) << body;
    EXPECT_EQ(readBytes(rig.settings()), before);

    ASSERT_EQ(rig.send("DELETE", "/api/funeral", {}, cookie, csrf).status, 200);
    EXPECT_EQ(GetFromINI("JENAZAH", "NAMA", "", rig.settings()), "");
    EXPECT_NE(readBytes(rig.dir / "log/panel.log").find("[JENAZAH] NAMA: \"Haji Ahmad bin Ali\" -> \"\""),
              std::string::npos);
}

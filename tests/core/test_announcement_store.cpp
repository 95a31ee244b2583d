// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/announce/AnnouncementStore.h"
#include "core/files/AtomicFile.h"
#include "fakes/TempDir.h"
#include "fakes/TestDatabase.h"

#include <gtest/gtest.h>

using namespace tavrola;
namespace fs = std::filesystem;

namespace {

AnnouncementFields text(std::string title, std::string body, int seconds = 10) {
    AnnouncementFields f;
    f.title = std::move(title);
    f.text = std::move(body);
    f.seconds = seconds;
    return f;
}

AnnouncementFields picture(std::string file) {
    AnnouncementFields f;
    f.kind = Announcement::Kind::Picture;
    f.file = std::move(file);
    return f;
}

void touch(const fs::path& file) {
    ASSERT_TRUE(fakes::writeDatabase(file, "x"));
}

} // namespace

TEST(AnnouncementStore, WritesTheListInShowingOrderAsTheClockReadsIt) {
    fakes::TempDir dir;
    const fs::path folder = dir / "pengumuman";
    AnnouncementStore store(folder);
    EXPECT_EQ(store.load(), "");
    EXPECT_TRUE(store.entries().empty());
    EXPECT_FALSE(fs::exists(folder)); // made only when the first one is added

    AnnouncementFields talk = text(" Kuliah Maghrib ", "Ustaz Ahmad\r\nSelepas Maghrib\n\tJumaat", 15);
    talk.from = "2026-12-01";
    talk.until = "2026-12-31";
    ASSERT_EQ(store.add(talk), "");
    const std::string name = store.newPictureName({{2026, 12, 7}, 14, 30, 5, 0}, "jpeg");
    EXPECT_EQ(name, "gambar-20261207-143005-1.jpg");
    touch(folder / name);
    ASSERT_EQ(store.add(picture(name)), "");
    EXPECT_EQ(store.newPictureName({{2026, 12, 7}, 14, 30, 5, 0}, "png"), "gambar-20261207-143005-1.png");
    EXPECT_EQ(store.newPictureName({{2026, 12, 7}, 14, 30, 5, 0}, "jpg"), "gambar-20261207-143005-2.jpg");
    ASSERT_EQ(store.move(1, -1), "");

    const std::string written = fakes::readBytes(folder / "senarai.ini");
    EXPECT_EQ(written,
              "[1]\r\nJENIS=GAMBAR\r\nFAIL=gambar-20261207-143005-1.jpg\r\nSAAT=10\r\n"
              "[2]\r\nJENIS=TEKS\r\nTAJUK=Kuliah Maghrib\r\nTEKS=Ustaz Ahmad\\nSelepas Maghrib\\n Jumaat\r\n"
              "MULA=2026-12-01\r\nTAMAT=2026-12-31\r\nSAAT=15\r\n");
    const AnnouncementList read = parseAnnouncements(written);
    ASSERT_EQ(read.items.size(), 2u);
    EXPECT_TRUE(read.skipped.empty());
    EXPECT_EQ(read.items[1].text, "Ustaz Ahmad\nSelepas Maghrib\n Jumaat");
    EXPECT_EQ(store.entries()[1].shown, read.items[1]);

    // A file edited by hand: gaps in the numbers, keys of a later version, a note, a broken entry.
    // The order and every byte of meaning survive a change; the numbers close up.
    ASSERT_TRUE(fakes::writeDatabase(folder / "senarai.ini",
                                     "[catatan]\nOleh=AJK\n[7]\njenis=teks\nteks=Tujuh\nWARNA=hijau\nteks=lain\n"
                                     "[3]\nJENIS=TEKS\nTEKS=Tiga\n[9]\nJENIS=VIDEO\n"));
    ASSERT_EQ(store.load(), "");
    ASSERT_EQ(store.entries().size(), 3u);
    EXPECT_EQ(store.entries()[2].problem, "JENIS mesti GAMBAR atau TEKS");
    AnnouncementFields seven = text("", "Tujuh", 20);
    ASSERT_EQ(store.update(1, seven), "");
    EXPECT_EQ(fakes::readBytes(folder / "senarai.ini"),
              "[1]\r\nJENIS=TEKS\r\nTEKS=Tiga\r\n[2]\r\nJENIS=TEKS\r\nTEKS=Tujuh\r\nSAAT=20\r\nWARNA=hijau\r\n"
              "[3]\r\nJENIS=VIDEO\r\n[catatan]\r\nOleh=AJK\r\n");
}

TEST(AnnouncementStore, APictureGoesWithItsLastEntry) {
    fakes::TempDir dir;
    AnnouncementStore store(dir.path());
    touch(dir / "a.png");
    touch(dir / "b.png");
    ASSERT_EQ(store.add(picture("a.png")), "");
    ASSERT_EQ(store.add(picture("a.png")), "");
    ASSERT_EQ(store.add(picture("b.png")), "");
    ASSERT_EQ(store.remove(0), "");
    EXPECT_TRUE(fs::exists(dir / "a.png")); // still named by the next one
    ASSERT_EQ(store.remove(0), "");
    EXPECT_FALSE(fs::exists(dir / "a.png"));
    // A replaced picture is removed once nothing names it.
    touch(dir / "c.png");
    ASSERT_EQ(store.update(0, picture("c.png")), "");
    EXPECT_FALSE(fs::exists(dir / "b.png"));
    EXPECT_EQ(store.entries().at(0).value("FAIL"), "c.png");
    // A failed write keeps the picture and the list.
    AtomicFileTestHooks::failReplace = [](const fs::path&) { return true; };
    EXPECT_NE(store.remove(0), "");
    AtomicFileTestHooks::failReplace = nullptr;
    EXPECT_TRUE(fs::exists(dir / "c.png"));
    EXPECT_EQ(store.entries().size(), 1u);
}

TEST(AnnouncementStore, RefusesWhatTheClockWouldSkipAndWritesNothing) {
    fakes::TempDir dir;
    AnnouncementStore store(dir.path());
    ASSERT_EQ(store.add(text("Kutipan", "")), "");
    touch(dir / "a.png");
    ASSERT_EQ(store.add(picture("a.png")), "");
    const std::string before = fakes::readBytes(dir / "senarai.ini");

    AnnouncementFields backwards = text("x", "");
    backwards.from = "2026-12-31";
    backwards.until = "2026-12-01";
    AnnouncementFields badDay = text("x", "");
    badDay.until = "2026-02-30";
    const std::pair<AnnouncementFields, std::string> refused[] = {
        {text("x", "", 2), "SAAT mesti 3 hingga 120"},
        {text("x", "", 121), "SAAT mesti 3 hingga 120"},
        {text("  ", "\r\n"), "TAJUK dan TEKS kosong"},
        {text("x", std::string("a\0b", 3)), "TEKS mengandungi aksara kawalan"},
        {text(std::string(201, 'x'), ""), "TAJUK paling panjang 200 aksara"},
        {backwards, "TAMAT sebelum MULA"},
        {badDay, "TAMAT mesti tarikh yyyy-mm-dd"},
        {picture("../setting.ini"), "FAIL mesti nama fail PNG atau JPEG dalam folder pengumuman"},
        {picture("tiada.png"), "Fail gambar tiada.png tiada dalam folder pengumuman"},
    };
    for (const auto& [fields, why] : refused)
        EXPECT_EQ(store.add(fields), why);
    EXPECT_EQ(store.update(0, picture("a.png")), "Jenis pengumuman tidak boleh ditukar");
    EXPECT_EQ(store.update(5, text("x", "")), "Tiada pengumuman nombor 6");
    EXPECT_EQ(store.move(0, -1), "Pengumuman ini sudah di hujung senarai");
    EXPECT_EQ(store.move(0, 2), "Pengumuman hanya boleh dialih satu tempat");
    EXPECT_EQ(store.remove(2), "Tiada pengumuman nombor 3");
    EXPECT_EQ(fakes::readBytes(dir / "senarai.ini"), before);

    // The clock shows a hundred; the list takes no more.
    for (int i = 2; i < 100; ++i)
        ASSERT_EQ(store.add(text(std::to_string(i), "")), "");
    EXPECT_EQ(store.add(text("101", "")), "Senarai penuh: paling banyak 100 pengumuman");
    EXPECT_EQ(parseAnnouncements(fakes::readBytes(dir / "senarai.ini")).items.size(), 100u);
}

TEST(AnnouncementStore, AChangeMadeElsewhereIsNeverOverwritten) {
    fakes::TempDir dir;
    AnnouncementStore window(dir.path());
    AnnouncementStore phone(dir.path());
    ASSERT_EQ(window.load(), "");
    ASSERT_EQ(phone.add(text("Dari telefon", "")), "");
    EXPECT_EQ(window.add(text("Dari PC", "")),
              "Senarai pengumuman telah diubah di tempat lain. Senarai dimuat semula; sila cuba lagi.");
    ASSERT_EQ(window.entries().size(), 1u); // read again: the phone's entry is shown
    ASSERT_EQ(window.add(text("Dari PC", "")), "");
    EXPECT_EQ(parseAnnouncements(fakes::readBytes(dir / "senarai.ini")).items.size(), 2u);
}

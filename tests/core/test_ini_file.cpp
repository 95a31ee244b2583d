// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/AtomicFile.h"
#include "core/files/IniFile.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace tavrola;
using fakes::readBytes;
using fakes::writeBytes;
namespace fs = std::filesystem;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    // A file as one the clock finds: written a while ago, so that defaults may be written back.
    fs::path file(const std::string& bytes) {
        writeBytes(m_path, bytes);
        fakes::settle(m_path);
        return m_path;
    }
    fakes::TempDir m_dir;
    fs::path m_path = m_dir / "setting.ini";
};

} // namespace

TEST_F(IniFileTest, ReadsKeysWhateverTheirSpacingCaseAndLineEnds) {
    const fs::path p = file("top=never\r\n[Tajuk-01]\r\n   title01  =  Masjid  Al-Amin  \r\nTSIZE=50=60\r\n"
                            "tab=\tx\t\r\nq=\"quoted\"\r\n[OTHER]\nTITLE01=other\rLAST=lone-cr");
    EXPECT_EQ(GetFromINI("TAJUK-01", "TITLE01", "", p), "Masjid  Al-Amin");
    EXPECT_EQ(GetFromINI("tajuk-01", "tsize", "", p), "50=60");
    EXPECT_EQ(GetFromINI("TAJUK-01", "tab", "", p), "\tx\t") << "only spaces are trimmed";
    EXPECT_EQ(GetFromINI("TAJUK-01", "q", "", p), "\"quoted\"");
    EXPECT_EQ(GetFromINI("OTHER", "TITLE01", "", p), "other");
    EXPECT_EQ(GetFromINI("OTHER", "LAST", "", p), "lone-cr");
    EXPECT_EQ(GetFromINI("", "top", "", p), "") << "lines above the first header belong to no section";
}

TEST_F(IniFileTest, DefaultsAreWrittenBackUnlessEmpty) {
    const fs::path p = file("[12-24HRS]\r\nSETJAM=\r\n\r\n[X]\r\n");
    EXPECT_EQ(GetFromINI("12-24HRS", "missing", "", p), "");
    EXPECT_EQ(GetFromINI("12-24HRS", "SETJAM", "", p), "");
    EXPECT_EQ(readBytes(p), "[12-24HRS]\r\nSETJAM=\r\n\r\n[X]\r\n") << "an empty default never writes";
    EXPECT_EQ(GetFromINI("12-24HRS", "SETJAM", "0", p), "0");
    EXPECT_EQ(GetFromINI("UPDATE", "AUTOCHECK", "ON", p), "ON");
    EXPECT_EQ(readBytes(p), "[12-24HRS]\r\nSETJAM=0\r\n\r\n[X]\r\n\r\n[UPDATE]\r\nAUTOCHECK=ON\r\n");

    const fs::path absent = m_dir / "dbase" / "dbsolat.dat";
    EXPECT_EQ(GetFromINI("05122026", "zohor", "", absent), "");
    EXPECT_FALSE(fs::exists(absent.parent_path()));
    const fs::path fresh = m_dir / "newfolder" / "setting.ini";
    EXPECT_EQ(GetFromINI("12-24HRS", "SETJAM", "0", fresh), "0");
    EXPECT_EQ(readBytes(fresh), "[12-24HRS]\r\nSETJAM=0\r\n");

    // A file changed a moment ago may be half-way through an edit by hand: its missing key may be in
    // the half still to come, so nothing is written back until it has been quiet a while.
    writeBytes(p, "[TAJUK-01]\r\n");
    EXPECT_EQ(GetFromINI("12-24HRS", "SETJAM", "0", p), "0");
    EXPECT_EQ(readBytes(p), "[TAJUK-01]\r\n");
}

// Several values in one replace: the same bytes as one write after another, or nothing at all.
TEST_F(IniFileTest, ABatchIsOneWriteOfAllItsValuesOrNone) {
    const std::string text = "; note\r\n[A]\r\nk=1\r\n\r\n[B]\r\nj=2\r\n";
    const std::vector<IniChange> changes = {{"B", "j", "3"}, {"C", "n", "4"}, {"a", "K", "5"}, {"C", "m", ""}};
    fs::path p = file(text);
    for (const IniChange& c : changes)
        ASSERT_TRUE(AddToINI(c.section, c.key, c.value, p));
    const std::string oneByOne = readBytes(p);
    p = file(text);
    ASSERT_TRUE(AddToINI(changes, p));
    EXPECT_EQ(readBytes(p), oneByOne);

    p = file(text);
    int replaces = 0;
    AtomicFileTestHooks::failReplace = [&](const fs::path&) { return ++replaces > 0; };
    EXPECT_FALSE(AddToINI(changes, p));
    AtomicFileTestHooks::failReplace = nullptr;
    EXPECT_EQ(replaces, 1);
    EXPECT_EQ(readBytes(p), text);
}

// Whatever stands at the temporary name (a crash's leftover, or a link planted to have us write
// elsewhere) is never written through, and the file ends up a file of its own.
TEST_F(IniFileTest, TheWriterNeverFollowsALinkAtItsTemporaryName) {
    const fs::path p = file("[A]\r\nk=1\r\n");
    const fs::path outside = m_dir / "outside.txt";
    writeBytes(outside, "someone else's");
    fs::create_symlink(outside, temporaryPathFor(p));
    ASSERT_TRUE(AddToINI("A", "k", "2", p));
    EXPECT_EQ(readBytes(outside), "someone else's");
    EXPECT_FALSE(fs::is_symlink(p));
    EXPECT_EQ(readBytes(p), "[A]\r\nk=2\r\n");
    EXPECT_FALSE(fs::exists(fs::symlink_status(temporaryPathFor(p))));
}

// Writes touch only the matching lines of the target section, byte for byte.
TEST_F(IniFileTest, WritesChangeOnlyWhatTheyMust) {
    using namespace std::string_literals;
    struct Row {
        const char *name, *section, *key, *value;
        std::string before, after;
    };
    const Row rows[] = {
        {"matching lines of the target section", "a", "KEY", "new",
         "note=kept\r\n[A]\r\n  Key = old \r\nkey=older\r\nOther = Mixed Case \r\n\r\n[B]\r\nkey=b\r\n[C]\r\nx=1",
         "note=kept\r\n[A]\r\nKEY=new\r\nKEY=new\r\nOther = Mixed Case \r\n\r\n[B]\r\nkey=b\r\n[C]\r\nx=1\r\n"},
        {"missing key after the blank line", "A", "n", "2", "[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n",
         "[A]\r\na=1\r\n\r\nn=2\r\n[B]\r\nb=1\r\n"},
        {"missing key in the last section", "B", "m", "3", "[A]\r\n[B]\r\nb=1\r\n",
         "[A]\r\n[B]\r\nb=1\r\nm=3\r\n"},
        {"missing section", "NEW", "k", "v=w", "[A]\r\na=1\r\n", "[A]\r\na=1\r\n\r\n[NEW]\r\nk=v=w\r\n"},
        {"repeated headers", "B", "e", "4", "[A]\r\na=1\r\n[B]\r\nb=1\r\n[A]\r\nc=2\r\n[B]\r\nd=3\r\n",
         "[A]\r\na=1\r\nc=2\r\n[B]\r\nb=1\r\nd=3\r\ne=4\r\n"},
        {"empty file", "S", "k", "v", "", "[S]\r\nk=v\r\n"},
        {"no final line end", "S", "j", "w", "[S]\r\nk=v", "[S]\r\nk=v\r\nj=w\r\n"},
        {"binary bytes", "A", "j", "1", "[A]\r\nk=\x01\x00\xff\r\n\x00\x00\r\n"s,
         "[A]\r\nk=\x01\x00\xff\r\n\x00\x00\r\nj=1\r\n"s},
    };
    for (const Row& r : rows) {
        const fs::path p = file(r.before);
        ASSERT_TRUE(AddToINI(r.section, r.key, r.value, p)) << r.name;
        EXPECT_EQ(readBytes(p), r.after) << r.name;
        EXPECT_EQ(GetFromINI(r.section, r.key, "", p), r.value) << r.name;
    }
    // Lines under a repeated header stay with their section, and the first match wins.
    const fs::path p = file("[A]\r\nk=1\r\nk=2\r\n[B]\r\nj=3\r\n[a]\r\nm=4\r\n");
    EXPECT_EQ(GetFromINI("A", "k", "", p), "1");
    EXPECT_EQ(GetFromINI("A", "m", "", p), "4");
    EXPECT_EQ(GetFromINI("B", "m", "", p), "");
}

TEST_F(IniFileTest, FilesThatAreNotIniGiveTheDefaultAndAreNeverChanged) {
    // A lone "[" has no section name to cut out.
    const std::string bad = "[\r\n[A]\r\nk=1\r\n";
    const fs::path p = file(bad);
    EXPECT_EQ(GetFromINI("A", "k", "dflt", p), "dflt");
    EXPECT_FALSE(AddToINI("A", "k", "2", p));
    EXPECT_EQ(readBytes(p), bad);

    // A folder where the file should be.
    const fs::path folder = m_dir / "folder.ini";
    fs::create_directory(folder);
    EXPECT_EQ(GetFromINI("A", "k", "dflt", folder), "dflt");
    EXPECT_FALSE(AddToINI("A", "k", "v", folder));
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(IniFileTest, HugeFilesAreRefusedNotRead) {
    std::string huge = "[A]\r\nk=1\r\n";
    huge.append(kMaxManagedFileBytes, 'x');
    const fs::path p = file(huge);
    EXPECT_EQ(GetFromINI("A", "k", "", p), "");
    EXPECT_FALSE(AddToINI("A", "k", "2", p));
    EXPECT_EQ(fs::file_size(p), huge.size());
}

TEST_F(IniFileTest, AFailedReplaceOrAReadOnlyFileLeavesTheOldFileExactlyAsItWas) {
    const std::string text = "[A]\r\nk=1\r\n";
    const fs::path p = file(text);
    AtomicFileTestHooks::failReplace = [](const fs::path&) { return true; };
    const bool written = AddToINI("A", "k", "2", p);
    AtomicFileTestHooks::failReplace = nullptr;
    EXPECT_FALSE(written);
    EXPECT_EQ(readBytes(p), text);
    EXPECT_FALSE(fs::exists(temporaryPathFor(p)));

    fs::permissions(p, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(AddToINI("A", "k", "2", p));
    EXPECT_EQ(GetFromINI("A", "k", "9", p), "1");
    EXPECT_EQ(readBytes(p), text);
    EXPECT_FALSE(fs::exists(temporaryPathFor(p)));
}

TEST_F(IniFileTest, LogoPathReaderStripsQuotesCutsAndNeverWrites) {
    const std::string text = "[GAMBAR]\r\nLOGO1=  \"C:\\Logo Saya\\logo.gif\" \r\nsingle='x.gif'\r\n"
                             "odd=\"x.gif\r\nlong=" +
                             std::string(800, 'a') + "\r\n";
    const fs::path p = file(text);
    EXPECT_EQ(GetFromGIFINI("gambar", "logo1", p), "C:\\Logo Saya\\logo.gif");
    EXPECT_EQ(GetFromGIFINI("GAMBAR", "single", p), "x.gif");
    EXPECT_EQ(GetFromGIFINI("GAMBAR", "odd", p), "\"x.gif");
    EXPECT_EQ(GetFromGIFINI("GAMBAR", "long", p), std::string(749, 'a'));
    EXPECT_EQ(GetFromGIFINI("GAMBAR", "missing", p), "");
    EXPECT_EQ(GetFromGIFINI("GAMBAR", "LOGO1", m_dir / "none.ini"), "");
    EXPECT_EQ(readBytes(p), text);
    EXPECT_FALSE(fs::exists(m_dir / "none.ini"));
}

TEST_F(IniFileTest, ParsedOnceAndReadAgainWhenTheFileChanges) {
    // An hour-old time stamp: the parsed file is trusted until the file's time or size changes.
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const auto write = [&](const std::string& bytes, fs::file_time_type when) {
        writeBytes(m_path, bytes);
        fs::last_write_time(m_path, when);
    };
    write("[S]\r\nk=1\r\n", old);
    EXPECT_EQ(GetFromINI("S", "k", "", m_path), "1");
    write("[S]\r\nk=2\r\n", old);
    EXPECT_EQ(GetFromINI("S", "k", "", m_path), "1") << "same time and size: not read again";
    fs::last_write_time(m_path, old + std::chrono::seconds(1));
    EXPECT_EQ(GetFromINI("S", "k", "", m_path), "2") << "a new time";
    write("[S]\r\nk=33\r\n", old + std::chrono::seconds(1));
    EXPECT_EQ(GetFromINI("S", "k", "", m_path), "33") << "a new size";
    ASSERT_TRUE(AddToINI("S", "k", "44", m_path));
    fs::last_write_time(m_path, old + std::chrono::seconds(1));
    EXPECT_EQ(GetFromINI("S", "k", "", m_path), "44") << "our own write, even with the same time and size";
    // Edited moments ago: the time stamp may not tell a second edit within its resolution.
    writeBytes(m_path, "[S]\r\nk=55\r\n");
    EXPECT_EQ(GetFromINI("S", "k", "", m_path), "55");
    writeBytes(m_path, "[S]\r\nk=66\r\n");
    EXPECT_EQ(GetFromINI("S", "k", "", m_path), "66");
}

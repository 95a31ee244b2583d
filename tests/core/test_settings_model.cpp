// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settingsmodel/SettingsModel.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

using namespace tavrola;
namespace fs = std::filesystem;

namespace {

const fs::path kFolder = "/opt/tavrola";

std::string why(std::string_view section, std::string_view key, std::string_view value,
                Editor editor = Editor::Window) {
    const SettingSpec* spec = findSetting(section, key);
    EXPECT_NE(spec, nullptr) << section << " " << key;
    return spec ? whyRefused(*spec, value, editor) : "no such setting";
}

} // namespace

TEST(SettingsModel, EachKindAcceptsItsValuesAndSaysWhyNotForOthers) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
        bool ok;
    };
    const std::string title48(48, 'x');
    const std::string title49(49, 'x');
    // 48 characters of two bytes each: characters count, not bytes.
    std::string jawi48;
    for (int i = 0; i < 48; ++i)
        jawi48 += "\xD8\xA7";
    for (const Case& c : std::initializer_list<Case>{
             {"TAJUK-01", "TITLE01", title48.c_str(), true},  {"TAJUK-01", "TITLE01", title49.c_str(), false},
             {"TAJUK-01", "TITLE01", jawi48.c_str(), true},   {"TAJUK-01", "TITLE01", "a\r\n[PANEL]", false},
             {"TAJUK-01", "TITLE02", "tab\there", false},     {"TAJUK-01", "TSIZE", "50", true},
             {"TAJUK-01", "TSIZE", "ab", false},              {"TAJUK-01", "TSIZE", "100", false},
             {"TAJUK-01", "TSIZE", "0", false},               {"TAJUK-01", "TSIZE", "", false},
             {"VSCROLL-01", "VHIGHT", "32767", true},         {"VSCROLL-01", "VHIGHT", "32768", false},
             {"HSCROLL-01", "HHIGHT", "-1", false},           {"TARIKH_HIJRAH", "MASA", "-2", true},
             {"TARIKH_HIJRAH", "MASA", "+1", true},           {"TARIKH_HIJRAH", "MASA", "", true},
             {"TARIKH_HIJRAH", "MASA", "1.5", false},         {"TARIKH_HIJRAH", "MASA", "99999999999", false},
             {"12-24HRS", "SETJAM", "1", true},               {"12-24HRS", "SETJAM", "2", false},
             {"JADUAL", "KOMPUTER_TUTUP", "2230", true},      {"JADUAL", "KOMPUTER_TUTUP", "", true},
             {"JADUAL", "KOMPUTER_TUTUP", "2460", false},     {"MALAM", "PADAM", "ISYAK+60", true},
             {"MALAM", "PADAM", "23:00", true},               {"MALAM", "HIDUP", "SUBUH-999", false},
             {"WSOLAT_JAM", "SKROL", "OFF", true},            {"WSOLAT_JAM", "SKROL", "maybe", false},
             {"LOKASI", "ZON", "SGR01", true},                {"LOKASI", "ZON", "", true},
             {"LOKASI", "ZON", "XYZ99", false},               {"LOKASI", "ZON", "sgr01", false},
             {"LOKASI", "LATITUD", "3.139", true},            {"LOKASI", "LATITUD", "91", false},
             {"LOKASI", "ZON_WAKTU", "8,0", false},           {"IQAMAH", "ZOHOR", "10", true},
             {"iqamah", "zohor", " 10 ", true},            {"IQAMAH", "ASAR", "000000010", true},               {"IQAMAH", "JUMAAT", "", true},
             {"SOLAT", "ISYAK", "61", false},                 {"SOLAT", "SUBUH", "-1", false},
             {"IQAMAH", "BUNYI", "ON", true},                 {"IQAMAH", "PESAN", "Luruskan saf", true},
             {"AZAN", "FAIL", "/home/imam/azan.mp3", true},   {"JENAZAH", "TAMAT", "2026-12-07 14:30", true},
             {"JENAZAH", "TAMAT", "esok", false}})
        EXPECT_EQ(why(c.section, c.key, c.value).empty(), c.ok) << c.section << " " << c.key << "=" << c.value;
    EXPECT_EQ(why("SOLAT", "ISYAK", "61"), "mesti nombor bulat 0 hingga 60");
    // The phone page's own settings are the PC's alone, and a PIN is only ever stored as its hash.
    for (const char* key : {"AKTIF", "PORT", "PIN_HASH"})
        EXPECT_FALSE(findSetting("PANEL", key)->phone) << key;
    EXPECT_EQ(why("PANEL", "PIN_HASH", "123456"), "bukan PIN yang disimpan dengan betul");
    EXPECT_EQ(why("PANEL", "PORT", "80"), "mesti nombor bulat 1024 hingga 65535");
}

TEST(SettingsModel, APhoneNamesOnlyFilesInsideTheProgramFolder) {
    for (const char* inside : {".\\logo\\masjid.png", "./pengumuman/1.png"})
        EXPECT_EQ(why("AZAN", "FAIL", inside, Editor::Phone), "") << inside;
    for (const char* outside : {"/etc/passwd", ".\\..\\setting.ini", "./logo/../../x", ".\\", "C:\\x.mp3"})
        EXPECT_NE(why("AZAN", "FAIL", outside, Editor::Phone), "") << outside;

    EXPECT_EQ(programRelativePath("/opt/tavrola/logo/a.png", kFolder), ".\\logo\\a.png");
    EXPECT_EQ(programRelativePath("/OPT/Tavrola/a.png", kFolder), ".\\a.png");
    EXPECT_EQ(programRelativePath("C:\\Tavrola\\logo\\l.gif", "C:\\Tavrola\\"), ".\\logo\\l.gif");
    for (const auto& [chosen, folder] : std::initializer_list<std::pair<const char*, fs::path>>{
             {"/opt/tavrola2/x.gif", kFolder},          // a longer name is another folder
             {"/opt/tavrola", kFolder},                 // the folder itself is no file
             {"/opt/tavrola/", kFolder},                // nor is the folder with its separator
             {"/opt/tavrola/../etc/passwd", kFolder},   // inside by its text, outside in fact
             {"/opt/tavrola/a\n.png", kFolder},         // no control characters
             {"/x.gif", fs::path()},                    // no folder: nothing is inside it
             {"/srv/pics/m.gif", kFolder}})
        EXPECT_EQ(programRelativePath(chosen, folder), std::nullopt) << chosen << " in " << folder;
}

TEST(SettingsModel, OneRefusedValueRefusesTheWholeSetAndUnchangedValuesPass) {
    fakes::TempDir dir;
    const fs::path ini = dir / "setting.ini";
    // An old value outside today's rules stays as long as nobody changes it.
    fakes::writeBytes(ini, "[VSCROLL-01]\r\nVHIGHT=40000\r\n[IQAMAH]\r\nZOHOR=5\r\n");

    CheckedEdits ok = checkEdits({{"vscroll-01", "vhight", "40000"}, {"iqamah", "zohor", "10"}}, Editor::Window, ini);
    ASSERT_TRUE(ok.ok());
    ASSERT_EQ(ok.changes.size(), 2u);
    EXPECT_EQ(ok.changes[1].section, "IQAMAH") << "stored under the table's own spelling";
    EXPECT_EQ(ok.changes[1].key, "ZOHOR");
    EXPECT_EQ(ok.changes[1].value, "10");

    CheckedEdits bad = checkEdits(
        {{"IQAMAH", "ZOHOR", "10"}, {"VSCROLL-01", "VHIGHT", "40001"}, {"IQAMAH", "ASAR", "x"}}, Editor::Window, ini);
    EXPECT_FALSE(bad.ok());
    EXPECT_TRUE(bad.changes.empty());
    ASSERT_EQ(bad.refused.size(), 2u);
    EXPECT_EQ(bad.refused[0].key, "VHIGHT");
    EXPECT_EQ(bad.refused[1].key, "ASAR");

    // The phone sees and edits only its own part of the table.
    for (const SettingEdit& e : {SettingEdit{"GAMBAR", "LOGO1", ".\\logo\\x.gif"}, SettingEdit{"PANEL", "AKTIF", "ON"},
                                 SettingEdit{"JADUAL", "KOMPUTER_TUTUP", "2200"}})
        EXPECT_FALSE(checkEdits({e}, Editor::Phone, ini).ok()) << e.section << " " << e.key;
    EXPECT_TRUE(checkEdits({{"IQAMAH", "ZOHOR", "10"}}, Editor::Phone, ini).ok());
    const std::vector<SettingEdit> phone = currentValues(Editor::Phone, ini);
    EXPECT_EQ(phone.size(), std::size_t(std::count_if(editableSettings().begin(), editableSettings().end(),
                                                      [](const SettingSpec& s) { return s.phone; })));
    for (const SettingEdit& e : phone)
        EXPECT_TRUE(findSetting(e.section, e.key)->phone) << e.key;
    EXPECT_EQ(fakes::readBytes(ini), "[VSCROLL-01]\r\nVHIGHT=40000\r\n[IQAMAH]\r\nZOHOR=5\r\n") << "reading writes nothing";
}

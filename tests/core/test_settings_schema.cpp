// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tavrola;
namespace fs = std::filesystem;

TEST(SettingsSchema, EveryKeyReadsBackItsValueAndAMissingOneIsAddedToItsSection) {
    const std::string& text = defaultSettingsText();
    for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
        EXPECT_EQ(text[i - 1], '\r') << "no bare line feeds";
    fakes::TempDir dir;
    const fs::path p = dir / "setting.ini";
    fakes::writeBytes(p, defaultSettingsText());
    fakes::settle(p);
    EXPECT_EQ(readSetting(settings::kTitleSize, p), "50");
    EXPECT_EQ(readSetting(settings::kPlace, p), "Nama Tempat");
    EXPECT_EQ(readSetting(settings::kLogoLeft, p), "17388");
    EXPECT_EQ(readSetting(settings::kHijriCorrection, p), "1");
    EXPECT_EQ(readSetting(settings::kShutdownTime, p), "");
    EXPECT_EQ(readSetting(settings::kScroll, p), "ON");
    EXPECT_EQ(readSetting(settings::kClockMode, p), "0");
    EXPECT_EQ(fakes::readBytes(p), defaultSettingsText()) << "reading present keys writes nothing";

    // The update section is added at the end on first read, and the last check after it.
    EXPECT_EQ(readSetting(settings::kAutoCheck, p), "ON");
    ASSERT_TRUE(writeSetting(settings::kLastCheck, "06/12/2026 19:30:00", p));
    EXPECT_EQ(fakes::readBytes(p),
              defaultSettingsText() + "\r\n[UPDATE]\r\nAUTOCHECK=ON\r\nLASTCHECK=06/12/2026 19:30:00\r\n");

    // A missing clock mode is added to its own section.
    fakes::writeBytes(p, "[12-24HRS]\r\n\r\n[TARIKH_HIJRAH]\r\nMASA=1\r\n");
    fakes::settle(p);
    EXPECT_EQ(readSetting(settings::kClockMode, p), "0");
    EXPECT_EQ(fakes::readBytes(p), "[12-24HRS]\r\n\r\nSETJAM=0\r\n[TARIKH_HIJRAH]\r\nMASA=1\r\n");
}

TEST(SettingsSchema, NumbersAreReadFromTheStartOfTheTextAndOnlyOffIsOff) {
    for (const auto& [text, number] : std::initializer_list<std::pair<const char*, double>>{{"50", 50},
                                                                                            {"  12pt", 12},
                                                                                            {"50.6", 50.6},
                                                                                            {"-5", -5},
                                                                                            {"+7x", 7},
                                                                                            {"abc", 0},
                                                                                            {"", 0},
                                                                                            {"-", 0},
                                                                                            {".5", 0.5}})
        EXPECT_EQ(leadingNumber(text), number) << text;
    // A text that ends where the number does is never read past its end (no terminator behind it).
    for (const std::vector<char>& exact : {std::vector<char>{'1', '2'}, std::vector<char>{' ', ' '}})
        EXPECT_EQ(leadingNumber(std::string_view(exact.data(), exact.size())), exact[0] == '1' ? 12 : 0);
    EXPECT_TRUE(isOff("OFF"));
    EXPECT_TRUE(isOff("oFf"));
    for (const char* on : {"", "OFF ", "NO"})
        EXPECT_FALSE(isOff(on)) << on;
    EXPECT_EQ(shutdownTimeValue("\"2200\""), "2200");
    EXPECT_EQ(shutdownTimeValue("22\"00"), "2200");
    EXPECT_EQ(shutdownTimeValue("22:00"), "22:00");
}

TEST(SettingsSchema, LogoPathsRelativeToTheProgramFolder) {
    const fs::path folder = "/opt/tavrola";
    EXPECT_EQ(resolveLogoPath(".\\logo\\logo.gif", folder), fs::path("/opt/tavrola/logo/logo.gif"));
    EXPECT_EQ(resolveLogoPath("./logo/a.gif", folder), fs::path("/opt/tavrola/logo/a.gif"));
    EXPECT_EQ(resolveLogoPath("/srv/pics/masjid.gif", folder), fs::path("/srv/pics/masjid.gif"));
    EXPECT_EQ(resolveLogoPath("", folder), fs::path());

    EXPECT_EQ(storedLogoPath("/opt/tavrola/logo/new.gif", folder), ".\\logo\\new.gif");
    EXPECT_EQ(storedLogoPath("/OPT/Tavrola/x.gif", folder), ".\\x.gif") << "folder compared without case";
    EXPECT_EQ(storedLogoPath("/opt/tavrola2/x.gif", folder), "/opt/tavrola2/x.gif");
    EXPECT_EQ(storedLogoPath("/srv/pics/m.gif", folder), "/srv/pics/m.gif");
    EXPECT_EQ(storedLogoPath("C:\\Tavrola\\logo\\l.gif", fs::path("C:\\Tavrola")), ".\\logo\\l.gif");
    // Stored and resolved again, a picture inside the folder comes back to the same file.
    EXPECT_EQ(resolveLogoPath(storedLogoPath("/opt/tavrola/logo/new.gif", folder), folder),
              fs::path("/opt/tavrola/logo/new.gif"));
}

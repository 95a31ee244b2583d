// Kills a writer at random moments and checks that every file it was writing is complete:
// exactly the old content or exactly the new one, never a mix, never empty.
#ifndef _WIN32

#include "core/config/AtomicFile.h"
#include "core/config/IniFile.h"
#include "core/config/SettingsSchema.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavrola;
namespace fs = std::filesystem;

namespace {

std::string settingsWithTitle(const std::string& title) {
    const std::string& text = defaultSettingsText();
    const std::size_t at = text.find("TITLE01=Tajuk 1") + 8;
    return text.substr(0, at) + title + text.substr(at + 7);
}

std::string database(char fill) {
    // Large enough that a write takes several system calls.
    std::string text = "[01122026]\r\n";
    for (int i = 0; i < 2000; ++i)
        text += std::string("Zohor=13:0") + fill + "\r\n";
    return text;
}

[[noreturn]] void writeForever(const fs::path& ini, const fs::path& db) {
    for (unsigned i = 0;; ++i) {
        AddToINI("TAJUK-01", "TITLE01", (i & 1) ? "Masjid A" : "Masjid B", ini);
        std::error_code ec;
        replaceFileAtomically(db, temporaryPathFor(db), database((i & 1) ? 'A' : 'B'), ec);
    }
}

} // namespace

TEST(CrashConsistency, FilesSurviveFiveHundredKillsMidWrite) {
    fakes::TempDir dir;
    const fs::path ini = dir / "setting.ini";
    const fs::path db = dir / "dbsolat.dat";
    fakes::writeBytes(ini, settingsWithTitle("Tajuk 1"));
    fakes::writeBytes(db, database('0'));
    const std::set<std::string> iniVersions = {settingsWithTitle("Tajuk 1"), settingsWithTitle("Masjid A"),
                                               settingsWithTitle("Masjid B")};
    const std::set<std::string> dbVersions = {database('0'), database('A'), database('B')};

    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> delayUs(0, 4000);
    std::set<std::string> seenIni;
    constexpr int kKills = 500;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            writeForever(ini, db);
        usleep(static_cast<useconds_t>(delayUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer must have been killed, not have stopped";

        ASSERT_TRUE(iniVersions.count(*seenIni.insert(fakes::readBytes(ini)).first))
            << "setting.ini is not a complete version after kill " << kill;
        ASSERT_TRUE(dbVersions.count(fakes::readBytes(db))) << "dbsolat.dat is torn after kill " << kill;
    }
    // The kills landed at different moments: both new versions were seen.
    EXPECT_GE(seenIni.size(), 2u);
    // A temporary file left by a kill does not stop the next write.
    ASSERT_TRUE(AddToINI("TAJUK-01", "TITLE01", "Akhir", ini));
    EXPECT_EQ(fakes::readBytes(ini), settingsWithTitle("Akhir"));
}

#endif

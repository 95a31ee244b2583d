// SPDX-License-Identifier: GPL-3.0-or-later
// Kills a writer at random points of its writes, timed by the pace it reports, and checks that every file it
// was writing is complete: exactly the old content or exactly the new one, never a mix, never empty.
#ifndef _WIN32

#include "core/files/AtomicFile.h"
#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include <csignal>
#include <poll.h>
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

// Writes both files in turn, "Masjid B" first, and reports how long each pair of writes took.
[[noreturn]] void writeForever(const fs::path& ini, const fs::path& db, int report) {
    for (unsigned i = 0;; ++i) {
        const auto began = std::chrono::steady_clock::now();
        std::error_code ec;
        const bool wrote = AddToINI("TAJUK-01", "TITLE01", (i & 1) ? "Masjid A" : "Masjid B", ini) &&
                           replaceFileAtomically(db, temporaryPathFor(db), database((i & 1) ? 'A' : 'B'), ec);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
        if (!wrote || write(report, &took, sizeof took) != sizeof took)
            _exit(1);
    }
}

} // namespace

TEST(CrashConsistency, FilesSurviveTwoHundredKillsMidWrite) {
    fakes::TempDir dir;
    const fs::path ini = dir / "setting.ini";
    const fs::path db = dir / "dbsolat.dat";
    fakes::writeBytes(ini, settingsWithTitle("Tajuk 1"));
    fakes::writeBytes(db, database('0'));
    const std::set<std::string> iniVersions = {settingsWithTitle("Tajuk 1"), settingsWithTitle("Masjid A"),
                                               settingsWithTitle("Masjid B")};
    const std::set<std::string> dbVersions = {database('0'), database('A'), database('B')};

    std::mt19937 random(20261206);
    std::uniform_real_distribution<double> share(0.0, 1.0);
    std::set<std::string> seenIni;
    for (int kill = 0; kill < 200; ++kill) {
        int report[2];
        ASSERT_EQ(pipe(report), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            writeForever(ini, db, report[1]);
        close(report[1]);
        // The first pair of writes measures the writer's pace on this machine, so a slow one only slows the
        // test; the kill lands at a random point of the next pair or so (the first is the slowest).
        pollfd first{report[0], POLLIN, 0};
        std::chrono::duration<double> took{};
        const bool reported = poll(&first, 1, 30000) == 1 && read(report[0], &took, sizeof took) == sizeof took;
        if (reported)
            std::this_thread::sleep_for(took * share(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        close(report[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer must have been killed, not have stopped";
        ASSERT_TRUE(reported) << "the writer finished no write in 30 s";
        ASSERT_TRUE(iniVersions.count(*seenIni.insert(fakes::readBytes(ini)).first))
            << "setting.ini is not a complete version after kill " << kill;
        ASSERT_TRUE(dbVersions.count(fakes::readBytes(db))) << "dbsolat.dat is torn after kill " << kill;
    }
    // The kills landed at different moments: both new versions were seen.
    EXPECT_TRUE(seenIni.count(settingsWithTitle("Masjid A")) && seenIni.count(settingsWithTitle("Masjid B")));
    // A temporary file left by a kill does not stop the next write.
    ASSERT_TRUE(AddToINI("TAJUK-01", "TITLE01", "Akhir", ini));
    EXPECT_EQ(fakes::readBytes(ini), settingsWithTitle("Akhir"));
}

#endif

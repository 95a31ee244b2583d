// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/LogFile.h"
#include "fakes/TempDir.h"

#include <gtest/gtest.h>

using namespace tavrola;
namespace fs = std::filesystem;

TEST(LogFile, TurnsOverAt256KiBKeepingOneOlderFileAndFailsQuietly) {
    fakes::TempDir dir;
    const LogFile log(dir / "log" / "tavrola.log");
    const std::string line(1022, 'x'); // 1 KiB with its CR LF
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE(log.append(line));
    EXPECT_EQ(fs::file_size(log.file()), 256u * 1024u);
    EXPECT_FALSE(fs::exists(dir / "log" / "tavrola.log.1"));
    ASSERT_TRUE(log.append("first of the new file\nwith a break"));
    EXPECT_EQ(fakes::readBytes(log.file()), "first of the new file with a break\r\n");
    EXPECT_EQ(fs::file_size(dir / "log" / "tavrola.log.1"), 256u * 1024u);
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(log.append(line));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "log"), fs::directory_iterator{}), 2);
    EXPECT_EQ(fakes::readBytes(dir / "log" / "tavrola.log.1").substr(0, 8), "first of")
        << "the older file was replaced";

    // A log that cannot be written is ignored.
    fakes::writeBytes(dir / "x", "a file where the folder should be");
    EXPECT_FALSE(LogFile(dir / "x" / "tavrola.log").append("lost"));
    EXPECT_EQ(fakes::readBytes(dir / "x"), "a file where the folder should be");

    // A link planted at the log's name is not written through.
    const LogFile linked(dir / "linked.log");
    fs::create_symlink(dir / "x", linked.file());
    ASSERT_TRUE(linked.append("mine"));
    EXPECT_EQ(fakes::readBytes(dir / "x"), "a file where the folder should be");
    EXPECT_EQ(fakes::readBytes(linked.file()), "mine\r\n");
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes/TempDir.h"
#include "gui/platform/FolderPlacement.h"
#include "support/QtTestRegistry.h"

#include <QtTest>

using namespace tavrola;

// Where the writable files go: beside a portable program, in the user's data folder when installed.
class TestFolderPlacement : public QObject {
    Q_OBJECT
private slots:
    void portableFolderKeepsEverythingBesideTheProgram() {
        fakes::TempDir program;
        const auto p = placeProgramFolder(QString::fromStdString(program.path().string()),
                                          QString::fromStdString((program / "unused").string()));
        QVERIFY(!p.installed);
        QCOMPARE(p.folder.logFolder(), program / "log");
        QVERIFY(!std::filesystem::exists(program / "unused"));
    }

    void installedCopyWritesToTheDataFolderAndKeepsTheUsersFiles() {
        fakes::TempDir program, home;
        fakes::writeBytes(program / FolderPlacement::kInstalledMarker, "installed\n");
        fakes::writeBytes(program / "setting.ini", "[SERVER]\r\nDATA_HOST=data.example\r\n");
        const QString from = QString::fromStdString(program.path().string());
        const QString to = QString::fromStdString((home / "Tavrola").string());

        const auto first = placeProgramFolder(from, to);
        QVERIFY(first.installed && first.firstStart);
        QCOMPARE(first.folder.fontsFolder(), program / "Fonts");
        QCOMPARE(first.folder.databaseFile(), home / "Tavrola" / "dbase" / "dbsolat.dat");
        QCOMPARE(fakes::readBytes(first.folder.settingsFile()),
                 std::string("[SERVER]\r\nDATA_HOST=data.example\r\n"));

        // The user's own settings survive the next start; only the first start is a first start.
        fakes::writeBytes(first.folder.settingsFile(), "mine");
        const auto second = placeProgramFolder(from, to);
        QVERIFY(second.installed && !second.firstStart);
        QCOMPARE(fakes::readBytes(second.folder.settingsFile()), std::string("mine"));
    }
};

TAVROLA_QTEST(TestFolderPlacement)
#include "tst_folder_placement.moc"

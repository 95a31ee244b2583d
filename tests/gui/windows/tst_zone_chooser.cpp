// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/IniFile.h"
#include "core/files/ProgramFolder.h"
#include "fakes/FakeDialogs.h"
#include "fakes/TempDir.h"
#include "gui/settings/ZoneChooser.h"
#include "support/QtTestRegistry.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace tavrola;

// "Jadual rasmi..." beside the zones: a table passes the clock's checks for the chosen zone before it
// is copied into dbase/rasmi/, and the label says what happened.
class TestZoneChooser : public QObject {
    Q_OBJECT
private slots:
    void officialTableIsCheckedForTheChosenZoneBeforeItIsCopied() {
        fakes::TempDir dir;
        const ProgramFolder folder(dir.path());
        QVERIFY(AddToINI("LOKASI", "ZON", "SGR01", folder.settingsFile()));
        const std::filesystem::path table(std::string(TAVROLA_TEST_DATA) + "/official/WLY01-2023.json");
        fakes::FakeDialogs dialogs;
        dialogs.nextOpenFile = table.string();
        ZoneChooser chooser;
        chooser.setDialogs(&dialogs);
        chooser.load(folder.settingsFile());
        auto* button = chooser.findChild<QPushButton*>(QStringLiteral("cmdJadualRasmi"));
        auto* result = chooser.findChild<QLabel*>(QStringLiteral("lblJadualRasmi"));
        QVERIFY(button && result);
        QCOMPARE(button->text(), QStringLiteral("Jadual rasmi..."));

        button->click(); // the zone shown is SGR01's
        QCOMPARE(dialogs.openRequests.size(), std::size_t{1});
        QCOMPARE(result->text(), QStringLiteral("Jadual rasmi tidak disalin: zon WLY01, bukan SGR01"));
        QVERIFY(!std::filesystem::exists(folder.officialTablesFolder()));

        auto* box = chooser.findChild<QComboBox*>(QStringLiteral("cboZon"));
        box->setCurrentIndex(box->findData(QStringLiteral("WLY01")));
        button->click();
        QCOMPARE(result->text(), QStringLiteral("Jadual rasmi WLY01 2023 disalin: 365 hari"));
        QVERIFY(std::filesystem::exists(folder.officialTablesFolder() / "WLY01-2023.json"));

        // Typed coordinates have no official table.
        box->setCurrentIndex(0);
        QVERIFY(!button->isEnabled());
        QVERIFY(!chooser.importOfficialTable(QString::fromStdString(table.string())));
    }
};

TAVROLA_QTEST(TestZoneChooser)
#include "tst_zone_chooser.moc"

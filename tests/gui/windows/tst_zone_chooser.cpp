#include "core/config/IniFile.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/TempDir.h"
#include "fakes/TestDatabase.h"
#include "gui/settings/FrmSetting.h"
#include "gui/settings/ZoneChooser.h"
#include "support/QtTestRegistry.h"

#include <QComboBox>
#include <QtTest>

using namespace tavrola;

// The settings window's zone chooser: zones under their states, saved to [LOKASI] ZON.
class TestZoneChooser : public QObject {
    Q_OBJECT

private slots:
    void choosingAZoneSavesItsCodeAndAnUntouchedChooserSavesNothing() {
        fakes::TempDir dir;
        const ProgramFolder folder(dir.path());
        const std::string coordinates = "[LOKASI]\r\nLATITUD=5.9804\r\nLONGITUD=116.0735\r\n";
        fakes::writeBytes(folder.settingsFile(), coordinates);
        fakes::FakeClock clock{DateTime{{2026, 12, 6}, 14, 30, 15, 0}};
        fakes::FakeDialogs dialogs;
        FrmSetting w(folder, clock, dialogs);
        QComboBox* box = w.findChild<QComboBox*>(QStringLiteral("cboZon"));
        QVERIFY(box);

        // Typed coordinates and no zone: the chooser says so, and saving leaves the section alone.
        w.Form_Load();
        QCOMPARE(w.zoneChooser->code(), QString());
        w.cmdSave_Click();
        QCOMPARE(fakes::readBytes(folder.settingsFile()).substr(0, coordinates.size()), coordinates);
        QVERIFY(fakes::readBytes(folder.settingsFile()).find("ZON=") == std::string::npos);

        // A state's heading cannot be chosen; its zones follow it with their districts.
        const int sabah = box->findText(QStringLiteral("SABAH"));
        QVERIFY(sabah > 0);
        QVERIFY(!(box->model()->flags(box->model()->index(sabah, 0)) & Qt::ItemIsEnabled));
        const int sbh07 = box->findData(QStringLiteral("SBH07"));
        QVERIFY(sbh07 > sabah);
        QVERIFY(box->itemText(sbh07).contains(QStringLiteral("Kota Kinabalu")));

        box->setCurrentIndex(sbh07);
        w.cmdSave_Click();
        QCOMPARE(GetFromINI("LOKASI", "ZON", "", folder.settingsFile()), std::string("SBH07"));
        w.BatalButton_Click();
        w.Form_Load();
        QCOMPARE(w.zoneChooser->code(), QStringLiteral("SBH07"));

        // Back to the coordinates: the zone is cleared, so that they apply again.
        box->setCurrentIndex(0);
        w.cmdSave_Click();
        QCOMPARE(GetFromINI("LOKASI", "ZON", "", folder.settingsFile()), std::string());
        w.BatalButton_Click();
        w.Form_Load();
        QCOMPARE(w.zoneChooser->code(), QString());
    }
};

TAVROLA_QTEST(TestZoneChooser)
#include "tst_zone_chooser.moc"

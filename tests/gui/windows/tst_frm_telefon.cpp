// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/IniFile.h"
#include "core/panel/PanelAccess.h"
#include "fakes/TempDir.h"
#include "fakes/TestDatabase.h"
#include "gui/panel/FrmTelefon.h"
#include "gui/panel/PhonePanel.h"
#include "gui/platform/LocalText.h"
#include "support/LayoutCheck.h"
#include "support/QtTestRegistry.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

using namespace tavrola;

class TestFrmTelefon : public QObject {
    Q_OBJECT
private slots:
    void switchesThePageOnAndSetsThePinTypedTwice() {
        fakes::TempDir dir;
        const ProgramFolder folder(dir.path());
        const auto ini = folder.settingsFile();
        QVERIFY(fakes::writeDatabase(ini, "[PANEL]\r\nPORT=80\r\n"));
        FrmTelefon w(folder);
        QSignalSpy saved(&w, &FrmTelefon::settingsSaved);
        QSignalSpy signedOut(&w, &FrmTelefon::signOutAllRequested);
        w.showPanel();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TAVROLA_VERIFY_LAYOUT(&w);
        QVERIFY(!w.findChild<QCheckBox*>("chkAktif")->isChecked());
        QCOMPARE(w.findChild<QSpinBox*>("txtPort")->value(), 8080); // 80 is no port of ours
        QCOMPARE(w.findChild<QLabel*>("lblPin")->text(), QString("PIN belum ditetapkan"));

        w.findChild<QCheckBox*>("chkAktif")->setChecked(true);
        w.findChild<QSpinBox*>("txtPort")->setValue(8181);
        w.findChild<QPushButton*>("cmdSimpan")->click();
        QCOMPARE(saved.count(), 1);
        QCOMPARE(GetFromINI("PANEL", "AKTIF", "", ini), std::string("ON"));
        QCOMPARE(GetFromINI("PANEL", "PORT", "", ini), std::string("8181"));

        auto* pin = w.findChild<QLineEdit*>("txtPin");
        auto* again = w.findChild<QLineEdit*>("txtPinLagi");
        QCOMPARE(pin->echoMode(), QLineEdit::Password);
        const auto setPin = [&](const char* first, const char* second) {
            pin->setText(first);
            again->setText(second);
            w.findChild<QPushButton*>("cmdPin")->click();
            return w.findChild<QLabel*>("lblPesan")->text();
        };
        QCOMPARE(setPin("12345", "12345"), QString("PIN mesti 6 hingga 12 angka"));
        QCOMPARE(setPin("123456", "123465"), QString("Kedua-dua PIN tidak sama"));
        QCOMPARE(GetFromINI("PANEL", "PIN_HASH", "", ini), std::string());
        QCOMPARE(signedOut.count(), 0);

        setPin("864200", "864200");
        const std::string stored = GetFromINI("PANEL", "PIN_HASH", "", ini);
        QVERIFY(stored.find("864200") == std::string::npos);
        QVERIFY(panel::parsePinHash(stored));
        QVERIFY(panel::pinMatches("864200", stored, derivePinKey));
        QVERIFY(!panel::pinMatches("864201", stored, derivePinKey));
        QCOMPARE(signedOut.count(), 1); // a new PIN signs every phone out
        QCOMPARE(w.findChild<QLabel*>("lblPin")->text(), QString("PIN sudah ditetapkan"));
        QVERIFY(pin->text().isEmpty() && again->text().isEmpty());

        w.findChild<QPushButton*>("cmdKeluarSemua")->click();
        QCOMPARE(signedOut.count(), 2);
        w.showServerStatus("Port 8181 sudah digunakan");
        QCOMPARE(w.findChild<QLabel*>("lblStatus")->text(), QString("Port 8181 sudah digunakan"));
    }
};

TAVROLA_QTEST(TestFrmTelefon)
#include "tst_frm_telefon.moc"

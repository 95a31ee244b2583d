// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/AtomicFile.h"
#include "core/files/IniFile.h"
#include "fakes/FakeDialogs.h"
#include "fakes/TempDir.h"
#include "fakes/TestDatabase.h"
#include "gui/platform/LocalText.h"
#include "gui/settings/FrmJemaah.h"
#include "support/LayoutCheck.h"
#include "support/QtTestRegistry.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavrola;

class TestFrmJemaah : public QObject {
    Q_OBJECT
private slots:
    void showsTheFileAndSavesItBackInTheSameForms() {
        QTemporaryDir dir;
        const ProgramFolder folder(pathFromQt(dir.path()));
        const auto ini = folder.settingsFile();
        QVERIFY(fakes::writeDatabase(ini,
                                     "[IQAMAH]\r\nZOHOR=10\r\nASAR=99\r\nPESAN=Matikan telefon\r\nBUNYI=ON\r\n"
                                     "[SOLAT]\r\nJUMAAT=30\r\n[AZAN]\r\nFAIL=.\\azan\\azan.mp3\r\n"));
        fakes::FakeDialogs dialogs;
        FrmJemaah w(folder, dialogs);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TAVROLA_VERIFY_LAYOUT(&w);
        QCOMPARE(w.findChild<QSpinBox*>("txtIqamah_ZOHOR")->value(), 10);
        QCOMPARE(w.findChild<QSpinBox*>("txtIqamah_ASAR")->text(), QString("Tiada")); // out of range: off
        QCOMPARE(w.findChild<QSpinBox*>("txtSolat_JUMAAT")->value(), 30);
        QCOMPARE(w.findChild<QLineEdit*>("txtPesan")->text(), QString("Matikan telefon"));
        QVERIFY(w.findChild<QCheckBox*>("chkBunyi")->isChecked());
        QCOMPARE(w.findChild<QLineEdit*>("txtAzan")->text(), pathToQt(folder.root() / "azan" / "azan.mp3"));

        // The Subuh file through the open-file dialog, kept relative to the program folder.
        dialogs.nextOpenFile = fromQt(pathToQt(folder.root() / "azan" / "subuh.mp3"));
        w.findChild<QPushButton*>("cmdAzanSubuh")->click();
        QVERIFY(dialogs.openRequests.at(0).mustExist);
        w.findChild<QSpinBox*>("txtIqamah_ZOHOR")->setValue(0);
        w.findChild<QSpinBox*>("txtSolat_ISYAK")->setValue(15);
        w.findChild<QPushButton*>("cmdSave")->click();
        QVERIFY(dialogs.shown.empty());
        const auto read = [&](const char* s, const char* k) { return GetFromINI(s, k, "", ini); };
        QCOMPARE(read("IQAMAH", "ZOHOR"), std::string());
        QCOMPARE(read("SOLAT", "ISYAK"), std::string("15"));
        QCOMPARE(read("SOLAT", "JUMAAT"), std::string("30"));
        QCOMPARE(read("AZAN", "FAIL"), std::string(".\\azan\\azan.mp3"));
        QCOMPARE(read("AZAN", "FAIL_SUBUH"), std::string(".\\azan\\subuh.mp3"));
    }

    // A save that cannot be written is one message, and the file keeps every byte.
    void aFailedSaveIsOneMessageAndNoChange() {
        QTemporaryDir dir;
        const ProgramFolder folder(pathFromQt(dir.path()));
        const std::string text = "[IQAMAH]\r\nZOHOR=10\r\n";
        QVERIFY(fakes::writeDatabase(folder.settingsFile(), text));
        fakes::FakeDialogs dialogs;
        FrmJemaah w(folder, dialogs);
        w.findChild<QSpinBox*>("txtIqamah_ASAR")->setValue(5);
        AtomicFileTestHooks::failReplace = [](const std::filesystem::path&) { return true; };
        w.findChild<QPushButton*>("cmdSave")->click();
        AtomicFileTestHooks::failReplace = nullptr;
        QCOMPARE(dialogs.texts(), std::vector<std::string>{"Failed to save."});
        QCOMPARE(fakes::readBytes(folder.settingsFile()), text);
        // A message longer than the settings allow is refused with the reason, as the phone refuses it.
        w.findChild<QLineEdit*>("txtPesan")->setText(QString(201, QLatin1Char('x')));
        w.findChild<QPushButton*>("cmdSave")->click();
        QCOMPARE(dialogs.texts().back(), std::string("PESAN: paling panjang 200 aksara"));
        QCOMPARE(fakes::readBytes(folder.settingsFile()), text);
    }
};

TAVROLA_QTEST(TestFrmJemaah)
#include "tst_frm_jemaah.moc"

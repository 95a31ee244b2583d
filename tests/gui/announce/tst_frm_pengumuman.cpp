// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/announce/Announcements.h"
#include "core/files/IniFile.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/TempDir.h"
#include "gui/announce/FrmPengumuman.h"
#include "gui/platform/LocalText.h"
#include "support/LayoutCheck.h"
#include "support/QtTestRegistry.h"

#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using namespace tavrola;
namespace fs = std::filesystem;

class TestFrmPengumuman : public QObject {
    Q_OBJECT
private slots:
    void addsATextAndAPictureAndKeepsTheOrder() {
        fakes::TempDir dir;
        const ProgramFolder folder(dir.path());
        fakes::FakeClock clock({{2026, 12, 7}, 14, 30, 0, 0});
        fakes::FakeDialogs dialogs;
        FrmPengumuman w(folder, clock, dialogs);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TAVROLA_VERIFY_LAYOUT(&w);
        auto* list = w.findChild<QListWidget*>("lstPengumuman");
        const auto click = [&](const char* name) { w.findChild<QPushButton*>(name)->click(); };
        const auto listed = [&] {
            return parseAnnouncements(fakes::readBytes(folder.announcementsFolder() / "senarai.ini"));
        };

        w.findChild<QLineEdit*>("txtTajuk")->setText(QStringLiteral("Kuliah Maghrib"));
        w.findChild<QPlainTextEdit*>("txtTeks")->setPlainText(QStringLiteral("Ustaz Ahmad\nSelepas Maghrib"));
        w.findChild<QLineEdit*>("txtTamat")->setText(QStringLiteral("2026-12-31"));
        w.findChild<QSpinBox*>("txtSaat")->setValue(20);
        click("cmdTambahTeks");

        QImage picture(160, 90, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        const fs::path source = dir / "kutipan.png";
        QVERIFY(picture.save(pathToQt(source)));
        dialogs.nextOpenFile = fromQt(pathToQt(source));
        click("cmdBaru");
        click("cmdTambahGambar");
        QVERIFY2(dialogs.shown.empty(), dialogs.texts().empty() ? "" : dialogs.texts().front().c_str());

        AnnouncementList read = listed();
        QCOMPARE(read.items.size(), std::size_t(2));
        QCOMPARE(read.items[0].title, std::string("Kuliah Maghrib"));
        QCOMPARE(read.items[0].text, std::string("Ustaz Ahmad\nSelepas Maghrib"));
        QCOMPARE(read.items[0].seconds, 20);
        QVERIFY(read.items[0].until.has_value());
        QCOMPARE(read.items[1].file, std::string("gambar-20261207-143000-1.png"));
        QCOMPARE(read.items[1].seconds, 10);
        QCOMPARE(list->count(), 2);
        QVERIFY(!list->item(1)->icon().isNull());
        QCOMPARE(list->currentRow(), 1);

        // The picture first, then gone with its file.
        click("cmdNaik");
        QCOMPARE(listed().items.at(0).file, std::string("gambar-20261207-143000-1.png"));
        QCOMPARE(list->currentRow(), 0);
        click("cmdPadam");
        QCOMPARE(dialogs.shown.back().buttons, MessageButtons::YesNo);
        QCOMPARE(listed().items.size(), std::size_t(1));
        QVERIFY(!fs::exists(folder.announcementsFolder() / "gambar-20261207-143000-1.png"));

        // A refused change says why and leaves the user's words in the editor.
        w.findChild<QLineEdit*>("txtMula")->setText(QStringLiteral("7/12/2026"));
        click("cmdSimpan");
        QCOMPARE(dialogs.texts().back(), std::string("MULA mesti tarikh yyyy-mm-dd"));
        QCOMPARE(w.findChild<QLineEdit*>("txtMula")->text(), QStringLiteral("7/12/2026"));
        QCOMPARE(listed().items.at(0).from, std::nullopt);
    }

    void theFuneralNoticeIsSavedAndCleared() {
        fakes::TempDir dir;
        const ProgramFolder folder(dir.path());
        fakes::FakeClock clock;
        fakes::FakeDialogs dialogs;
        FrmPengumuman w(folder, clock, dialogs);
        const auto read = [&](const char* key) { return GetFromINI("JENAZAH", key, "", folder.settingsFile()); };
        const auto set = [&](const char* name, const char* text) {
            w.findChild<QLineEdit*>(name)->setText(QString::fromUtf8(text));
        };
        set("txtJenazahNama", "Haji Ali bin Abu");
        set("txtJenazahSolat", "selepas solat Zohor");
        set("txtJenazahTamat", "2026-12-07 14:30");
        w.findChild<QPushButton*>("cmdJenazahSimpan")->click();
        QVERIFY(dialogs.shown.empty());
        QCOMPARE(read("NAMA"), std::string("Haji Ali bin Abu"));
        QCOMPARE(read("TAMAT"), std::string("2026-12-07 14:30"));

        set("txtJenazahTamat", "esok");
        w.findChild<QPushButton*>("cmdJenazahSimpan")->click();
        QCOMPARE(dialogs.texts().back(), std::string("TAMAT: mesti yyyy-mm-dd JJ:MM, cth. 2026-12-07 14:30"));
        QCOMPARE(read("TAMAT"), std::string("2026-12-07 14:30"));

        w.findChild<QPushButton*>("cmdJenazahPadam")->click();
        QCOMPARE(read("NAMA"), std::string());
        QCOMPARE(read("TAMAT"), std::string());
        QCOMPARE(w.findChild<QLineEdit*>("txtJenazahNama")->text(), QString());
    }
};

TAVROLA_QTEST(TestFrmPengumuman)
#include "tst_frm_pengumuman.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The settings window: what it loads, what it saves byte for byte, a read-only file, and its layout.
#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/TempDir.h"
#include "gui/platform/LocalText.h"
#include "gui/settings/FrmSetting.h"
#include "gui/settings/ZoneChooser.h"
#include "gui/widgets/ucTimePicker.h"
#include "support/LayoutCheck.h"
#include "support/QtTestRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace tavrola;

namespace {

// Lines joined with CRLF, as the file keeps them.
std::string crlf(std::string s) {
    std::string out;
    for (char c : s)
        c == '\n' ? out.append("\r\n") : out.append(1, c);
    return out;
}

// A file as a caretaker leaves it: every key, the shutdown time in quotes, SETJAM on 24 hours.
const char* const kPrepared = "[TAJUK-01]\nTSIZE=50\nFSIZE=30\nGSIZE=60\nTEMPAT=Taman Seri Murni\n"
                              "TITLE01=Masjid Al-Hidayah\nTITLE02=Selamat Datang\n\n[GAMBAR]\n"
                              "LOGO1=.\\logo\\logo.gif\n\n[VSCROLL-01]\nVHIGHT=797\n\n[HSCROLL-01]\n"
                              "HHIGHT=17388\n\n[12-24HRS]\nSETJAM=1\n\n[TARIKH_HIJRAH]\nMASA=1\n\n[JADUAL]\n"
                              "KOMPUTER_TUTUP=\"2200\"\n\n[WSOLAT_JAM]\nSKROL=ON\n";

void copyPicture(const std::filesystem::path& to) {
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(std::filesystem::path(TAVROLA_TEST_DATA) / "gif" / "seed_indicator.gif", to,
                               std::filesystem::copy_options::overwrite_existing);
}

struct Rig {
    fakes::TempDir dir;
    ProgramFolder folder{dir.path()};
    fakes::FakeClock clock{DateTime{{2026, 12, 6}, 14, 30, 15, 0}};
    fakes::FakeDialogs dialogs;
    std::vector<int> left;
    std::vector<QString> logos;
    int shutdownOn = 0;
    std::unique_ptr<FrmSetting> w;

    explicit Rig(const std::string& settings = crlf(kPrepared)) {
        fakes::writeBytes(folder.settingsFile(), settings);
        copyPicture(folder.root() / "logo" / "logo.gif");
        w = std::make_unique<FrmSetting>(folder, clock, dialogs);
        FrmSetting* f = w.get();
        QObject::connect(f, &FrmSetting::logoLeftChanged, f, [this](int v) { left.push_back(v); });
        QObject::connect(f, &FrmSetting::logoFileChosen, f, [this](const QString& p) { logos.push_back(p); });
        QObject::connect(f, &FrmSetting::shutdownChecksRequested, f, [this](bool on) { shutdownOn += on; });
    }
    std::string file() const { return fakes::readBytes(folder.settingsFile()); }
    std::string key(const SettingKey& k) const { return GetFromINI(k.section, k.key, "", folder.settingsFile()); }
    void set(const SettingKey& k, const std::string& v) {
        QVERIFY(AddToINI(k.section, k.key, v, folder.settingsFile()));
    }
    template <typename T> T* child(const char* name) const {
        T* c = w->findChild<T*>(QString::fromLatin1(name));
        if (!c)
            qFatal("no control %s", name);
        return c;
    }
    void click(const char* name) const { child<QPushButton>(name)->click(); }
    int failures(const std::string& text) const {
        const auto t = dialogs.texts();
        return static_cast<int>(std::count(t.begin(), t.end(), text));
    }
};

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    // The wiring check: the window shows the file, hands the clock its logo and place, and saves
    // exactly what was changed, byte for byte.
    void loadShowsTheFileAndSaveWritesExactlyTheExpectedFile() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        QCOMPARE(r.child<QLineEdit>("Text1")->text(), QString("Masjid Al-Hidayah"));
        QCOMPARE(r.left, std::vector<int>{17388});
        QVERIFY(r.logos.size() == 1 && !w.logoPreview().isNull());
        QCOMPARE(r.child<ucTimePicker>("ucShutdownTime")->Value(), QTime(22, 0)); // the quotes are dropped
        QCOMPARE(r.file(), crlf(kPrepared));
        r.child<QLineEdit>("Text1")->setText("Surau An-Nur");
        r.child<QScrollBar>("VolScroll1")->setValue(64);
        r.child<QLineEdit>("Text3")->setText("Kampung Baru");
        r.child<QLineEdit>("Fontsais3")->setText("7");
        r.child<QScrollBar>("HScroll1")->setValue(12000);
        r.child<QLineEdit>("Tarikh_Takwim2")->setText("-1");
        r.child<ucTimePicker>("ucShutdownTime")->setValue(QTime(6, 5));
        r.click("cmdSave");
        QCOMPARE(r.file(), crlf("[TAJUK-01]\nTSIZE=64\nFSIZE=30\nGSIZE=7\nTEMPAT=Kampung Baru\n"
                                "TITLE01=Surau An-Nur\nTITLE02=Selamat Datang\n\n[GAMBAR]\n"
                                "LOGO1=.\\logo\\logo.gif\n\n[VSCROLL-01]\nVHIGHT=797\n\n[HSCROLL-01]\n"
                                "HHIGHT=12000\n\n[12-24HRS]\nSETJAM=1\n\n[TARIKH_HIJRAH]\nMASA=-1\n\n"
                                "[JADUAL]\nKOMPUTER_TUTUP=0605\n\n[WSOLAT_JAM]\nSKROL=ON\n"));
        QCOMPARE(r.shutdownOn, 1);
        QVERIFY(r.dialogs.shown.empty());
    }

    // Which stored times count is a core rule; here: switched off and saved, the time is gone.
    void switchedOffShutdownIsSavedEmpty() {
        Rig r;
        r.w->Form_Load();
        r.child<QCheckBox>("chkEnableShutdown")->click();
        r.click("cmdSave");
        QCOMPARE(r.key(settings::kShutdownTime), std::string());
        QCOMPARE(r.child<QLabel>("Label9")->text(), QString("DIMATIKAN"));
        QCOMPARE(r.shutdownOn, 0);
    }

    void readOnlyFileSaysSoOnceAndStaysAsItWas() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        const std::string before = r.file();
        std::filesystem::permissions(r.folder.settingsFile(), std::filesystem::perms::owner_read |
                                                                  std::filesystem::perms::group_read |
                                                                  std::filesystem::perms::others_read);
        r.click("cmdSave");
        QCOMPARE(r.failures("Failed to save shutdown time."), 1);
        QCOMPARE(r.dialogs.shown.size(), std::size_t(1));
        // Switched off but not saved: the old time still rules, so the status does not say off.
        r.child<QCheckBox>("chkEnableShutdown")->click();
        r.child<QLabel>("Label9")->setText("before");
        r.click("cmdSave");
        QCOMPARE(r.child<QLabel>("Label9")->text(), QString("before"));
        r.click("cmd_tmrScroll");
        r.child<QCheckBox>("Check1")->click();
        QCOMPARE(r.file(), before);
        r.dialogs.shown.clear();
        r.click("BatalButton");
        w.Form_Load(); // loading from a read-only file says nothing
        QVERIFY(r.dialogs.shown.empty());
    }

    void logoIsStoredRelativeInsideTheFolderAndInFullElsewhere() {
        Rig r;
        fakes::TempDir elsewhere;
        r.w->Form_Load();
        const auto full = elsewhere.path() / "Logo Masjid.gif";
        for (const auto& [chosen, stored] :
             {std::pair{r.folder.root() / "logo" / "masjid.gif", std::string(".\\logo\\masjid.gif")},
              std::pair{full, full.string()}}) {
            copyPicture(chosen);
            r.dialogs.nextOpenFile = chosen.string();
            r.click("cmdLOGO");
            QCOMPARE(r.logos.back(), pathToQt(chosen));
            r.click("cmdSave");
            QCOMPARE(r.key(settings::kLogo), stored);
        }
    }

    // Zones under their states (headings cannot be chosen), saved to [LOKASI] ZON; back to the
    // coordinates clears it. An untouched chooser writes nothing (the byte-exact save above has no zone).
    void zoneChooserSavesTheChosenZone() {
        Rig r;
        QVERIFY(AddToINI("LOKASI", "LATITUD", "5.9804", r.folder.settingsFile())); // typed coordinates, no zone
        QVERIFY(AddToINI("LOKASI", "LONGITUD", "116.0735", r.folder.settingsFile()));
        r.w->Form_Load();
        QComboBox* box = r.w->findChild<QComboBox*>(QStringLiteral("cboZon"));
        QCOMPARE(r.child<ZoneChooser>("ZoneChooser")->code(), QString());
        const int sabah = box->findText(QStringLiteral("SABAH")), sbh07 = box->findData(QStringLiteral("SBH07"));
        QVERIFY(sabah > 0 && sbh07 > sabah && box->itemText(sbh07).contains(QStringLiteral("Kota Kinabalu")));
        QVERIFY(!(box->model()->flags(box->model()->index(sabah, 0)) & Qt::ItemIsEnabled));
        for (const QString& code : {QStringLiteral("SBH07"), QString()}) {
            box->setCurrentIndex(code.isEmpty() ? 0 : sbh07);
            r.click("cmdSave");
            QCOMPARE(GetFromINI("LOKASI", "ZON", "", r.folder.settingsFile()), fromQt(code));
            r.click("BatalButton");
            r.w->Form_Load();
            QCOMPARE(r.child<ZoneChooser>("ZoneChooser")->code(), code);
        }
        // A coordinate the calculator cannot use is marked as it is typed, and the save refused whole.
        const std::string before = r.file();
        QTest::keyClicks(r.w->findChild<QLineEdit*>(QStringLiteral("txtLatitud")), QStringLiteral(",1"));
        const QString why = QStringLiteral("LATITUD: guna titik perpuluhan, bukan koma");
        QCOMPARE(r.w->findChild<QLabel*>(QStringLiteral("lblKoordinat"))->text(), why);
        r.click("cmdSave");
        QCOMPARE(r.dialogs.texts().back(), fromQt(why));
        QCOMPARE(r.file(), before);
    }

    // Values the clock could not read are refused with their reasons, all in one message, and
    // nothing is written; a readable pair of night times is saved.
    void unreadableValuesAreRefusedBeforeTheSave() {
        Rig r;
        r.w->Form_Load();
        const std::string before = r.file();
        QLineEdit* padam = r.w->findChild<QLineEdit*>(QStringLiteral("txtPadam"));
        padam->setText(QStringLiteral("ISYAK+200"));
        r.child<QLineEdit>("Tarikh_Takwim2")->setText("abc");
        r.click("cmdSave");
        QCOMPARE(r.dialogs.texts().back(), std::string("MASA=abc tidak sah (mesti nombor bulat -30 hingga 30)\r\n"
                                                       "PADAM=ISYAK+200 tidak sah (minit selepas ISYAK mesti 0 hingga 180)"));
        QCOMPARE(r.dialogs.shown.size(), std::size_t(1));
        QCOMPARE(r.file(), before);
        r.child<QLineEdit>("Tarikh_Takwim2")->setText("1");
        padam->setText(QStringLiteral("isyak+60"));
        r.w->findChild<QLineEdit*>(QStringLiteral("txtHidup"))->setText(QStringLiteral("05:10"));
        r.click("cmdSave");
        QCOMPARE(r.key(settings::kNightOff) + " " + r.key(settings::kNightOn), std::string("isyak+60 05:10"));
    }

    // Shown from the tray it loads afresh; shown while open it is only raised.
    void openingTwiceShowsTheFileAnew() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        r.child<QLineEdit>("Text1")->setText("typed, not saved");
        r.set(settings::kTitle01, "Changed on disk");
        QString seen;
        QTimer::singleShot(0, &w, [&] {
            seen = r.child<QLineEdit>("Text1")->text();
            QCOMPARE(w.showModalFromTray(), -1);
            r.child<QPushButton>("BatalButton")->click();
        });
        w.showModalFromTray();
        QCOMPARE(seen, QString("typed, not saved"));
        QTimer::singleShot(0, &w, [&] {
            seen = r.child<QLineEdit>("Text1")->text();
            w.close();
        });
        w.showModalFromTray();
        QCOMPARE(seen, QString("Changed on disk"));
        QVERIFY(!w.isLoaded());
    }

    // TAVROLA_SCREENSHOT=<file.png> keeps a picture of the window.
    void layoutLeavesEveryControlItsRoom() {
        Rig r;
        r.w->Form_Load();
        r.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(r.w.get()));
        // The logo's marker follows the sliders (one pixel per 15 twips) over the logo button by design;
        // the stored far-right place lies beyond the preview, so it is brought inside first.
        r.child<QScrollBar>("HScroll1")->setValue(3000);
        r.child<QScrollBar>("VScroll1")->setValue(450);
        QCOMPARE(r.child<QLabel>("LlbTarget1")->pos(), QPoint(200, 30));
        TAVROLA_VERIFY_LAYOUT(r.w.get(), {{"LlbTarget1", "cmdLOGO"}});
        if (const QByteArray shot = qgetenv("TAVROLA_SCREENSHOT"); !shot.isEmpty())
            QVERIFY(r.w->grab().save(QString::fromLocal8Bit(shot)));
        r.w->hide();
    }
};

TAVROLA_QTEST(TestSettings)
#include "tst_settings.moc"

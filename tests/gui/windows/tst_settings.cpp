// The settings window: what it loads, what it saves byte for byte, a read-only file, and its layout.
#include "core/config/IniFile.h"
#include "core/config/SettingsSchema.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/TempDir.h"
#include "gui/platform/LocalText.h"
#include "gui/settings/FrmSetting.h"
#include "gui/widgets/ucTimePicker.h"
#include "support/LayoutCheck.h"
#include "support/QtTestRegistry.h"

#include <QCheckBox>
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

std::string lines(std::initializer_list<const char*> ls) {
    std::string s;
    for (const char* l : ls)
        s.append(l).append("\r\n");
    return s;
}

// A file as a caretaker leaves it: every key, the shutdown time in quotes, SETJAM on 24 hours.
std::string preparedSettings() {
    return lines({"[TAJUK-01]",
                  "TSIZE=50",
                  "FSIZE=30",
                  "GSIZE=60",
                  "TEMPAT=Taman Seri Murni",
                  "TITLE01=Masjid Al-Hidayah",
                  "TITLE02=Selamat Datang",
                  "",
                  "[GAMBAR]",
                  "LOGO1=.\\logo\\logo.gif",
                  "",
                  "[VSCROLL-01]",
                  "VHIGHT=797",
                  "",
                  "[HSCROLL-01]",
                  "HHIGHT=17388",
                  "",
                  "[12-24HRS]",
                  "SETJAM=1",
                  "",
                  "[TARIKH_HIJRAH]",
                  "MASA=1",
                  "",
                  "[JADUAL]",
                  "KOMPUTER_TUTUP=\"2200\"",
                  "",
                  "[WSOLAT_JAM]",
                  "SKROL=ON"});
}

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

    explicit Rig(const std::string& settings = preparedSettings()) {
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
    int failures(const std::string& text) const {
        const auto t = dialogs.texts();
        return static_cast<int>(std::count(t.begin(), t.end(), text));
    }
};

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    // One wiring check: the window shows the file and hands the clock its logo and place.
    void loadShowsTheFileAndChangesNothing() {
        Rig r;
        r.w->Form_Load();
        QVERIFY(r.w->Check1->isChecked());
        QCOMPARE(r.w->Text1->text(), QString("Masjid Al-Hidayah"));
        QCOMPARE(r.w->VolScroll3->value(), 60);
        QCOMPARE(r.left, std::vector<int>{17388});
        QCOMPARE(r.logos.size(), std::size_t(1));
        QVERIFY(!r.w->logoPreview().isNull());
        QCOMPARE(r.w->ucShutdownTime->Value(), QTime(22, 0)); // the quotes are dropped
        QCOMPARE(r.file(), preparedSettings());
        QVERIFY(r.dialogs.shown.empty());
    }

    void saveWritesExactlyTheExpectedFile() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        w.Text1->setText("Surau An-Nur");
        w.VolScroll1->setValue(64);
        w.Text3->setText("Kampung Baru");
        w.Fontsais3->setText("7");
        w.HScroll1->setValue(12000);
        w.Tarikh_Takwim2->setText("abc"); // stored as typed
        w.ucShutdownTime->setValue(QTime(6, 5));
        w.cmdSave_Click();
        QCOMPARE(r.file(), lines({"[TAJUK-01]",
                                  "TSIZE=64",
                                  "FSIZE=30",
                                  "GSIZE=7",
                                  "TEMPAT=Kampung Baru",
                                  "TITLE01=Surau An-Nur",
                                  "TITLE02=Selamat Datang",
                                  "",
                                  "[GAMBAR]",
                                  "LOGO1=.\\logo\\logo.gif",
                                  "",
                                  "[VSCROLL-01]",
                                  "VHIGHT=797",
                                  "",
                                  "[HSCROLL-01]",
                                  "HHIGHT=12000",
                                  "",
                                  "[12-24HRS]",
                                  "SETJAM=1",
                                  "",
                                  "[TARIKH_HIJRAH]",
                                  "MASA=abc",
                                  "",
                                  "[JADUAL]",
                                  "KOMPUTER_TUTUP=0605",
                                  "",
                                  "[WSOLAT_JAM]",
                                  "SKROL=ON"}));
        QCOMPARE(r.shutdownOn, 1);
        QVERIFY(r.dialogs.shown.empty());
    }

    // Values the shutdown check never matches are not shown as switched on.
    void storedShutdownTimes_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("status");
        const QString ask = "SILA TETAPKAN MASA DAN KLIK 'SIMPAN'";
        QTest::newRow("empty") << "" << false << "DIMATIKAN";
        QTest::newRow("time") << "0605" << true << "DIAKTIFKAN\n\nMasa Shutdown : 06:05\n(Setiap Hari)";
        QTest::newRow("colon") << "22:00" << true << ask;
        QTest::newRow("four, not a time") << "2460" << true << ask;
        QTest::newRow("letters") << "ab12" << true << ask;
    }
    void storedShutdownTimes() {
        QFETCH(QString, stored);
        QFETCH(bool, checked);
        QFETCH(QString, status);
        Rig r;
        r.set(settings::kShutdownTime, fromQt(stored));
        r.w->Form_Load();
        QCOMPARE(r.w->chkEnableShutdown->isChecked(), checked);
        QCOMPARE(r.w->Label9->text(), status);
        if (!checked) { // switched off and saved: the time is gone
            r.w->cmdSave_Click();
            QCOMPARE(r.key(settings::kShutdownTime), std::string());
            QCOMPARE(r.shutdownOn, 0);
        }
    }

    void readOnlyFileSaysSoOncePerKeyAndStaysAsItWas() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        const std::string before = r.file();
        std::filesystem::permissions(r.folder.settingsFile(), std::filesystem::perms::owner_read |
                                                                  std::filesystem::perms::group_read |
                                                                  std::filesystem::perms::others_read);
        w.cmdSave_Click();
        QCOMPARE(r.failures("Failed to save."), 10);
        QCOMPARE(r.failures("Failed to save shutdown time."), 1);
        QCOMPARE(r.dialogs.shown.size(), std::size_t(11));
        // Switched off but not saved: the old time still rules, so the status does not say off.
        w.chkEnableShutdown->click();
        w.Label9->setText("before");
        w.cmdSave_Click();
        QCOMPARE(w.Label9->text(), QString("before"));
        w.cmd_tmrScroll_Click();
        w.Check1->click();
        QCOMPARE(r.file(), before);
        r.dialogs.shown.clear();
        w.BatalButton_Click();
        w.Form_Load(); // loading from a read-only file says nothing
        QVERIFY(r.dialogs.shown.empty());
    }

    void logoIsStoredRelativeInsideTheFolderAndInFullElsewhere() {
        Rig r;
        fakes::TempDir elsewhere;
        r.w->Form_Load();
        for (const auto& chosen :
             {r.folder.root() / "logo" / "masjid.gif", elsewhere.path() / "Logo Masjid.gif"}) {
            copyPicture(chosen);
            r.dialogs.nextOpenFile = chosen.string();
            r.w->cmdLOGO_Click();
            QCOMPARE(r.logos.back(), pathToQt(chosen));
            r.w->cmdSave_Click();
        }
        QCOMPARE(r.key(settings::kLogo), (elsewhere.path() / "Logo Masjid.gif").string());
        r.set(settings::kLogo, "x");
        r.dialogs.nextOpenFile = (r.folder.root() / "logo" / "masjid.gif").string();
        r.w->cmdLOGO_Click();
        r.w->cmdSave_Click();
        QCOMPARE(r.key(settings::kLogo), std::string(".\\logo\\masjid.gif"));
    }

    // Shown from the tray it loads afresh; shown while open it is only raised.
    void openingTwiceShowsTheFileAnew() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        w.Text1->setText("typed, not saved");
        r.set(settings::kTitle01, "Changed on disk");
        QString seen;
        QTimer::singleShot(0, &w, [&] {
            seen = w.Text1->text();
            QCOMPARE(w.showModalFromTray(), -1);
            w.BatalButton->click();
        });
        w.showModalFromTray();
        QCOMPARE(seen, QString("typed, not saved"));
        QTimer::singleShot(0, &w, [&] {
            seen = w.Text1->text();
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
        r.w->HScroll1->setValue(3000);
        r.w->VScroll1->setValue(450);
        QCOMPARE(r.w->LlbTarget1->pos(), QPoint(200, 30));
        TAVROLA_VERIFY_LAYOUT(r.w.get(), {{"LlbTarget1", "cmdLOGO"}});
        if (const QByteArray shot = qgetenv("TAVROLA_SCREENSHOT"); !shot.isEmpty())
            QVERIFY(r.w->grab().save(QString::fromLocal8Bit(shot)));
        r.w->hide();
    }
};

TAVROLA_QTEST(TestSettings)
#include "tst_settings.moc"

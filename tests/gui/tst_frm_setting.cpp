#include "core/config/IniFile.h"
#include "core/config/SettingsSchema.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeScreens.h"
#include "fakes/FakeSpeech.h"
#include "fakes/TempDir.h"
#include "fakes/TestDatabase.h"
#include "gui/clock/Velmora.h"
#include "gui/platform/LocalText.h"
#include "gui/settings/FrmSetting.h"
#include "gui/widgets/ucAniGIF.h"
#include "gui/widgets/ucTimePicker.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <initializer_list>
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
    // clang-format off
    return lines({
        "[TAJUK-01]", "TSIZE=50", "FSIZE=30", "GSIZE=60", "TEMPAT=Taman Seri Murni", "TITLE01=Masjid Al-Hidayah",
        "TITLE02=Selamat Datang", "", "[GAMBAR]", "LOGO1=.\\logo\\logo.gif", "", "[VSCROLL-01]", "VHIGHT=797",
        "", "[HSCROLL-01]", "HHIGHT=17388", "", "[12-24HRS]", "SETJAM=1", "", "[TARIKH_HIJRAH]", "MASA=1", "",
        "[JADUAL]", "KOMPUTER_TUTUP=\"2200\"", "", "[WSOLAT_JAM]", "SKROL=ON"});
    // clang-format on
}

// A copy of a small picture, so that the preview has something to show.
void copyPicture(const std::filesystem::path& to) {
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(std::filesystem::path(TAVROLA_TEST_DATA) / "gif" / "seed_indicator.gif", to,
                               std::filesystem::copy_options::overwrite_existing);
}

int count(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

} // namespace

class TestFrmSetting : public QObject {
    Q_OBJECT

    // What the window did to the clock.
    struct ClockSide {
        std::vector<int> left, top;
        std::vector<QString> logos;
        bool scrolling = true;
        int shutdownOn = 0, nextDisplay = 0, reloads = 0, backups = 0;
    };

    struct Rig {
        fakes::TempDir dir;
        ProgramFolder folder{dir.path()};
        fakes::FakeClock clock{DateTime{{2026, 12, 6}, 14, 30, 15, 0}};
        fakes::FakeDialogs dialogs;
        ClockSide side;
        std::unique_ptr<FrmSetting> w;

        explicit Rig(const std::string& settings = preparedSettings()) {
            fakes::writeBytes(folder.settingsFile(), settings);
            copyPicture(folder.root() / "logo" / "logo.gif");
            w = std::make_unique<FrmSetting>(folder, clock, dialogs);
            FrmSetting* f = w.get();
            connect(f, &FrmSetting::logoLeftChanged, f, [this](int v) { side.left.push_back(v); });
            connect(f, &FrmSetting::logoTopChanged, f, [this](int v) { side.top.push_back(v); });
            connect(f, &FrmSetting::logoFileChosen, f, [this](const QString& p) { side.logos.push_back(p); });
            connect(f, &FrmSetting::scrollRunningRequested, f, [this](bool on) { side.scrolling = on; });
            connect(f, &FrmSetting::shutdownChecksRequested, f, [this] { ++side.shutdownOn; });
            connect(f, &FrmSetting::nextDisplayRequested, f, [this] { ++side.nextDisplay; });
            connect(f, &FrmSetting::updaterReloadRequested, f, [this] { ++side.reloads; });
            connect(f, &FrmSetting::backupsRequested, f, [this] { ++side.backups; });
        }
        std::string file() const { return fakes::readBytes(folder.settingsFile()); }
        std::string key(const SettingKey& k) const {
            return GetFromINI(k.section, k.key, "", folder.settingsFile());
        }
        void set(const SettingKey& k, const std::string& v) {
            QVERIFY(AddToINI(k.section, k.key, v, folder.settingsFile()));
        }
        // Close and open again: the load steps run anew.
        void reload() {
            w->BatalButton_Click();
            side = {};
            w->Form_Load();
        }
    };

private slots:
    void controlsAsDesigned() {
        Rig r;
        FrmSetting& w = *r.w;
        QCOMPARE(w.windowTitle(), QString("SETTINGS"));
        QCOMPARE(w.size(), QSize(1223, 669));
        QCOMPARE(w.Text1->maxLength(), 48);
        QCOMPARE(w.Text2->maxLength(), 48);
        for (QLineEdit* size : {w.Fontsais1, w.Fontsais2, w.Fontsais3}) {
            QCOMPARE(size->maxLength(), 2);
        }
        QCOMPARE(w.Text3->maxLength(), 32767); // no limit of its own
        for (QScrollBar* s : {w.VolScroll1, w.VolScroll2, w.VolScroll3}) {
            QCOMPARE(s->minimum(), 10);
            QCOMPARE(s->maximum(), 80);
            QCOMPARE(s->value(), 10);
        }
        QCOMPARE(w.HScroll1->maximum(), 32767);
        QCOMPARE(w.VScroll1->maximum(), 32767);
        QCOMPARE(w.HScroll1->parentWidget(), w.Picture1);
        QCOMPARE(w.cmdSandaran->parentWidget(), w.cmdSave->parentWidget());
        QVERIFY(!w.isLoaded());
    }

    void loadFillsTheWindowAndPlacesTheLogo() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        QVERIFY(w.isLoaded());
        QVERIFY(w.Check1->isChecked());
        QCOMPARE(w.Check1->text(), QString("24 Hours"));
        QCOMPARE(w.CEKME->text(), QString("1"));
        QCOMPARE(w.Tarikh_Takwim2->text(), QString("1"));
        QCOMPARE(w.Text1->text(), QString("Masjid Al-Hidayah"));
        QCOMPARE(w.Text3->text(), QString("Taman Seri Murni"));
        QCOMPARE(w.Fontsais1->text(), QString("50"));
        QCOMPARE(w.VolScroll1->value(), 50);
        QCOMPARE(w.VolScroll2->value(), 30);
        QCOMPARE(w.VolScroll3->value(), 60);
        QCOMPARE(w.LblVScroll1->text(), QString("797"));
        QCOMPARE(w.LblHScroll1->text(), QString("17388"));
        QCOMPARE(r.side.top, std::vector<int>{797});
        QCOMPARE(r.side.left, std::vector<int>{17388});
        // The marker follows at one pixel per 15 twips, outside the preview for the far right.
        QCOMPARE(w.LlbTarget1->pos(), QPoint(17388 / 15, 797 / 15));

        const QString logo = QDir::toNativeSeparators(pathToQt(r.folder.root() / "logo" / "logo.gif"));
        QCOMPARE(w.txtPath->text(), logo);
        QCOMPARE(r.side.logos, std::vector<QString>{logo});
        QVERIFY(!w.logoPreview().isNull());

        // Quotes around the stored time are dropped.
        QVERIFY(w.chkEnableShutdown->isChecked());
        QVERIFY(w.ucShutdownTime->isEnabled());
        QCOMPARE(w.ucShutdownTime->Value(), QTime(22, 0));
        QCOMPARE(w.Label9->text(), QString("DIAKTIFKAN\n\nMasa Shutdown : 22:00\n(Setiap Hari)"));
        // Loading stores nothing but SETJAM's "1" again.
        QCOMPARE(r.file(), preparedSettings());
        QVERIFY(r.dialogs.shown.empty());
    }

    void sizesAndTitlesAreCutToTheirBoxes_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("slider");
        QTest::newRow("in range") << "45"
                                  << "45" << 45;
        QTest::newRow("above the slider") << "95"
                                          << "95" << 10;
        QTest::newRow("fraction") << "50.6"
                                  << "50" << 50;
        QTest::newRow("three digits") << "100"
                                      << "10" << 10;
        QTest::newRow("not a number") << "ab"
                                      << "ab" << 10;
        QTest::newRow("empty") << ""
                               << "" << 10;
    }
    void sizesAndTitlesAreCutToTheirBoxes() {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(int, slider);
        Rig r;
        // The slider starts from its design value on every load, not from the last one.
        r.set(settings::kTitleSize, "70");
        r.w->Form_Load();
        QCOMPARE(r.w->VolScroll1->value(), 70);
        r.set(settings::kTitleSize, fromQt(stored));
        r.reload();
        QCOMPARE(r.w->Fontsais1->text(), shown);
        QCOMPARE(r.w->VolScroll1->value(), slider);
        r.w->cmdSave_Click();
        QCOMPARE(QString::fromStdString(r.key(settings::kTitleSize)), shown);
    }

    void longTitleIsSavedCut() {
        const std::string sixty(60, 'x');
        Rig r;
        r.set(settings::kTitle02, sixty);
        r.set(settings::kPlace, sixty + sixty);
        r.w->Form_Load();
        QCOMPARE(r.w->Text2->text(), QString(48, 'x'));
        r.w->cmdSave_Click();
        QCOMPARE(r.key(settings::kTitle02), std::string(48, 'x'));
        QCOMPARE(r.key(settings::kPlace), sixty + sixty);
    }

    void positionsOutsideTheSlidersStayAndLeaveTheLogo() {
        Rig r;
        r.set(settings::kLogoLeft, "-5");
        r.set(settings::kLogoTop, "40000");
        r.w->Form_Load();
        QCOMPARE(r.w->LblHScroll1->text(), QString("-5"));
        QCOMPARE(r.w->LblVScroll1->text(), QString("40000"));
        QCOMPARE(r.w->HScroll1->value(), 0);
        QVERIFY(r.side.left.empty());
        QVERIFY(r.side.top.empty());
        r.w->cmdSave_Click();
        QCOMPARE(r.key(settings::kLogoLeft), std::string("-5"));
        QCOMPARE(r.key(settings::kLogoTop), std::string("40000"));

        // 0 is the slider's own start, yet a stored 0 still puts the logo at the edge.
        r.set(settings::kLogoLeft, "0");
        r.reload();
        QCOMPARE(r.side.left, std::vector<int>{0});
    }

    void slidersMoveTheLogoAndFillTheBoxes() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        r.side = {};
        w.HScroll1->setValue(3000);
        w.VScroll1->setValue(450);
        QCOMPARE(r.side.left, std::vector<int>{3000});
        QCOMPARE(r.side.top, std::vector<int>{450});
        QCOMPARE(w.LblHScroll1->text(), QString("3000"));
        QCOMPARE(w.LblVScroll1->text(), QString("450"));
        QCOMPARE(w.LlbTarget1->pos(), QPoint(200, 30));
        QVERIFY(w.Picture1->rect().contains(w.LlbTarget1->geometry()));

        w.VolScroll2->setValue(44);
        QCOMPARE(w.Fontsais2->text(), QString("44"));
        w.Fontsais2->setText("22"); // typing does not move the slider
        QCOMPARE(w.VolScroll2->value(), 44);
    }

    void theSlidersMoveTheClocksLogo() {
        fakes::TempDir dir;
        ProgramFolder folder(dir.path());
        fakes::writeBytes(folder.settingsFile(), preparedSettings());
        QVERIFY(fakes::writeDatabase(folder.databaseFile(), fakes::monthText({2026, 12, 1})));
        fakes::FakeClock clock(DateTime{{2026, 12, 5}, 13, 10, 5, 0});
        fakes::FakeSpeech speech;
        fakes::FakeDialogs dialogs;
        fakes::FakeScreens screens;
        screens.add("ONE", {0, 0, 1920, 1080}, true);
        Velmora clockWindow(folder, clock, speech, screens);
        clockWindow.load();
        FrmSetting w(folder, clock, dialogs);
        connect(&w, &FrmSetting::logoLeftChanged, &clockWindow, &Velmora::setLogoLeftTwips);
        connect(&w, &FrmSetting::logoTopChanged, &clockWindow, &Velmora::setLogoTopTwips);
        w.Form_Load();
        QWidget* logo = clockWindow.findChild<QWidget*>("ucAniGIF1");
        QCOMPARE(logo->pos(), QPoint(1159, 53));
        w.HScroll1->setValue(1500);
        QCOMPARE(logo->pos(), QPoint(100, 53));

        // The clock takes the 12/24-hour box on its next tick.
        const QLabel* time = clockWindow.findChild<QLabel*>("TextTimeReal");
        QCOMPARE(time->text(), QString("13:10:05"));
        w.Check1->click();
        QCOMPARE(time->text(), QString("13:10:05"));
        QMetaObject::invokeMethod(&clockWindow, "onSolatTimer");
        QCOMPARE(time->text(), QString("01:10:05 pm"));
    }

    void check1WritesAtOnce() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        w.Check1->click();
        QCOMPARE(w.Check1->text(), QString("12 Hours"));
        QCOMPARE(r.key(settings::kClockMode), std::string("0"));
        w.Check1->click();
        QCOMPARE(w.Check1->text(), QString("24 Hours"));
        QCOMPARE(r.key(settings::kClockMode), std::string("1"));
        // SETJAM 2: the box shows unchecked, the raw value shows in CEKME.
        r.set(settings::kClockMode, "2");
        r.reload();
        QVERIFY(!w.Check1->isChecked());
        QCOMPARE(w.Check1->text(), QString("12 Hours"));
        QCOMPARE(w.CEKME->text(), QString("2"));
        QCOMPARE(r.key(settings::kClockMode), std::string("2"));
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
        // clang-format off
        const std::string expected = lines({
            "[TAJUK-01]", "TSIZE=64", "FSIZE=30", "GSIZE=7", "TEMPAT=Kampung Baru", "TITLE01=Surau An-Nur",
            "TITLE02=Selamat Datang", "", "[GAMBAR]", "LOGO1=.\\logo\\logo.gif", "", "[VSCROLL-01]",
            "VHIGHT=797", "", "[HSCROLL-01]", "HHIGHT=12000", "", "[12-24HRS]", "SETJAM=1", "",
            "[TARIKH_HIJRAH]", "MASA=abc", "", "[JADUAL]", "KOMPUTER_TUTUP=0605", "", "[WSOLAT_JAM]", "SKROL=ON"});
        // clang-format on
        QCOMPARE(r.file(), expected);
        QCOMPARE(w.Label9->text(), QString("DISIMPAN\n\nMasa Shutdown : 06:05\n(Setiap Hari)"));
        QCOMPARE(r.side.shutdownOn, 1);
        QVERIFY(r.dialogs.shown.empty());
        QVERIFY(w.isVisible() == false && w.isLoaded()); // saving does not close
    }

    void shutdownSwitchedOff() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        r.clock.set(2026, 12, 6, 9, 41, 0);
        w.chkEnableShutdown->click();
        QVERIFY(!w.ucShutdownTime->isEnabled());
        QCOMPARE(w.ucShutdownTime->Value(), QTime(9, 41));
        QCOMPARE(w.Label9->text(), QString("DIMATIKAN"));
        // Closing without saving keeps the stored time.
        w.BatalButton_Click();
        QVERIFY(!w.isLoaded());
        QCOMPARE(r.key(settings::kShutdownTime), std::string("\"2200\""));

        w.Form_Load();
        w.chkEnableShutdown->click();
        w.cmdSave_Click();
        QCOMPARE(r.key(settings::kShutdownTime), std::string());
        QCOMPARE(r.side.shutdownOn, 0);

        // Checking it again asks for a time first.
        w.chkEnableShutdown->click();
        QVERIFY(w.ucShutdownTime->isEnabled());
        QCOMPARE(w.Label9->text(), QString("SILA TETAPKAN MASA DAN KLIK 'SIMPAN'"));
    }

    void storedShutdownTimesOnLoad_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("status");
        QTest::newRow("empty") << "" << false << "DIMATIKAN";
        QTest::newRow("time") << "0605" << true << "DIAKTIFKAN\n\nMasa Shutdown : 06:05\n(Setiap Hari)";
        // Values the scheduler never matches are not shown as active.
        QTest::newRow("colon") << "22:00" << true << "SILA TETAPKAN MASA DAN KLIK 'SIMPAN'";
        QTest::newRow("four, not a time") << "2460" << true << "SILA TETAPKAN MASA DAN KLIK 'SIMPAN'";
        QTest::newRow("letters") << "ab12" << true << "SILA TETAPKAN MASA DAN KLIK 'SIMPAN'";
    }
    void storedShutdownTimesOnLoad() {
        QFETCH(QString, stored);
        QFETCH(bool, checked);
        QFETCH(QString, status);
        Rig r;
        r.set(settings::kShutdownTime, fromQt(stored));
        r.w->Form_Load();
        QCOMPARE(r.w->chkEnableShutdown->isChecked(), checked);
        QCOMPARE(r.w->ucShutdownTime->isEnabled(), checked);
        QCOMPARE(r.w->Label9->text(), status);
        if (!checked)
            QCOMPARE(r.w->ucShutdownTime->Value(), QTime(14, 30, 15)); // the clock's time, untouched
    }

    void readOnlyFileSaysSoOncePerKey() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        const std::string before = r.file();
        std::filesystem::permissions(r.folder.settingsFile(), std::filesystem::perms::owner_read |
                                                                  std::filesystem::perms::group_read |
                                                                  std::filesystem::perms::others_read);
        w.cmdSave_Click();
        QCOMPARE(count(r.dialogs.texts(), "Failed to save."), 10);
        QCOMPARE(count(r.dialogs.texts(), "Failed to save shutdown time."), 1);
        QCOMPARE(r.dialogs.shown.size(), std::size_t(11));
        QCOMPARE(r.side.shutdownOn, 1); // the timer is switched on all the same
        QCOMPARE(w.Label9->text(), QString("DIAKTIFKAN\n\nMasa Shutdown : 22:00\n(Setiap Hari)"));

        // Switched off but not saved: the old time still rules, so the status does not say off.
        r.dialogs.shown.clear();
        w.chkEnableShutdown->click();
        w.Label9->setText("before");
        w.cmdSave_Click();
        QCOMPARE(count(r.dialogs.texts(), "Failed to save."), 11);
        QCOMPARE(w.Label9->text(), QString("before"));

        r.dialogs.shown.clear();
        w.cmd_tmrScroll_Click();
        w.Check1->click();
        QCOMPARE(count(r.dialogs.texts(), "Failed to save."), 2);
        QCOMPARE(r.file(), before);

        // Loading from a read-only file says nothing.
        r.dialogs.shown.clear();
        r.reload();
        QVERIFY(r.dialogs.shown.empty());
        QCOMPARE(r.w->Text1->text(), QString("Masjid Al-Hidayah"));
    }

    void scrollButtonStopsAndRestartsTheStrip() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        w.cmd_tmrScroll->click();
        QVERIFY(!r.side.scrolling);
        QCOMPARE(w.cmd_tmrScroll->text(), QString("Hentikan Skcrol [OFF]"));
        QCOMPARE(r.key(settings::kScroll), std::string("OFF"));
        w.cmd_tmrScroll->click();
        QVERIFY(r.side.scrolling);
        QCOMPARE(w.cmd_tmrScroll->text(), QString("Hentikan Skcrol [ON]"));
        QCOMPARE(r.key(settings::kScroll), std::string("ON"));

        // A clock that refuses to start: the button and the file say what is really so.
        connect(&w, &FrmSetting::scrollRunningRequested, &w, [&w] { w.showScrollRunning(false); });
        r.side.scrolling = false;
        w.cmd_tmrScroll->click();
        QCOMPARE(w.cmd_tmrScroll->text(), QString("Hentikan Skcrol [OFF]"));
        QCOMPARE(r.key(settings::kScroll), std::string("OFF"));
    }

    void logoChoiceInsideTheFolderIsStoredRelative() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        const auto chosen = r.folder.root() / "logo" / "masjid.gif";
        copyPicture(chosen);
        r.dialogs.nextOpenFile = chosen.string();
        r.side = {};
        w.cmdLOGO->click();

        QCOMPARE(r.dialogs.openRequests.size(), std::size_t(1));
        const OpenFileRequest& req = r.dialogs.openRequests.front();
        QCOMPARE(req.title, std::string("Select Logo Image"));
        QCOMPARE(req.initialFolder, r.folder.root().string());
        QVERIFY(req.mustExist);
        QCOMPARE(req.filters.size(), std::size_t(2));
        QCOMPARE(req.filters[0].second, std::string("*.jpg;*.png;*.gif"));
        QCOMPARE(req.owner, static_cast<void*>(static_cast<QWidget*>(&w)));

        QCOMPARE(w.txtPath->text(), pathToQt(chosen));
        QCOMPARE(r.side.logos, std::vector<QString>{pathToQt(chosen)});
        QVERIFY(!w.logoPreview().isNull());
        QCOMPARE(r.key(settings::kLogo), std::string(".\\logo\\logo.gif")); // nothing stored yet
        w.cmdSave_Click();
        QCOMPARE(r.key(settings::kLogo), std::string(".\\logo\\masjid.gif"));
    }

    void logoChoiceElsewhereIsStoredInFull() {
        Rig r;
        fakes::TempDir elsewhere;
        const auto chosen = elsewhere.path() / "Logo Masjid.gif";
        copyPicture(chosen);
        r.w->Form_Load();
        r.dialogs.nextOpenFile = chosen.string();
        r.w->cmdLOGO_Click();
        r.w->cmdSave_Click();
        QCOMPARE(r.key(settings::kLogo), chosen.string());
    }

    void logoThatIsNoPictureKeepsThePreview() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        const QImage before = w.logoPreview().toImage();
        const auto text = r.folder.root() / "logo" / "nota.gif";
        fakes::writeBytes(text, "bukan gambar");
        r.dialogs.nextOpenFile = text.string();
        w.cmdLOGO_Click();
        QCOMPARE(w.txtPath->text(), pathToQt(text));
        QCOMPARE(w.logoPreview().toImage(), before);

        // Cancelling changes nothing.
        r.dialogs.nextOpenFile.clear();
        r.side = {};
        w.cmdLOGO_Click();
        QCOMPARE(w.txtPath->text(), pathToQt(text));
        QVERIFY(r.side.logos.empty());

        // A stored picture that cannot be read: the window loads without a preview.
        r.set(settings::kLogo, ".\\logo\\nota.gif");
        r.reload();
        QVERIFY(w.logoPreview().isNull());
        QCOMPARE(r.side.logos.size(), std::size_t(1));
    }

    void openingTwiceShowsTheSameContents() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load(); // unseen, at start-up
        w.Text1->setText("typed, not saved");
        r.set(settings::kTitle01, "Changed on disk");
        r.side = {};
        QString seen;
        QTimer::singleShot(0, &w, [&] {
            seen = w.Text1->text();
            QVERIFY(w.isVisible());
            QCOMPARE(w.showModalFromTray(), -1); // already open: only raised
            w.BatalButton->click();
        });
        w.showModalFromTray();
        QCOMPARE(seen, QString("typed, not saved"));
        QVERIFY(r.side.logos.empty()); // no load steps ran
        QVERIFY(!w.isLoaded());
        QVERIFY(!w.isVisible());

        QTimer::singleShot(0, &w, [&] {
            seen = w.Text1->text();
            w.close(); // the close box unloads too
        });
        w.showModalFromTray();
        QCOMPARE(seen, QString("Changed on disk"));
        QCOMPARE(r.side.logos.size(), std::size_t(1));
        QVERIFY(!w.isLoaded());
    }

    void clockLogoStepLoadsTheWindowFirst() {
        Rig r;
        r.w->takeLogoPath("/elsewhere/logo.gif");
        QVERIFY(r.w->isLoaded());
        QCOMPARE(r.w->txtPath->text(), QString("/elsewhere/logo.gif"));
        QCOMPARE(r.side.left, std::vector<int>{17388});
        r.w->takeLogoPath("/again.gif");
        QCOMPARE(r.side.left.size(), std::size_t(1));
    }

    void actionButtonsReachTheClock() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        w.cmdTukarDisplay->click();
        QCOMPARE(r.side.nextDisplay, 1);
        w.cmdSandaran->click();
        QCOMPARE(r.side.backups, 1);
        bool enabledMeanwhile = true;
        connect(&w, &FrmSetting::updaterReloadRequested, &w,
                [&] { enabledMeanwhile = w.cmd_updatedabase->isEnabled(); });
        w.cmd_updatedabase->click();
        QCOMPARE(r.side.reloads, 1);
        QVERIFY(!enabledMeanwhile);
        QVERIFY(w.cmd_updatedabase->isEnabled());

        // Without a clock every button is harmless.
        FrmSetting alone(r.folder, r.clock, r.dialogs);
        alone.Form_Load();
        for (QPushButton* b :
             {alone.cmdTukarDisplay, alone.cmdSandaran, alone.cmd_updatedabase, alone.cmd_tmrScroll})
            b->click();
        alone.HScroll1->setValue(10);
        QCOMPARE(alone.cmd_tmrScroll->text(), QString("Hentikan Skcrol [OFF]"));
    }

    // Nothing is cut off or overlaps: siblings do not intersect and every control has the room it asks for.
    // TAVROLA_SCREENSHOT=<file.png> saves a picture of the window for a look.
    void layoutLeavesEveryControlItsRoom() {
        Rig r;
        FrmSetting& w = *r.w;
        w.Form_Load();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QList<QWidget*> all = w.findChildren<QWidget*>();
        for (QWidget* a : all) {
            if (!a->isVisible() || a->parentWidget() == w.ucShutdownTime || a == w.LlbTarget1)
                continue;
            QVERIFY2(w.rect().contains(a->geometry().translated(a->parentWidget()->mapTo(&w, QPoint()))),
                     qPrintable(a->objectName()));
            const QSize wanted = a->minimumSizeHint();
            if (qobject_cast<QLabel*>(a) || qobject_cast<QPushButton*>(a) || qobject_cast<QCheckBox*>(a))
                QVERIFY2(a->width() >= wanted.width() && a->height() >= wanted.height(),
                         qPrintable(a->objectName()));
            for (QWidget* b : all) {
                if (a == b || b->parentWidget() != a->parentWidget() || !b->isVisible() || b == w.LlbTarget1)
                    continue;
                QVERIFY2(!a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + " / " + b->objectName()));
            }
        }
        const QByteArray shot = qgetenv("TAVROLA_SCREENSHOT");
        if (!shot.isEmpty())
            QVERIFY(w.grab().save(QString::fromLocal8Bit(shot)));
        w.hide();
    }
};

QTEST_MAIN(TestFrmSetting)
#include "tst_frm_setting.moc"

#include "core/clock/HijriCalendar.h"
#include "core/config/AtomicFile.h"
#include "core/config/IniFile.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeSpeech.h"
#include "fakes/TestDatabase.h"
#include "gui/clock/Velmora.h"
#include "gui/widgets/ucAniGIF.h"
#include "core/widgets/GifEncoder.h"
#include "gui/platform/LocalText.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace tavrola;

namespace {

const QColor kRed(255, 0, 0);

// Times Imsak to Isyak used by most cases: Zohor 13:05, Asar 16:25.
std::string settingsText(const std::string& extra = {}) {
    return "[TAJUK-01]\r\nTITLE01=Masjid Al-Hidayah\r\nTSIZE=50\r\nTITLE02=Selamat Datang\r\nFSIZE=30\r\n"
           "TEMPAT=Taman Seri Murni\r\n[12-24HRS]\r\nSETJAM=0\r\n[TARIKH_HIJRAH]\r\nMASA=1\r\n" +
           extra;
}

std::string fileText(const std::filesystem::path& p) {
    std::string s;
    std::error_code ec;
    readWholeFile(p, s, ec);
    return s;
}

QColor textColour(const QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

} // namespace

class TestVelmora : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ProgramFolder> m_folder;
    fakes::FakeClock m_clock;
    fakes::FakeSpeech m_speech;

    std::unique_ptr<Velmora> makeWindow(bool load = true) {
        auto w = std::make_unique<Velmora>(*m_folder, m_clock, m_speech);
        if (load)
            w->load();
        return w;
    }
    void writeSettings(const std::string& text) { QVERIFY(fakes::writeDatabase(m_folder->settingsFile(), text)); }
    void setTime(int h, int m, int s, Date d = {2026, 12, 5}) { m_clock.set(DateTime{d, h, m, s, 0}); }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_folder = std::make_unique<ProgramFolder>(pathFromQt(m_dir->path()));
        m_speech.spoken.clear();
        m_speech.canSpeak = true;
        writeSettings(settingsText());
        QVERIFY(fakes::writeDatabase(m_folder->databaseFile(), fakes::monthText({2026, 12, 1})));
        setTime(13, 10, 5);
    }

    void firstTickFillsTheWindow() {
        auto w = makeWindow();
        QCOMPARE(w->findChild<QLabel*>("cmdZohor")->text(), QString("1:05 PM"));
        QCOMPARE(w->findChild<QLabel*>("cmdImsak")->text(), QString("5:40 AM"));
        QCOMPARE(w->findChild<QLabel*>("cmdIsyak")->text(), QString("8:25 PM"));
        QCOMPARE(w->findChild<QLabel*>("TextTimeReal")->text(), QString("01:10:05 pm"));
        QCOMPARE(w->findChild<QLineEdit*>("txtTime")->text(), QString("1:10 PM"));
        QCOMPARE(w->findChild<QLineEdit*>("txtDate")->text(), QString("05122026"));
        QCOMPARE(w->findChild<QLabel*>("comment")->text(),
                 QString("Waktu Asar bemula jam : 4:25 PM dalam masa - 3 jam 15 minit"));
        QCOMPARE(w->findChild<QLabel*>("tarikh_melayu_caption")->text(), QString("Sabtu, 05 Disember 2026"));
        QCOMPARE(w->findChild<QLabel*>("hariku")->text(), QString("Sabtu"));
        QCOMPARE(w->findChild<QLabel*>("bulan")->text(), QString("Disember"));
        QCOMPARE(w->findChild<QLineEdit*>("Tarikh_Takwim1")->text(), QString("1"));
        QCOMPARE(w->findChild<QLabel*>("TextDateJawi")->text(),
                 QString::fromUtf8(HijriDateText({2026, 12, 4}))); // MASA 1: yesterday's
        QCOMPARE(w->findChild<QLabel*>("txtWEBTAJUK")->text(), QString("Masjid Al-Hidayah"));
        QCOMPARE(w->findChild<QLabel*>("Tajuk_tempat")->text(), QString("Taman Seri Murni"));

        QCOMPARE(textColour(w->cmdZohor), kRed);
        QCOMPARE(textColour(w->cmdAsar), QColor(Qt::white));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(w->indicator(i)->isVisibleTo(w.get()), i == 0);
        QStringList names;
        for (int i = 0; i < 8; ++i)
            names << w->prayerNameLabel(i)->text();
        QCOMPARE(names.join(','), QString("ZOHOR,ASAR,MAGRIB,ISYAK,SUBOH,IMSAK,SYURUK,DHUHA"));
        // Saturday's picture only.
        for (int i = 0; i < 7; ++i)
            QCOMPARE(w->weekdayPicture(i)->isVisibleTo(w.get()), i == 5);
        QVERIFY(m_speech.spoken.empty());
    }

    void startupStepsRunInOrderThenTheTimers() {
        auto w = makeWindow(false);
        QStringList steps;
        const auto step = [&steps](const char* name) {
            return [&steps, name](Velmora&) { steps << QString::fromLatin1(name); };
        };
        w->hooks.recordLayout = step("layout");
        w->hooks.coverMonitor = step("monitor");
        w->hooks.fadeIn = step("fade");
        w->hooks.startScroll = step("scroll");
        w->hooks.startMonitorTools = step("tools");
        w->hooks.logoPathResolved = [&steps](Velmora&, const QString&) { steps << "logo"; };
        w->hooks.loadDataUpdater = [&steps, &w](Velmora&) {
            steps << "updater";
            // The clock has not ticked yet: the design captions still show.
            QCOMPARE(w->cmdZohor->text(), QString("00:00"));
            QVERIFY(!w->SolatTimer->isActive());
        };
        w->load();
        QCOMPARE(steps.join(','), QString("layout,monitor,fade,scroll,tools,logo,updater"));
        QVERIFY(w->SolatTimer->isActive());
        QVERIFY(w->SolatTimer->isSingleShot());
        QCOMPARE(w->SolatTimer->interval(), 1005); // just past the next second
        QVERIFY(w->ReadINITimer->isActive());
        QCOMPARE(w->ReadINITimer->interval(), 500);
        QCOMPARE(w->ShutDwn->interval(), 30000);
        QVERIFY(w->ChgMonitorTimer->isActive());
        QVERIFY(!w->tmrScroll->isActive());
        QVERIFY(!w->DisplayTimer->isActive());
        m_clock.set(DateTime{{2026, 12, 5}, 13, 10, 6, 700});
        w->onSolatTimer();
        QCOMPARE(w->SolatTimer->interval(), 305);
    }

    void announcesAtThePrayersFirstMinute() {
        setTime(13, 4, 59);
        auto w = makeWindow();
        QVERIFY(m_speech.spoken.empty());
        w->ReadINITimer->stop();
        setTime(13, 5, 0);
        w->onSolatTimer();
        QCOMPARE(m_speech.spoken.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(m_speech.spoken[0]), QString("It is now, time for Zuhr prayer."));
        QCOMPARE(textColour(w->cmdZohor), kRed);
        const QColor buttonFace = QApplication::palette().color(QPalette::Button);
        for (QLabel* other : {w->cmdAsar, w->cmdMagrib, w->cmdIsyak, w->cmdSuboh})
            QCOMPARE(textColour(other), buttonFace);
        QCOMPARE(textColour(w->cmdImsak), QColor(Qt::white));
        QVERIFY(w->indicator(0)->isVisibleTo(w.get()));
        QVERIFY(w->ReadINITimer->isActive());
        // The same tick replaces the announcement line with the countdown.
        QCOMPARE(w->comment->text(), QString("Waktu Asar bemula jam : 4:25 PM dalam masa - 3 jam 20 minit"));
        setTime(13, 5, 1);
        w->onSolatTimer();
        QCOMPARE(m_speech.spoken.size(), std::size_t(1));
    }

    void aSilentEngineDoesNotStopTheAnnouncement() {
        m_speech.canSpeak = false;
        setTime(16, 24, 59);
        auto w = makeWindow();
        setTime(16, 25, 0);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("without sound"));
        w->onSolatTimer();
        QVERIFY(w->speechFailureNoted());
        QCOMPARE(textColour(w->cmdAsar), kRed);
        QVERIFY(w->indicator(1)->isVisibleTo(w.get()));
        // Noted once: the next failing announcement writes nothing more.
        QTest::failOnWarning(QRegularExpression("without sound"));
        setTime(20, 24, 59);
        w->onSolatTimer();
        setTime(20, 25, 0);
        w->onSolatTimer();
        QCOMPARE(m_speech.spoken.size(), std::size_t(2));
        QCOMPARE(textColour(w->cmdIsyak), kRed);
    }

    void clockModeFollowsSetjamAtTheNextTick() {
        auto w = makeWindow();
        QCOMPARE(w->TextTimeReal->text(), QString("01:10:05 pm"));
        QVERIFY(AddToINI("12-24HRS", "SETJAM", "1", m_folder->settingsFile()));
        QCOMPARE(w->TextTimeReal->text(), QString("01:10:05 pm"));
        w->onSolatTimer();
        QCOMPARE(w->TextTimeReal->text(), QString("13:10:05"));
        QVERIFY(AddToINI("12-24HRS", "SETJAM", "2", m_folder->settingsFile()));
        w->onSolatTimer();
        QCOMPARE(w->TextTimeReal->text(), QString("13:10:05"));
        QVERIFY(AddToINI("12-24HRS", "SETJAM", "0", m_folder->settingsFile()));
        w->onSolatTimer();
        QCOMPARE(w->TextTimeReal->text(), QString("01:10:05 pm"));
    }

    void missingClockModeIsWrittenAsZero() {
        writeSettings("[TAJUK-01]\r\nTITLE01=A\r\n");
        auto w = makeWindow();
        QCOMPARE(w->TextTimeReal->text(), QString("01:10:05 pm"));
        QCOMPARE(QString::fromStdString(GetFromINI("12-24HRS", "SETJAM", "", m_folder->settingsFile())),
                 QString("0"));
    }

    void titleRefreshReadsWithoutWriting() {
        auto w = makeWindow();
        QVERIFY(AddToINI("TAJUK-01", "TITLE01", "Surau An-Nur", m_folder->settingsFile()));
        QVERIFY(AddToINI("TAJUK-01", "TSIZE", "80", m_folder->settingsFile()));
        QVERIFY(AddToINI("TAJUK-01", "FSIZE", "abc", m_folder->settingsFile()));
        const double secondSize = w->txtWEBTAJUK2->font().pointSizeF();
        QTRY_COMPARE_WITH_TIMEOUT(w->txtWEBTAJUK->text(), QString("Surau An-Nur"), 1500);
        QCOMPARE(w->txtWEBTAJUK->font().pointSizeF(), 80.0);
        QCOMPARE(w->txtWEBTAJUK2->font().pointSizeF(), secondSize); // no number: size kept

        // Too long for the screen at 80 points: smaller, but whole.
        w->setGeometry(0, 0, Velmora::kDesignWidth, Velmora::kDesignHeight);
        const QString longTitle("Masjid Jamek Sultan Abdul Samad Bandar Baru Bangi");
        QVERIFY(AddToINI("TAJUK-01", "TITLE01", fromQt(longTitle), m_folder->settingsFile()));
        w->onReadINITimer();
        QVERIFY(w->txtWEBTAJUK->font().pointSizeF() < 80);
        QVERIFY(QFontMetrics(w->txtWEBTAJUK->font()).horizontalAdvance(longTitle) <= w->txtWEBTAJUK->width());
        QVERIFY(AddToINI("TAJUK-01", "TITLE01", "Surau", m_folder->settingsFile()));
        w->onReadINITimer();
        QCOMPARE(w->txtWEBTAJUK->font().pointSizeF(), 80.0);

        writeSettings("[12-24HRS]\r\nSETJAM=0\r\n");
        const std::string before = fileText(m_folder->settingsFile());
        w->onReadINITimer();
        QCOMPARE(w->txtWEBTAJUK->text(), QString());
        QCOMPARE(w->Tajuk_tempat->text(), QString());
        QCOMPARE(fileText(m_folder->settingsFile()), before);
    }

    void closeHidesAndAsksForTheTrayIcon() {
        auto w = makeWindow();
        int trayCalls = 0;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QVERIFY(!w->close());
        QVERIFY(w->isHidden()); // no tray hook: the window hides itself
        w->show();
        // With a tray, the tray decides (it keeps the clock on screen when there is no tray area).
        w->hooks.ensureTrayIcon = [&trayCalls](Velmora& v) {
            ++trayCalls;
            v.hide();
        };
        QVERIFY(!w->close());
        QVERIFY(w->isHidden());
        QCOMPARE(trayCalls, 1);
        QVERIFY(w->SolatTimer->isActive());
    }

    void badInputShowsDesignedFallbacks() {
        // No database at all: every time is 00:00 and the countdown runs to midnight.
        QVERIFY(QFile::remove(pathToQt(m_folder->databaseFile())));
        QVERIFY(AddToINI("TARIKH_HIJRAH", "MASA", "abc", m_folder->settingsFile()));
        setTime(22, 30, 0);
        auto w = makeWindow();
        QCOMPARE(w->cmdZohor->text(), QString("00:00 PM"));
        QCOMPARE(w->cmdSuboh->text(), QString("00:00 AM"));
        QCOMPARE(w->comment->text(), QString("Waktu Suboh bemula jam : 00:00 AM dalam masa - 1 jam 30 minit"));
        QCOMPARE(textColour(w->cmdIsyak), kRed);
        QCOMPARE(w->TextDateJawi->text(), QString::fromUtf8(HijriDateText({2026, 12, 5})));
        QVERIFY(!QFile::exists(pathToQt(m_folder->databaseFile())));

        // Dashes and garbage, and a database of another month.
        fakes::EightTimes odd = {"--:--", "x", "", "7:5", "--:--", "25:99", "19:10", "20:25"};
        QVERIFY(fakes::writeDatabase(m_folder->databaseFile(), fakes::monthText({2026, 12, 1}, odd)));
        w->onSolatTimer();
        QCOMPARE(w->cmdZohor->text(), QString("12:-- PM"));
        QCOMPARE(w->cmdSuboh->text(), QString("x AM"));
        QCOMPARE(w->cmdAsar->text(), QString("13:99 PM"));
        QCOMPARE(w->cmdImsak->text(), QString("12:-- AM"));
        QVERIFY(fakes::writeDatabase(m_folder->databaseFile(), fakes::monthText({2027, 1, 1})));
        w->onSolatTimer();
        QCOMPARE(w->cmdMagrib->text(), QString("00:00 PM"));

        // A settings file that cannot be read as INI: the clock still runs, in 12-hour form.
        writeSettings("[\r\nSETJAM=1\r\n");
        w->onSolatTimer();
        w->onReadINITimer();
        QCOMPARE(w->TextTimeReal->text(), QString("10:30:00 pm"));
    }

    void newDayRefreshesDatesAndHijri() {
        setTime(23, 59, 59, {2026, 12, 5});
        auto w = makeWindow();
        const QString hijriBefore = w->TextDateJawi->text();
        setTime(0, 0, 0, {2026, 12, 6});
        w->onSolatTimer();
        QCOMPARE(w->txtDate->text(), QString("06122026"));
        QCOMPARE(w->tarikh_melayu_caption->text(), QString("Ahad, 06 Disember 2026"));
        QVERIFY(w->TextDateJawi->text() != hijriBefore);
        QCOMPARE(w->TextDateJawi->text(), QString::fromUtf8(HijriDateText({2026, 12, 5})));
        QVERIFY(w->weekdayPicture(6)->isVisibleTo(w.get()));
        QVERIFY(!w->weekdayPicture(5)->isVisibleTo(w.get()));
        w->showWeekdayPicture("ahad - ya! hai u yakayum");
        for (int i = 0; i < 7; ++i)
            QVERIFY(!w->weekdayPicture(i)->isVisibleTo(w.get()));
    }

    void logoComesFromTheProgramFolder() {
        QDir(m_dir->path()).mkpath("logo");
        GifEncoder gif(40, 40);
        gif.setGlobalPalette({GifColour{0, 200, 0}, GifColour{0, 0, 0}});
        gif.addFrame(GifEncoderFrame{0, 0, 40, 40, 0, 0, false, 0, false, {}, std::vector<std::uint8_t>(1600, 0)});
        QFile out(m_dir->filePath("logo/logo.gif"));
        QVERIFY(out.open(QIODevice::WriteOnly));
        const std::string bytes = gif.encode();
        out.write(bytes.data(), static_cast<qint64>(bytes.size()));
        out.close();
        writeSettings(settingsText("[GAMBAR]\r\nLOGO1=.\\logo\\logo.gif\r\n"));
        auto w = makeWindow(false);
        QString resolved;
        w->hooks.logoPathResolved = [&resolved](Velmora&, const QString& p) { resolved = p; };
        w->load();
        QCOMPARE(QFileInfo(resolved).canonicalFilePath(),
                 QFileInfo(m_dir->filePath("logo/logo.gif")).canonicalFilePath());
        QCOMPARE(w->logoControl()->FrameCount(), 1);

        QVERIFY(AddToINI("GAMBAR", "LOGO1", ".\\logo\\missing.gif", m_folder->settingsFile()));
        w->loadLogo();
        QCOMPARE(w->logoControl()->FrameCount(), 0);
    }

    void blackBackgroundLeavesOnlyDigitsAndCaptions() {
        auto w = makeWindow();
        w->setGeometry(0, 0, Velmora::kDesignWidth, Velmora::kDesignHeight);
        const QPoint stripCorner(6, 1050); // inside the strip's card, away from any text
        QVERIFY(w->grab().toImage().pixelColor(stripCorner) != QColor(Qt::black));
        QPixmap black(Velmora::kDesignWidth, Velmora::kDesignHeight);
        black.fill(Qt::black);
        w->setBackgroundPicture(black);
        const QImage shown = w->grab().toImage();
        QCOMPARE(shown.pixelColor(stripCorner), QColor(Qt::black));
        QCOMPARE(shown.pixelColor(QPoint(1360, 500)), QColor(Qt::black)); // between clock and panel
        // The clock's digits still show.
        const QRect clock = w->TextTimeReal->geometry();
        int lit = 0;
        int faint = 0; // neither black (see-through) nor ink: unlit segments would show as dark bars
        for (int y = clock.top(); y < clock.bottom(); y += 4)
            for (int x = clock.left(); x < clock.right(); x += 4) {
                const QColor c = shown.pixelColor(x, y);
                lit += c == QColor(Qt::white) ? 1 : 0;
                faint += c != QColor(Qt::black) && std::max({c.red(), c.green(), c.blue()}) < 48 ? 1 : 0;
            }
        QVERIFY(lit > 100);
        QVERIFY2(faint < lit / 10, qPrintable(QString("%1 faint pixels").arg(faint)));
    }
};

QTEST_MAIN(TestVelmora)
#include "tst_velmora.moc"

// The clock window as the program runs it: its start-up, its tick, its titles, logo and close,
// and what the rest of the program may ask of it.
#include "core/clock/HijriCalendar.h"
#include "core/config/AtomicFile.h"
#include "core/widgets/GifEncoder.h"
#include "gui/platform/LocalText.h"
#include "gui/settings/FrmSetting.h"
#include "gui/widgets/ucAniGIF.h"
#include "fakes/FakeDialogs.h"
#include "support/ClockWindowRig.h"
#include "support/QtTestRegistry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace tavrola;
using tavrola::testing::ClockWindowRig;

namespace {

const QColor kRed(255, 0, 0);

std::string fileText(const std::filesystem::path& p) {
    std::string s;
    std::error_code ec;
    readWholeFile(p, s, ec);
    return s;
}

bool shown(const ClockWindowRig& rig, const char* name) {
    return rig.find(name)->isVisibleTo(rig.window.get());
}

void writeGif(const std::filesystem::path& file) {
    GifEncoder gif(40, 40);
    gif.setGlobalPalette({GifColour{0, 200, 0}, GifColour{0, 0, 0}});
    gif.addFrame(GifEncoderFrame{0, 0, 40, 40, 0, 0, false, 0, false, {}, std::vector<std::uint8_t>(1600, 0)});
    std::filesystem::create_directories(file.parent_path());
    fakes::writeDatabase(file, gif.encode());
}

} // namespace

class TestClockWindow : public QObject {
    Q_OBJECT
private slots:
    void firstTickFillsTheWindow() {
        ClockWindowRig rig;
        rig.load();
        QCOMPARE(rig.text("cmdZohor"), QString("1:05 PM"));
        QCOMPARE(rig.text("cmdImsak"), QString("5:40 AM"));
        QCOMPARE(rig.text("TextTimeReal"), QString("01:10:05 pm"));
        QCOMPARE(rig.text("txtDate"), QString("05122026"));
        QCOMPARE(rig.text("comment"), QString("Waktu Asar bemula jam : 4:25 PM dalam masa - 3 jam 15 minit"));
        QCOMPARE(rig.text("tarikh_melayu_caption"), QString("Sabtu, 05 Disember 2026"));
        QCOMPARE(rig.text("TextDateJawi"), QString::fromUtf8(HijriDateText({2026, 12, 4}))); // MASA 1
        QCOMPARE(rig.text("txtWEBTAJUK"), QString("Masjid Al-Hidayah"));
        QCOMPARE(rig.text("Tajuk_tempat"), QString("Taman Seri Murni"));
        QCOMPARE(rig.colour("cmdZohor"), kRed);
        QCOMPARE(rig.colour("cmdAsar"), QColor(Qt::white));
        QVERIFY(shown(rig, "ucAniGIF2_0") && !shown(rig, "ucAniGIF2_1"));
        QVERIFY(shown(rig, "sabtu1") && !shown(rig, "ahad1"));
        QVERIFY(rig.speech.spoken.empty());
    }

    void startUpRunsItsStepsBeforeTheClock() {
        ClockWindowRig rig;
        QStringList steps;
        connect(rig.window.get(), &Velmora::logoPathResolved, this, [&] { steps << "logo"; });
        connect(rig.window.get(), &Velmora::dataUpdaterDue, this, [&] {
            steps << "updater";
            // The clock has not ticked yet: the design captions still show.
            QCOMPARE(rig.text("cmdZohor"), QString("00:00"));
        });
        rig.load();
        QCOMPARE(steps.join(','), QString("logo,updater"));
        QVERIFY(rig.window->isVisible());
        QCOMPARE(rig.window->geometry(), QRect(0, 0, 1920, 1080)); // the monitor under the pointer
        const auto timer = [&](const char* name) { return rig.find<QTimer>(name); };
        QVERIFY(timer("SolatTimer")->isActive() && timer("SolatTimer")->isSingleShot());
        QCOMPARE(timer("SolatTimer")->interval(), 1005); // just past the next second
        QVERIFY(timer("ReadINITimer")->isActive() && timer("ShutDwn")->isActive());
        QVERIFY(timer("DisplayTimer")->isActive() && timer("ChgMonitorTimer")->isActive());
        QVERIFY(!timer("tmrScroll")->isActive()); // SKROL=OFF
        rig.clock.set(DateTime{{2026, 12, 5}, 13, 10, 6, 700});
        rig.tick();
        QCOMPARE(timer("SolatTimer")->interval(), 305);
    }

    void announcesOnceAtThePrayersFirstMinute() {
        ClockWindowRig rig;
        rig.setTime(13, 4, 59);
        rig.load();
        rig.setTime(13, 5, 0);
        rig.tick();
        rig.setTime(13, 5, 1);
        rig.tick();
        QCOMPARE(rig.speech.spoken, std::vector<std::string>{"It is now, time for Zuhr prayer."});
        QCOMPARE(rig.colour("cmdZohor"), kRed);
        QCOMPARE(rig.colour("cmdAsar"), QApplication::palette().color(QPalette::Button));

        // Without a speech engine the announcement still shows, and the failure is noted once.
        rig.speech.canSpeak = false;
        rig.setTime(16, 25, 0);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("without sound"));
        rig.tick();
        QTest::failOnWarning(QRegularExpression("without sound"));
        rig.setTime(20, 25, 0);
        rig.tick();
        QCOMPARE(rig.colour("cmdIsyak"), kRed);
        QVERIFY(shown(rig, "ucAniGIF2_3"));
    }

    void clockModeFollowsSetjamAtTheNextTick() {
        ClockWindowRig rig("", {1920, 1080});
        rig.writeSettings("[TAJUK-01]\r\nTITLE01=A\r\n"); // no SETJAM: written as 0
        rig.load();
        QCOMPARE(QString::fromStdString(GetFromINI("12-24HRS", "SETJAM", "", rig.folder.settingsFile())), "0");
        for (const auto& [mode, shownText] :
             {std::pair{"1", "13:10:05"}, {"2", "13:10:05"}, {"0", "01:10:05 pm"}}) {
            rig.set("12-24HRS", "SETJAM", mode);
            rig.tick();
            QCOMPARE(rig.text("TextTimeReal"), QString(shownText));
        }
    }

    void titlesFollowTheFileWithoutWritingIt() {
        ClockWindowRig rig;
        rig.load();
        auto* title = rig.find<QLabel>("txtWEBTAJUK");
        const double secondSize = rig.find("txtWEBTAJUK2")->font().pointSizeF();
        rig.set("TAJUK-01", "TITLE01", "Surau An-Nur");
        rig.set("TAJUK-01", "TSIZE", "80");
        rig.set("TAJUK-01", "FSIZE", "abc");
        QTRY_COMPARE_WITH_TIMEOUT(title->text(), QString("Surau An-Nur"), 1500); // within half a second
        QCOMPARE(title->font().pointSizeF(), 80.0);
        QCOMPARE(rig.find("txtWEBTAJUK2")->font().pointSizeF(), secondSize); // no number: size kept

        // Too long for the screen at 80 points: smaller, but whole.
        const QString longTitle("Masjid Jamek Sultan Abdul Samad Bandar Baru Bangi");
        rig.set("TAJUK-01", "TITLE01", fromQt(longTitle));
        rig.readTitles();
        QVERIFY(title->font().pointSizeF() < 80);
        QVERIFY(QFontMetrics(title->font()).horizontalAdvance(longTitle) <= title->width());

        rig.writeSettings("[12-24HRS]\r\nSETJAM=0\r\n");
        const std::string before = fileText(rig.folder.settingsFile());
        rig.readTitles();
        QCOMPARE(title->text(), QString());
        QCOMPARE(rig.text("Tajuk_tempat"), QString());
        QCOMPARE(fileText(rig.folder.settingsFile()), before);
    }

    void closingHidesOrLetsTheTrayDecide() {
        ClockWindowRig rig;
        rig.load();
        QVERIFY(!rig.window->close());
        QVERIFY(rig.window->isHidden()); // nobody listening: the window hides itself
        rig.window->show();
        QSignalSpy asked(rig.window.get(), &Velmora::closeRequested);
        QVERIFY(!rig.window->close());
        QCOMPARE(asked.count(), 1);
        QVERIFY(rig.window->isVisible()); // the tray hides it, or keeps it when there is no tray
        QVERIFY(rig.find<QTimer>("SolatTimer")->isActive());
    }

    void badInputShowsDesignedFallbacks() {
        ClockWindowRig rig;
        std::filesystem::remove(rig.folder.databaseFile());
        rig.set("TARIKH_HIJRAH", "MASA", "abc");
        rig.setTime(22, 30, 0);
        rig.load();
        QCOMPARE(rig.text("cmdZohor"), QString("00:00 PM"));
        QCOMPARE(rig.text("comment"), QString("Waktu Suboh bemula jam : 00:00 AM dalam masa - 1 jam 30 minit"));
        QCOMPARE(rig.text("TextDateJawi"), QString::fromUtf8(HijriDateText({2026, 12, 5})));
        QVERIFY(!std::filesystem::exists(rig.folder.databaseFile()));

        const fakes::EightTimes odd = {"--:--", "x", "", "7:5", "--:--", "25:99", "19:10", "20:25"};
        fakes::writeDatabase(rig.folder.databaseFile(), fakes::monthText({2026, 12, 1}, odd));
        rig.tick();
        QCOMPARE(rig.text("cmdZohor"), QString("12:-- PM"));
        QCOMPARE(rig.text("cmdAsar"), QString("13:99 PM"));

        rig.writeSettings("[\r\nSETJAM=1\r\n"); // not INI at all: the clock runs in 12-hour form
        rig.tick();
        rig.readTitles();
        QCOMPARE(rig.text("TextTimeReal"), QString("10:30:00 pm"));
    }

    void newDayRefreshesDatesAndPictures() {
        ClockWindowRig rig;
        rig.setTime(23, 59, 59);
        rig.load();
        rig.setTime(0, 0, 0, {2026, 12, 6});
        rig.tick();
        QCOMPARE(rig.text("tarikh_melayu_caption"), QString("Ahad, 06 Disember 2026"));
        QCOMPARE(rig.text("TextDateJawi"), QString::fromUtf8(HijriDateText({2026, 12, 5})));
        QVERIFY(shown(rig, "ahad1") && !shown(rig, "sabtu1"));
    }

    void logoIsDecodedOnceAndSharedWithTheSettingsWindow() {
        ClockWindowRig rig("[GAMBAR]\r\nLOGO1=.\\logo\\logo.gif\r\n");
        writeGif(rig.dir / "logo" / "logo.gif");
        fakes::FakeDialogs dialogs;
        FrmSetting settings(rig.folder, rig.clock, dialogs);
        connect(rig.window.get(), &Velmora::logoPathResolved, &settings, &FrmSetting::takeLogoPath);
        connect(&settings, &FrmSetting::logoFileChosen, rig.window.get(), &Velmora::showLogoFile);
        connect(rig.window.get(), &Velmora::logoPathResolved, this,
                [&] { std::filesystem::remove(rig.dir / "logo" / "logo.gif"); }); // read it once only
        rig.load();
        auto* logo = rig.find<ucAniGIF>("ucAniGIF1");
        QCOMPARE(logo->FrameCount(), 1);
        QVERIFY(!settings.logoPreview().isNull());
        QCOMPARE(QDir::fromNativeSeparators(settings.txtPath->text()), pathToQt(rig.dir / "logo" / "logo.gif"));

        rig.window->showLogoFile(pathToQt(rig.dir / "logo" / "missing.gif"));
        QCOMPARE(logo->FrameCount(), 0); // unreadable: no picture
    }

    void answersTheRestOfTheProgram() {
        ClockWindowRig rig;
        rig.screens.add("TWO", {1920, 0, 3840, 1080});
        rig.load();
        QSignalSpy scroll(rig.window.get(), &Velmora::scrollRunningChanged);
        rig.window->setScrollRunning(true);
        QVERIFY(rig.window->scrollRunning() && rig.find<QTimer>("tmrScroll")->isActive());
        QCOMPARE(scroll.value(0).value(0).toBool(), true);
        rig.window->setShutdownChecks(false);
        QVERIFY(!rig.find<QTimer>("ShutDwn")->isActive());
        rig.window->showShutdownStatus("22:00", "21:07", "Tutup 22:00");
        QCOMPARE(rig.text("shut_tutup") + rig.text("Jamcount") + rig.text("lblLabel2"), "22:0021:07Tutup 22:00");
        rig.window->moveToNextMonitor();
        QCOMPARE(rig.window->geometry(), QRect(1920, 0, 1920, 1080));
        QTest::keyClick(rig.window.get(), Qt::Key_F12); // and back
        QCOMPARE(rig.window->geometry(), QRect(0, 0, 1920, 1080));
    }

    void noBackgroundLeavesOnlyDigitsAndCaptions() {
        ClockWindowRig rig;
        rig.load();
        const QPoint stripCorner(6, 1050); // inside the strip's card, away from any text
        QVERIFY(rig.window->grab().toImage().pixelColor(stripCorner) != QColor(Qt::black));
        rig.window->hide();
        rig.window->showWithoutBackground(); // no bg/hitam.jpg here: plain black stands in
        QVERIFY(rig.window->isVisible());
        const QImage shownImage = rig.window->grab().toImage();
        QCOMPARE(shownImage.pixelColor(stripCorner), QColor(Qt::black));
        QCOMPARE(shownImage.pixelColor(QPoint(1360, 500)), QColor(Qt::black)); // between clock and panel
        const QRect clock = rig.find("TextTimeReal")->geometry();
        int lit = 0;
        int faint = 0; // neither black (see-through) nor ink: unlit segments would show as dark bars
        for (int y = clock.top(); y < clock.bottom(); y += 4)
            for (int x = clock.left(); x < clock.right(); x += 4) {
                const QColor c = shownImage.pixelColor(x, y);
                lit += c == QColor(Qt::white) ? 1 : 0;
                faint += c != QColor(Qt::black) && std::max({c.red(), c.green(), c.blue()}) < 48 ? 1 : 0;
            }
        QVERIFY(lit > 100);
        QVERIFY2(faint < lit / 10, qPrintable(QString("%1 faint pixels").arg(faint)));
    }
};

TAVROLA_QTEST(TestClockWindow)
#include "tst_clock_window.moc"

#include "fakes/FakeAudio.h"
#include "fakes/FakeClock.h"
#include "fakes/FakeSpeech.h"
#include "fakes/TestDatabase.h"
#include "gui/clock/IqamahPanel.h"
#include "gui/clock/PrayerInProgressPanel.h"
#include "gui/clock/Velmora.h"
#include "gui/platform/LocalText.h"
#include "support/QtTestRegistry.h"

#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace tavrola;

namespace {

// A clock window on a test program folder: Saturday 5 December 2026, Zohor 13:05.
struct Hall {
    explicit Hall(const std::string& settings) : folder(pathFromQt(dir.path())) {
        fakes::writeDatabase(folder.settingsFile(), "[12-24HRS]\r\nSETJAM=1\r\n" + settings);
        fakes::writeDatabase(folder.databaseFile(), fakes::monthText({2026, 12, 1}));
    }
    Velmora& open(int h, int m, int s) {
        clock.set(2026, 12, 5, h, m, s);
        window = std::make_unique<Velmora>(folder, clock, speech);
        window->setAudio(&audio);
        window->load();
        return *window;
    }
    void tick(int h, int m, int s) {
        clock.set(2026, 12, 5, h, m, s);
        window->onSolatTimer();
    }
    bool shows(const QWidget* w) const { return w && w->isVisibleTo(window.get()); }
    IqamahPanel* countdown() const { return window->findChild<IqamahPanel*>(); }
    PrayerInProgressPanel* prayer() const { return window->findChild<PrayerInProgressPanel*>(); }
    QWidget* strip() const { return window->findChild<QWidget*>("picHolder"); }

    QTemporaryDir dir;
    ProgramFolder folder;
    fakes::FakeClock clock;
    fakes::FakeSpeech speech;
    fakes::FakeAudio audio;
    std::unique_ptr<Velmora> window;
};

const std::string kZohor = "[IQAMAH]\r\nZOHOR=10\r\nPESAN=Sila matikan telefon\r\nBUNYI=ON\r\n"
                           "[SOLAT]\r\nZOHOR=15\r\n[AZAN]\r\nFAIL=.\\azan\\azan.mp3\r\n";

} // namespace

class TestIqamahScreen : public QObject {
    Q_OBJECT
private slots:
    void countdownStandsBesideTheClockAndRunsOut() {
        Hall hall(kZohor);
        Velmora& w = hall.open(13, 10, 0);
        IqamahPanel* panel = hall.countdown();
        QVERIFY(hall.shows(panel));
        QCOMPARE(panel->countdownText(), QString("05:00"));
        QCOMPARE(panel->prayerName(), QString("ZOHOR"));
        QCOMPARE(panel->message(), QString("Sila matikan telefon"));
        // The big clock and the date stay; the countdown's digits are at least half the clock's.
        for (const char* name : {"TextTimeReal", "tarikh_melayu_caption", "TextDateJawi"})
            QVERIFY2(hall.shows(w.findChild<QLabel*>(name)), name);
        QVERIFY(!panel->geometry().intersects(w.findChild<QLabel*>("TextTimeReal")->geometry()));
        QVERIFY(panel->digitPixelSize() * 2 >= w.findChild<QLabel*>("TextTimeReal")->font().pixelSize());
        QVERIFY(!hall.shows(hall.strip()));

        hall.tick(13, 14, 51);
        QCOMPARE(panel->countdownText(), QString("00:09"));
        QVERIFY(panel->lastSeconds());
        hall.tick(13, 14, 59);
        QCOMPARE(hall.audio.tones, 0);
        hall.tick(13, 15, 0);
        QCOMPARE(hall.audio.tones, 1);
        QVERIFY(!hall.shows(panel));
        QVERIFY(hall.shows(hall.prayer()));
    }

    void theAzanPlaysAndItsSentenceStandsInWhenItCannot() {
        Hall hall(kZohor);
        hall.open(13, 4, 30);
        hall.tick(13, 5, 0);
        QCOMPARE(hall.audio.played.size(), std::size_t(1));
        QCOMPARE(hall.audio.played[0], hall.folder.root() / "azan" / "azan.mp3");
        QVERIFY(hall.speech.spoken.empty());
        hall.audio.failLater(); // started, then would not play
        QCOMPARE(hall.speech.spoken, std::vector<std::string>{"It is now, time for Zuhr prayer."});

        hall.audio.canPlay = false; // refused at once (missing file, no output)
        hall.tick(16, 24, 30);
        hall.tick(16, 25, 0);
        QCOMPARE(hall.speech.spoken.back(), std::string("It is now, time for Asr prayer."));
    }
};

class TestPrayerScreen : public QObject {
    Q_OBJECT
private slots:
    void darkButForACornerThenTheClockAsItWas() {
        Hall hall(kZohor);
        Velmora& w = hall.open(13, 27, 0);
        PrayerInProgressPanel* screen = hall.prayer();
        QVERIFY(hall.shows(screen));
        QCOMPARE(screen->geometry(), w.rect());
        QCOMPARE(screen->caption(), QString("ZOHOR - Solat sedang didirikan"));
        QCOMPARE(screen->minutesText(), QString("12 minit selepas iqamah"));
        QCOMPARE(screen->clockText(), w.findChild<QLabel*>("TextTimeReal")->text());
        const QImage shot = w.grab().toImage();
        QVERIFY(qGray(shot.pixel(shot.width() / 2, shot.height() / 2)) < 10);
        QVERIFY(qGray(shot.pixel(shot.width() / 10, shot.height() / 10)) < 10);

        hall.tick(13, 30, 0);
        QVERIFY(!hall.shows(screen));
        QVERIFY(hall.shows(hall.strip()));
        QVERIFY(w.findChild<QLabel*>("comment")->text().startsWith("Waktu Asar bemula"));
    }

    void withoutTheSettingsNothingChangesAllDay() {
        Hall hall("");
        hall.open(0, 0, 0);
        for (int minute = 0; minute < 24 * 60; minute += 5) {
            hall.tick(minute / 60, minute % 60, 30);
            QVERIFY(!hall.shows(hall.countdown()) && !hall.shows(hall.prayer()) && hall.shows(hall.strip()));
        }
        hall.tick(13, 4, 30);
        hall.tick(13, 5, 0);
        QVERIFY(hall.audio.played.empty());
        QCOMPARE(hall.speech.spoken.back(), std::string("It is now, time for Zuhr prayer."));
    }
};

TAVROLA_QTEST(TestIqamahScreen)
TAVROLA_QTEST(TestPrayerScreen)

#include "tst_congregation_screens.moc"

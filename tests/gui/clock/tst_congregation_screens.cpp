#include "fakes/FakeAudio.h"
#include "gui/clock/IqamahPanel.h"
#include "gui/clock/PrayerInProgressPanel.h"
#include "support/ClockWindowRig.h"
#include "support/QtTestRegistry.h"

#include <QImage>
#include <QtTest>

using namespace tavrola;

namespace {

// The clock window of a hall with Zohor's iqamah 10 minutes after 13:05 and its prayer screen 15.
struct Hall : testing::ClockWindowRig {
    explicit Hall(const std::string& settings = kZohor) : ClockWindowRig(settings) { window->setAudio(&audio); }
    Velmora& open(int h, int m, int s) {
        setTime(h, m, s);
        load();
        return *window;
    }
    void tick(int h, int m, int s) {
        setTime(h, m, s);
        ClockWindowRig::tick();
    }
    bool shows(const QWidget* w) const { return w && w->isVisibleTo(window.get()); }
    IqamahPanel* countdown() const { return window->findChild<IqamahPanel*>(); }
    PrayerInProgressPanel* prayer() const { return window->findChild<PrayerInProgressPanel*>(); }

    static inline const std::string kZohor = "[IQAMAH]\r\nZOHOR=10\r\nPESAN=Sila matikan telefon\r\nBUNYI=ON\r\n"
                                             "[SOLAT]\r\nZOHOR=15\r\n[AZAN]\r\nFAIL=.\\azan\\azan.mp3\r\n";
    fakes::FakeAudio audio;
};

} // namespace

class TestIqamahScreen : public QObject {
    Q_OBJECT
private slots:
    void countdownStandsBesideTheClockAndRunsOut() {
        Hall hall;
        hall.open(13, 10, 0);
        IqamahPanel* panel = hall.countdown();
        QVERIFY(hall.shows(panel));
        QCOMPARE(panel->countdownText(), QString("05:00"));
        QCOMPARE(panel->prayerName(), QString("ZOHOR"));
        QCOMPARE(panel->message(), QString("Sila matikan telefon"));
        // The big clock and the date stay; the countdown's digits are at least half the clock's.
        for (const char* name : {"TextTimeReal", "tarikh_melayu_caption", "TextDateJawi"})
            QVERIFY2(hall.shows(hall.find(name)), name);
        const QLabel* clock = hall.find<QLabel>("TextTimeReal");
        QVERIFY(!panel->geometry().intersects(clock->geometry()));
        QVERIFY(panel->digitPixelSize() * 2 >= clock->font().pixelSize());
        QVERIFY(!hall.shows(hall.find("picHolder")));

        // It scales with the window like everything else.
        const QRect full = panel->geometry();
        hall.window->resize(960, 540);
        QCOMPARE(panel->geometry(), QRect(full.x() / 2, full.y() / 2, full.width() / 2, full.height() / 2));
        QVERIFY(panel->digitPixelSize() * 2 >= clock->font().pixelSize());

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
        Hall hall;
        hall.open(13, 4, 30);
        hall.tick(13, 5, 0);
        QCOMPARE(hall.audio.played, std::vector<std::filesystem::path>{hall.folder.root() / "azan" / "azan.mp3"});
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
        Hall hall;
        Velmora& w = hall.open(13, 27, 0);
        PrayerInProgressPanel* screen = hall.prayer();
        QVERIFY(hall.shows(screen));
        QCOMPARE(screen->geometry(), w.rect());
        QCOMPARE(screen->caption(), QString("ZOHOR - Solat sedang didirikan"));
        QCOMPARE(screen->minutesText(), QString("12 minit selepas iqamah"));
        QCOMPARE(screen->clockText(), hall.text("TextTimeReal"));
        const QImage shot = w.grab().toImage();
        QVERIFY(qGray(shot.pixel(shot.width() / 2, shot.height() / 2)) < 10);
        QVERIFY(qGray(shot.pixel(shot.width() / 10, shot.height() / 10)) < 10);

        hall.tick(13, 30, 0);
        QVERIFY(!hall.shows(screen));
        QVERIFY(hall.shows(hall.find("picHolder")));
        QVERIFY(hall.text("comment").startsWith("Waktu Asar bemula"));
    }

    void withoutTheSettingsNothingChangesAllDay() {
        Hall hall("");
        hall.open(0, 0, 0);
        for (int minute = 0; minute < 24 * 60; minute += 5) {
            hall.tick(minute / 60, minute % 60, 30);
            QVERIFY(!hall.shows(hall.countdown()) && !hall.shows(hall.prayer()) &&
                    hall.shows(hall.find("picHolder")));
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

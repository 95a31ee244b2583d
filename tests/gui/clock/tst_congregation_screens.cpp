// SPDX-License-Identifier: GPL-3.0-or-later
// The congregation's two screens on the clock window: the iqamah countdown and the prayer screen.
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
    void azanThenCountdownBesideTheClockRunningOut() {
        Hall hall;
        hall.setTime(13, 4, 30);
        hall.load();
        hall.tick(13, 5, 0);
        QCOMPARE(hall.audio.played, std::vector<std::filesystem::path>{hall.folder.root() / "azan" / "azan.mp3"});
        QVERIFY(hall.speech.spoken.empty());
        hall.audio.failLater(); // started, then would not play: the sentence stands in
        QCOMPARE(hall.speech.spoken, std::vector<std::string>{"It is now, time for Zuhr prayer."});

        hall.tick(13, 10, 0);
        IqamahPanel* panel = hall.countdown();
        QVERIFY(hall.shows(panel));
        QCOMPARE(panel->countdownText() + panel->prayerName() + panel->message(),
                 "05:00ZOHORSila matikan telefon");
        // The big clock stays beside it; the countdown's digits are at least half the clock's.
        const QLabel* clock = hall.find<QLabel>("TextTimeReal");
        QVERIFY(hall.shows(clock) && !panel->geometry().intersects(clock->geometry()));
        QVERIFY(panel->digitPixelSize() * 2 >= clock->font().pixelSize());
        QVERIFY(!hall.shows(hall.find("picHolder")));

        hall.tick(13, 14, 59);
        QCOMPARE(hall.audio.tones, 0);
        hall.tick(13, 15, 0);
        QCOMPARE(hall.audio.tones, 1);
        QVERIFY(!hall.shows(panel) && hall.shows(hall.prayer()));
    }
};

class TestPrayerScreen : public QObject {
    Q_OBJECT
private slots:
    void darkButForACornerThenTheClockAsItWas() {
        Hall hall;
        hall.setTime(13, 27, 0);
        hall.load();
        PrayerInProgressPanel* screen = hall.prayer();
        QVERIFY(hall.shows(screen));
        QCOMPARE(screen->geometry(), hall.window->rect());
        QCOMPARE(screen->caption(), QString("ZOHOR - Solat sedang didirikan"));
        QCOMPARE(screen->minutesText(), QString("12 minit selepas iqamah"));
        QCOMPARE(screen->clockText(), hall.text("TextTimeReal"));
        const QImage shot = hall.window->grab().toImage();
        QVERIFY(qGray(shot.pixel(shot.width() / 2, shot.height() / 2)) < 10);

        hall.tick(13, 30, 0);
        QVERIFY(!hall.shows(screen) && hall.shows(hall.find("picHolder")));
        QVERIFY(hall.text("comment").startsWith("Waktu Asar bemula"));

        Hall plain(""); // without the settings neither screen comes
        plain.setTime(13, 20, 0);
        plain.load();
        QVERIFY(!plain.shows(plain.countdown()) && !plain.shows(plain.prayer()));
    }
};

TAVROLA_QTEST(TestIqamahScreen)
TAVROLA_QTEST(TestPrayerScreen)

#include "tst_congregation_screens.moc"

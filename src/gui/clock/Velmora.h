// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/clock/LiveSettings.h"
#include "core/clock/NightRules.h"
#include "core/clock/PrayerSchedule.h"
#include "core/files/IniCache.h"
#include "core/files/LogFile.h"
#include "core/files/ProgramFolder.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QTimer;

namespace tavrola {

class Audio;
class Clock;
class ClockBand;
class AnnouncementScreens;
class CongregationScreens;
class DisplayPower;
class MonitorPanel;
class NightCurtain;
class PrayerStrip;
class RemembranceCard;
class Screens;
class Speech;
class TitleBand;
class WidgetLayout;
class WorkingFields;

// The clock window: large clock, Malay and Hijri dates, the strip of the day's eight prayer times
// with the countdown line, titles, place name, logo and the remembrance panel. It is designed for a
// 1920 x 1080 screen and scaled as a whole to the monitor it covers; the rules it shows come from
// the core (PrayerSchedule). Its bands (TitleBand, ClockBand, RemembranceCard, PrayerStrip) each
// hold their own controls; the window runs the tick and the night, and passes between them what
// one shows of another. The controls carry their names as objectName; the rest of the program
// speaks to it through the slots and signals below.
class Velmora : public QWidget {
    Q_OBJECT
public:
    // screens: the desktop the window covers and moves about on.
    Velmora(ProgramFolder folder, Clock& clock, Speech& speech, const Screens& screens, QWidget* parent = nullptr);
    ~Velmora() override;

    // The start-up steps in order, then the first tick. Call once, before show().
    void load();

    // Plays the azan files and the iqamah tone; without it every start is announced by the sentence.
    void setAudio(Audio* audio);
    // Keeps the screen awake while the clock shows and asleep in the [MALAM] window; without it
    // the night only turns the window black.
    void setDisplayPower(DisplayPower* display);
    bool nightAsleep() const { return m_nightAsleep; }

    bool scrollRunning() const;

    // What the window shows in words, for watching it from outside.
    struct Shown {
        QString time, date, hijri, comment, title;
        QString card; // an announcement in the card: "GAMBAR <file>" or "TEKS <title>"
    };
    Shown shown() const;

public slots:
    // The logo's top-left corner in twips of the designed window; scaled with the rest of the window.
    void setLogoLeftTwips(int twips);
    void setLogoTopTwips(int twips);
    // Shows this picture file as the logo (an unreadable one leaves the logo empty).
    void showLogoFile(const QString& path);
    void setScrollRunning(bool run);
    // The daily shutdown check (ShutDwn) on or off.
    void setShutdownChecks(bool on);
    void showShutdownStatus(const QString& shutTutup, const QString& jamcount, const QString& statusLine);
    void showDateCaption(const QString& caption);
    // Keeps its size and offset on the next monitor (the tray's and the settings' "Tukar Display").
    void moveToNextMonitor();
    // The black picture in place of the background, then the fade-in; also brings a hidden clock back.
    void showWithoutBackground();
    // A key, a click or a mouse move at night: the clock shows for five minutes.
    void wakeFromNight();
    // The computer's clock is not kept synchronised: said on the status line in place of the
    // shutdown status until it is.
    void showClockUnsynchronised(bool unsynchronised);

signals:
    // After every clock tick.
    void ticked();
    // Load step 8: the logo's file as resolved from setting.ini, and its first picture.
    void logoPathResolved(const QString& path, const QPixmap& picture);
    // Load step 9: the data updater's turn.
    void dataUpdaterDue();
    // The close box: whoever keeps the tray icon decides whether the window may hide. Without a
    // listener the window just hides.
    void closeRequested(QWidget* window);
    // ShutDwn's tick.
    void shutdownCheckDue();
    void scrollRunningChanged(bool running);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private slots:
    void onSolatTimer();   // one clock tick, then re-arm for the next second
    void onReadINITimer(); // titles, place and SKROL from setting.ini

private:
    static constexpr int kDesignWidth = 1920;
    static constexpr int kDesignHeight = 1080;

    void buildTimers();
    void registerFonts();
    void applyFonts();
    void startCalendar();
    void loadLogo();
    void applyTick(const PrayerSchedule::Tick& t);
    void noteWallClock(const DateTime& now);
    void updateNight(const DateTime& now, const DayTimes& today);
    void setNightAsleep(bool asleep);
    void armSolatTimer();
    void rescale();
    // The designed background, one narrow column to be tiled across the window.
    const QPixmap& backdrop();
    std::function<void(QPainter&, const QRect&, int)> underlay();

    ProgramFolder m_folder;
    Clock& m_clock;
    Speech& m_speech;
    PrayerSchedule m_schedule;
    std::unique_ptr<WidgetLayout> m_layout;

    // The bands, top to bottom, and the hidden working fields.
    TitleBand* m_titleBand;
    ClockBand* m_clockBand;
    PrayerStrip* m_strip;
    RemembranceCard* m_card;
    WorkingFields* m_fields;

    QTimer* SolatTimer;
    QTimer* ReadINITimer;
    QTimer* ShutDwn;

    // The desktop tools: Picture3 with ChgMonitorTimer and DisplayTimer.
    MonitorPanel* m_monitorPanel;
    CongregationScreens* m_congregation;  // the iqamah countdown and the prayer screen
    AnnouncementScreens* m_announcements; // the card's announcements, full-screen rounds, the funeral notice

    QPixmap m_background;
    QPixmap m_backdrop;
    // setting.ini as last followed: titles, place and SKROL are applied again only when they change.
    IniDerived<LiveSettings> m_liveSettings;
    std::optional<LiveSettings> m_followed;
    QString m_digitFamily;
    QString m_jawiFamily;
    DisplayPower* m_display = nullptr;
    NightWatch m_night;
    NightCurtain* m_nightCurtain;
    bool m_nightAsleep = false;
    bool m_clockUnsynchronised = false;
    QString m_statusLine;                 // the shutdown scheduler's, shown again once the clock is synchronised
    std::optional<DateTime> m_lastTickAt; // with m_lastTickSteadyMs: a wall-clock jump between ticks
    long long m_lastTickSteadyMs = 0;
    LogFile m_log; // one line at each change between day and night
    bool m_loaded = false;
    bool m_speechFailureNoted = false;
};

} // namespace tavrola

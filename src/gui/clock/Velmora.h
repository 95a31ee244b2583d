#pragma once

#include "core/clock/PrayerSchedule.h"
#include "core/config/ProgramFolder.h"

#include <QDate>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace tavrola {
class ucAniGIF;
}

namespace tavrola {

class Audio;
class Clock;
class CongregationScreens;
class MonitorPanel;
class Screens;
class Speech;
class StripMover;
class WidgetLayout;

// The clock window: large clock, Malay and Hijri dates, the strip of the day's eight prayer times
// with the countdown line, titles, place name, logo and the remembrance panel. It lays itself out
// for a 1920 x 1080 screen; the rules it shows come from the core (PrayerSchedule).
class Velmora : public QWidget {
    Q_OBJECT
public:
    // The logo, the indicators and the weekday pictures are animated pictures.
    using PictureControl = ucAniGIF;

    // Work that belongs to other parts of the program. Each hook is optional: an empty one is
    // skipped, and the clock works without any of them.
    struct Hooks {
        // Load, step 1: design size and every control's layout for proportional resizing.
        std::function<void(Velmora&)> recordLayout;
        // Load, step 2: cover the monitor under the mouse pointer. Empty: the window covers the
        // screen it is on.
        std::function<void(Velmora&)> coverMonitor;
        // Load, step 5: fade-in / no-background mode.
        std::function<void(Velmora&)> fadeIn;
        // Load, step 6: start or centre the strip (reads SKROL, sets tmrScroll). Empty: the strip
        // stays where it is laid out and tmrScroll stays off.
        std::function<void(Velmora&)> startScroll;
        // Load, step 7: monitor tools (cmdSwitchMonitors, DisplayTimer).
        std::function<void(Velmora&)> startMonitorTools;
        // Load, step 8: the settings window takes the resolved logo path into its txtPath.
        std::function<void(Velmora&, const QString& logoPath)> logoPathResolved;
        // Load, step 9: the hidden data updater window (checks and refreshes the database).
        std::function<void(Velmora&)> loadDataUpdater;
        // Close: make sure the tray icon exists before the window hides.
        std::function<void(Velmora&)> ensureTrayIcon;
        // Window activated: refresh the monitor report in TextMonitor.
        std::function<void(Velmora&)> activated;
        // Resized (not minimised): rescale the recorded layout.
        std::function<void(Velmora&)> resized;
        // F12: move to the next monitor.
        std::function<void(Velmora&)> nextMonitor;
        // Timer ticks owned by other parts.
        std::function<void(Velmora&)> scrollTick;     // tmrScroll
        std::function<void(Velmora&)> shutdownCheck;  // ShutDwn
        std::function<void(Velmora&)> resolutionLine; // ChgMonitorTimer
        std::function<void(Velmora&)> monitorReport;  // DisplayTimer
    };

    Velmora(ProgramFolder folder, Clock& clock, Speech& speech, QWidget* parent = nullptr);
    ~Velmora() override;

    Hooks hooks;

    // Gives the window its monitor tools (Picture3), the running strip and proportional resizing,
    // in place of the stand-ins it is built with, and fills the matching start-up hooks.
    // Call once, before load().
    void attachDesktop(const Screens& screens);
    MonitorPanel* monitorPanel() const { return m_monitorPanel; }
    StripMover* stripMover() const { return m_strip; }

    // The start-up steps in order, then the first tick. Call once, before show().
    void load();

    // Plays the azan files and the iqamah tone; without it every start is announced by the sentence.
    void setAudio(Audio* audio);

    const ProgramFolder& programFolder() const { return m_folder; }
    static constexpr int kDesignWidth = 1920;
    static constexpr int kDesignHeight = 1080;

    PictureControl* logoControl() const { return ucAniGIF1; }
    PictureControl* indicator(int i) const;      // ucAniGIF2(0..4)
    PictureControl* weekdayPicture(int i) const; // 0 = isnin1 (Monday) .. 6 = ahad1 (Sunday)
    QLabel* timeLabel(Prayer p) const;
    QLabel* prayerNameLabel(int i) const; // Waktunya(0..7)

    // The background picture, drawn from the top-left corner at its own size in place of the
    // designed background; a null picture brings the design back.
    void setBackgroundPicture(const QPixmap& picture);
    const QPixmap& backgroundPicture() const { return m_background; }

    QString digitFontFamily() const { return m_digitFamily; }
    QString jawiFontFamily() const { return m_jawiFamily; }
    bool speechFailureNoted() const { return m_speechFailureNoted; }

    // Panels.
    QWidget* Picture1;
    QWidget* Picture2;
    QWidget* Picture3;
    QWidget* picHolder;

    // Window.
    QLabel* txtWEBTAJUK;
    QLabel* txtWEBTAJUK2;
    QLabel* Tajuk_tempat;
    QLabel* lblLabel2;
    PictureControl* ucAniGIF1;
    QLabel* tarikh_melayu_caption;
    QLabel* TextTimeReal;
    QLabel* TextDateJawi;

    // Strip.
    QLabel* cmdImsak;
    QLabel* cmdSuboh;
    QLabel* cmdSyuruk;
    QLabel* cmdDhuha;
    QLabel* cmdZohor;
    QLabel* cmdAsar;
    QLabel* cmdMagrib;
    QLabel* cmdIsyak;
    std::array<QLabel*, 8> Waktunya{};
    std::array<PictureControl*, 5> ucAniGIF2{};
    QLabel* comment;

    // Remembrance panel.
    QLabel* tarikh_zikir;
    QLabel* pesan2;
    PictureControl* isnin1;
    PictureControl* selasa1;
    PictureControl* rabu1;
    PictureControl* kamis1;
    PictureControl* jumaat1;
    PictureControl* sabtu1;
    PictureControl* ahad1;

    // Working fields and status lines (hidden).
    QLineEdit* txtTime;
    QLineEdit* txtDate;
    QLineEdit* txtDatefile;
    QLineEdit* txtUpgradeNew;
    QLineEdit* Jamcount;
    QLineEdit* Tarikh_Takwim1;
    QLabel* lblTimeShutdown;
    QLabel* lblJamSekarang;
    QLabel* shut_tutup;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* tarikzikir;
    QLabel* pilihzikir;
    QLabel* tarikh;
    QLabel* tarikh2;
    QLabel* hariku;
    QLabel* bulan;
    QLabel* bulan1;

    // Monitor tools (hidden).
    QPlainTextEdit* TextMonitor;
    QPushButton* cmdCoverScreen;
    QPushButton* cmdSwitchMonitors;
    QPushButton* cmdForceOnscreen;
    QCheckBox* chkOverlap;

    // Timers.
    QTimer* SolatTimer;
    QTimer* ReadINITimer;
    QTimer* tmrScroll;
    QTimer* ShutDwn;
    QTimer* ChgMonitorTimer;
    QTimer* DisplayTimer;

public slots:
    void onSolatTimer();   // one clock tick, then re-arm for the next second
    void onReadINITimer(); // title refresh
    void loadLogo();
    // Shows the weekday picture a remembrance text names and hides the other six.
    void showWeekdayPicture(const QString& zikirText);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildWindow();
    void buildStrip();
    void buildRemembrancePanel();
    void buildWorkingFields();
    void buildMonitorTools();
    void buildTimers();
    void registerFonts();
    void applyFonts();
    void startCalendar();
    void applyTick(const PrayerSchedule::Tick& t);
    void armSolatTimer();
    // The designed background, one narrow column to be tiled across the window.
    const QPixmap& backdrop();
    std::function<void(QPainter&, const QRect&, int)> underlay();
    void showTitle(QLabel* label, const std::string& text, const std::string& sizeText, double& points);

    ProgramFolder m_folder;
    MonitorPanel* m_monitorPanel = nullptr;
    StripMover* m_strip = nullptr;
    CongregationScreens* m_congregation = nullptr; // iqamah countdown and prayer screen
    std::unique_ptr<WidgetLayout> m_layout;
    Clock& m_clock;
    Speech& m_speech;
    PrayerSchedule m_schedule;
    QPixmap m_background;
    QPixmap m_backdrop;
    struct TitleShown {
        std::string text;
        std::string size;
        int width = -1;
        QFont font;
    };
    std::array<TitleShown, 2> m_titleShown;
    QDate m_longDateOf;                          // the day tarikh was last written for
    std::array<double, 2> m_titlePoints{50, 30}; // the two titles' sizes as set, before fitting
    QString m_digitFamily;
    QString m_jawiFamily;
    bool m_loaded = false;
    bool m_speechFailureNoted = false;
};

} // namespace tavrola

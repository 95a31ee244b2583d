// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/Velmora.h"

#include "core/AppInfo.h"
#include "core/calendar/MalayCalendar.h"
#include "core/clock/TimeText.h"
#include "core/clock/WallClockJump.h"
#include "core/files/IniFile.h"
#include "core/platform/Clock.h"
#include "core/platform/DisplayPower.h"
#include "core/platform/Speech.h"
#include "core/settings/SettingsSchema.h"
#include "gui/clock/ClockBand.h"
#include "gui/clock/ClockFace.h"
#include "gui/clock/ClockLook.h"
#include "gui/announce/AnnouncementScreens.h"
#include "gui/clock/CongregationScreens.h"
#include "gui/clock/NightCurtain.h"
#include "gui/clock/PrayerStrip.h"
#include "gui/clock/RemembranceCard.h"
#include "gui/clock/TitleBand.h"
#include "gui/clock/WorkingFields.h"
#include "gui/desktop/MonitorPanel.h"
#include "gui/desktop/WidgetLayout.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/Transparency.h"

#include <QCloseEvent>
#include <QDebug>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QMetaMethod>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <exception>

namespace tavrola {

namespace {

// The log's lines begin with the local time.
std::string logStamp(const DateTime& t) {
    return pad(t.date.year, 4) + "-" + pad(t.date.month, 2) + "-" + pad(t.date.day, 2) + " " + pad(t.hour, 2) +
           ":" + pad(t.minute, 2) + ":" + pad(t.second, 2) + " ";
}

} // namespace

Velmora::Velmora(ProgramFolder folder, Clock& clock, Speech& speech, const Screens& screens, QWidget* parent)
    : QWidget(parent), m_folder(std::move(folder)), m_clock(clock), m_speech(speech),
      m_layout(std::make_unique<WidgetLayout>()), m_digitFamily(look::kDigitFamily),
      m_jawiFamily(QStringLiteral("Amiri")), m_log(m_folder.logFolder() / "tavrola.log") {
    setObjectName("Velmora");
    setWindowTitle(QString::fromUtf8(app::kTitle));
    resize(kDesignWidth, kDesignHeight);
    setPalette(QPalette(look::kWhite, QColor(4, 20, 16)));
    // The backdrop covers every pixel, so Qt need not clear under it first.
    setAttribute(Qt::WA_OpaquePaintEvent);

    // The bands in the order they lie over one another, the lowest first.
    const std::filesystem::path gifs = m_folder.root() / "gif";
    m_titleBand = new TitleBand(*this, *m_layout);
    connect(m_titleBand, &TitleBand::logoMoved, this, &Velmora::rescale);
    m_clockBand = new ClockBand(*this);
    m_strip = new PrayerStrip(*this, gifs, underlay());
    m_card = new RemembranceCard(*this, gifs, underlay());
    m_fields = new WorkingFields(*this);
    // Over the bands (the card, the titles) and under the night and the congregation's screens.
    m_announcements = new AnnouncementScreens(*this, m_folder);
    m_announcements->place(QRect(1350, 272, 530, 462), QRect(30, 8, 1860, 244));
    buildTimers();
    m_nightCurtain = new NightCurtain(*this, [this] { wakeFromNight(); });

    // The monitor tools (Picture3, which also answers F12 and activation).
    m_monitorPanel = new MonitorPanel(this, screens, this);
    m_monitorPanel->setGeometry(0, 0, 10, 10);
    m_monitorPanel->setVisible(false);
    m_fields->lendResolutionLine(*m_monitorPanel);
    // Last, so that the two screens lie over everything; created hidden and scaled with the rest.
    m_congregation = new CongregationScreens(*this, m_folder, m_speech);
    m_strip->makeRoomFor(*m_congregation);

    applyFonts();
}

Velmora::~Velmora() = default;

std::function<void(QPainter&, const QRect&, int)> Velmora::underlay() {
    return [this](QPainter& p, const QRect& target, int windowY) {
        p.drawTiledPixmap(target, backdrop(), QPoint(0, windowY));
    };
}

const QPixmap& Velmora::backdrop() {
    // One narrow column of the gradient, tiled across: the window's background is the same all
    // along each row, and repaints copy it instead of computing the gradient again.
    if (m_backdrop.height() != std::max(1, height())) {
        m_backdrop = QPixmap(64, std::max(1, height()));
        QPainter p(&m_backdrop);
        QLinearGradient g(0, 0, 0, m_backdrop.height());
        g.setColorAt(0, QColor(5, 38, 30));
        g.setColorAt(0.55, QColor(3, 22, 18));
        g.setColorAt(1, QColor(1, 10, 8));
        p.fillRect(m_backdrop.rect(), g);
    }
    return m_backdrop;
}

void Velmora::buildTimers() {
    const auto timer = [this](const char* name, int interval) {
        auto* t = new QTimer(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setInterval(interval);
        return t;
    };
    // The tick is single-shot and re-armed for just after the next wall-clock second, instead of
    // waking every 10 ms: what it shows changes only on a second (the time, the minute, midnight),
    // so this is the same display for a hundredth of the wake-ups. Waking every 10 ms costs about
    // 3.5 CPU-seconds a minute, 5.5 with the two file reads, on a screen that runs all day. A
    // changed setting or database still shows at the next second.
    SolatTimer = timer("SolatTimer", 1000);
    SolatTimer->setSingleShot(true);
    SolatTimer->setTimerType(Qt::PreciseTimer);
    connect(SolatTimer, &QTimer::timeout, this, &Velmora::onSolatTimer);

    ReadINITimer = timer("ReadINITimer", 500);
    connect(ReadINITimer, &QTimer::timeout, this, &Velmora::onReadINITimer);

    ShutDwn = timer("ShutDwn", 30000);
    connect(ShutDwn, &QTimer::timeout, this, &Velmora::shutdownCheckDue);
}

void Velmora::applyFonts() {
    m_titleBand->setFaces();
    m_clockBand->setFaces(m_digitFamily, m_jawiFamily);
    m_card->setFaces();
    m_strip->setFaces(m_digitFamily);
    m_congregation->setFaces(m_digitFamily, look::kNarrow);
    m_announcements->setFaces(look::kNarrow);
}

void Velmora::load() {
    if (m_loaded)
        return;
    m_loaded = true;
    // The fonts first, so that the layout records the sizes the window really shows.
    registerFonts();
    m_layout->RecordLayout(this);
    m_monitorPanel->coverMonitorUnderCursor();
    startCalendar();
    FadeInWindow(this);
    m_strip->startUp(GetFromINI(settings::kScroll.section, settings::kScroll.key, "", m_folder.settingsFile()));
    emit scrollRunningChanged(scrollRunning());
    m_monitorPanel->InitMonitorButton();
    loadLogo();
    try {
        emit dataUpdaterDue();
    } catch (const std::exception& e) {
        qWarning() << "Data updater did not load:" << e.what();
    }
    // Only now does the clock run: the titles at once, the first tick, and the other timers.
    onReadINITimer();
    ReadINITimer->start();
    ShutDwn->start();
    onSolatTimer();
}

void Velmora::setAudio(Audio* audio) {
    m_congregation->setAudio(audio);
}

void Velmora::setDisplayPower(DisplayPower* display) {
    m_display = display;
}

void Velmora::registerFonts() {
    // The Jawi face first, then the digits; a missing file leaves the platform's substitute.
    const auto add = [this](const char* file) {
        const int id = QFontDatabase::addApplicationFont(pathToQt(m_folder.fontsFolder() / file));
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList{};
        return families.isEmpty() ? QString() : families.first();
    };
    const QString jawi = add("Amiri-Regular.ttf");
    const QString digits = add("DSEG7Classic-Bold.ttf");
    if (!jawi.isEmpty())
        m_jawiFamily = jawi;
    if (!digits.isEmpty())
        m_digitFamily = digits;
    applyFonts();
}

void Velmora::startCalendar() {
    const std::string masa = GetFromINI(settings::kHijriCorrection.section, settings::kHijriCorrection.key, "",
                                        m_folder.settingsFile());
    m_fields->showHijriCorrection(toQt(masa));
    const Date today = m_clock.now().date;
    m_schedule.start(today, masa);
    m_clockBand->showHijri(QString::fromUtf8(m_schedule.hijriText()));
    m_fields->showMonth(toQt(std::string(MalayMonthNames(today.month))));
    m_clockBand->showDateLine(toQt(malayDateLine(today)));
}

void Velmora::loadLogo() {
    const std::string stored =
        GetFromGIFINI(settings::kLogo.section, settings::kLogo.key, m_folder.settingsFile());
    const QString path = pathToQt(resolveLogoPath(stored, m_folder.root()));
    m_titleBand->showLogoFile(stored.empty() ? QString() : path);
    // The settings window takes the path and the picture already decoded here.
    emit logoPathResolved(path, m_titleBand->logoPicture());
}

void Velmora::showLogoFile(const QString& path) {
    m_titleBand->showLogoFile(path);
}

void Velmora::setLogoLeftTwips(int twips) {
    m_titleBand->setLogoLeftTwips(twips);
}

void Velmora::setLogoTopTwips(int twips) {
    m_titleBand->setLogoTopTwips(twips);
}

bool Velmora::scrollRunning() const {
    return m_strip->isRunning();
}

void Velmora::setScrollRunning(bool run) {
    m_strip->setRunning(run);
    emit scrollRunningChanged(run);
}

void Velmora::setShutdownChecks(bool on) {
    on ? ShutDwn->start() : ShutDwn->stop();
}

void Velmora::showShutdownStatus(const QString& shutTutup, const QString& jamcount, const QString& statusLine) {
    m_fields->showShutdown(shutTutup, jamcount);
    m_statusLine = statusLine;
    if (!m_clockUnsynchronised)
        m_titleBand->showStatus(statusLine);
}

void Velmora::showDateCaption(const QString& caption) {
    m_clockBand->showDateLine(caption);
}

void Velmora::moveToNextMonitor() {
    m_monitorPanel->switchMonitorsByMove();
}

void Velmora::showWithoutBackground() {
    ShowWithoutBackground(this, pathToQt(m_folder.root() / "bg" / "hitam.jpg"), [this](const QPixmap& picture) {
        m_background = picture;
        // With a picture of its own the window shows no cards either, so a black picture leaves
        // nothing but digits, captions and pictures.
        m_card->setDrawn(picture.isNull());
        m_strip->setDrawn(picture.isNull());
        for (ClockFace* face : findChildren<ClockFace*>())
            face->setShowUnlit(picture.isNull());
        update();
    });
}

Velmora::Shown Velmora::shown() const {
    return {m_clockBand->time(),      m_clockBand->dateLine(),   m_clockBand->hijri(),
            m_strip->countdownLine(), m_titleBand->firstTitle(), m_announcements->cardShowing()};
}

void Velmora::armSolatTimer() {
    const int ms = m_clock.now().millisecond;
    SolatTimer->start(1000 - (ms >= 0 && ms < 1000 ? ms : 0) + 5);
}

void Velmora::onSolatTimer() {
    // Re-armed first, so a failing tick never stops the clock.
    armSolatTimer();
    try {
        const DateTime now = m_clock.now();
        noteWallClock(now);
        const TickInputs in = readTickInputs(m_folder.settingsFile(), m_folder.databaseFile(), now.date);
        const PrayerSchedule::Tick tick = m_schedule.tick(now, in.setJam, in.times);
        applyTick(tick);
        m_congregation->tick(now, in.times, toQt(tick.clockText));
        m_announcements->tick({now, in.times, m_congregation->state().screen, m_congregation->azanPlaying(),
                               m_nightAsleep, toQt(tick.clockText)});
        updateNight(now, in.times);
    } catch (const std::exception& e) {
        qWarning() << "Clock tick failed:" << e.what();
    }
    emit ticked();
}

void Velmora::noteWallClock(const DateTime& now) {
    const long long steady =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    const bool jumped = m_lastTickAt && wallClockJumped(*m_lastTickAt, now, steady - m_lastTickSteadyMs);
    m_lastTickAt = now;
    m_lastTickSteadyMs = steady;
    if (!jumped)
        return;
    // A corrected clock or a resumed computer: the day (dates, Hijri, the weekday's picture) is read
    // afresh at this tick, as on a new day; the schedule follows the period it lands in by itself.
    m_schedule.readDayAgain();
    m_fields->forgetDay();
    m_log.append(logStamp(now) + "Clock: the computer's clock jumped; the day is read again");
}

void Velmora::showClockUnsynchronised(bool unsynchronised) {
    m_clockUnsynchronised = unsynchronised;
    m_titleBand->showStatus(unsynchronised ? QStringLiteral("Jam komputer belum disegerakkan") : m_statusLine);
}

void Velmora::updateNight(const DateTime& now, const DayTimes& today) {
    // A display the server switched back on for a key or the mouse counts as woken.
    if (m_nightAsleep && m_display && m_display->displayWokenByUser())
        m_night.wake(now);
    const auto read = [this](const SettingKey& k) {
        return GetFromINI(k.section, k.key, "", m_folder.settingsFile());
    };
    const bool busy = m_congregation->state().screen != CongregationState::Screen::Normal;
    setNightAsleep(m_night.asleep(now, read(settings::kNightOff), read(settings::kNightOn), today, busy));
    if (!m_nightAsleep && m_display)
        m_display->keepAwake(isVisible());
}

void Velmora::setNightAsleep(bool asleep) {
    if (asleep == m_nightAsleep)
        return;
    m_nightAsleep = asleep;
    const std::string stamp = logStamp(m_clock.now());
    // The curtain also where the display goes off: it takes the input that wakes the clock.
    m_nightCurtain->cover(asleep);
    if (asleep) {
        const bool off = m_display && m_display->sleepDisplay();
        m_log.append(stamp + (off ? "Night: display switched off" : "Night: screen black (display cannot sleep)"));
    } else {
        if (m_display)
            m_display->wakeDisplay();
        m_log.append(stamp + "Night: screen on");
    }
}

void Velmora::wakeFromNight() {
    m_night.wake(m_clock.now());
    setNightAsleep(false);
}

void Velmora::applyTick(const PrayerSchedule::Tick& t) {
    m_fields->showMinute(toQt(t.minuteText));
    if (t.announcement) {
        ReadINITimer->start();
        if (!m_congregation->announce(t.announcement->prayer, t.announcement->sentence) && !m_speechFailureNoted) {
            m_speechFailureNoted = true;
            qWarning() << "Announcement shown without sound: no speech engine could speak.";
        }
        m_strip->showComment(toQt(t.announcement->comment));
    }
    m_clockBand->showTime(toQt(t.clockText));
    m_fields->showDateKey(toQt(t.dateKey));

    const PrayerSchedule::Calendar& cal = t.calendar;
    m_fields->showCalendar(cal);
    m_clockBand->showDateLine(toQt(cal.malayLine));
    if (cal.dayChanged) {
        m_clockBand->showHijri(QString::fromUtf8(cal.hijriText));
        m_card->showDay(toQt(cal.zikirText));
    }
    m_strip->show(t);
}

void Velmora::onReadINITimer() {
    // Read twice a second but seldom changed: an unchanged file costs one look at its stamps, and
    // settings as they were last followed are not shown (nor the titles measured) again.
    try {
        const std::filesystem::path ini = m_folder.settingsFile();
        const LiveSettings& now = m_liveSettings.get(ini, [&ini] { return readLiveSettings(ini); });
        if (m_followed == now)
            return;
        m_titleBand->show(now);
        // SKROL changed in the file (by hand, or from another device): the strip follows. The
        // settings window's button has already moved or held it when its write shows up here.
        if (m_followed && m_followed->scroll != now.scroll && now.scroll != scrollRunning())
            setScrollRunning(now.scroll);
        m_followed = now;
    } catch (const std::exception& e) {
        qWarning() << "Title refresh failed:" << e.what();
    }
}

void Velmora::closeEvent(QCloseEvent* event) {
    // Closing only hides the clock; the program ends from the tray menu. The tray decides: with
    // no notification area the clock must stay on screen, or nothing could bring it back.
    event->ignore();
    if (isSignalConnected(QMetaMethod::fromSignal(&Velmora::closeRequested)))
        emit closeRequested(this);
    else
        hide();
}

void Velmora::rescale() {
    m_layout->RescaleLayout(this);
    // The layout writes the titles' recorded sizes; the sizes set in setting.ini, fitted, win.
    m_titleBand->refit();
}

void Velmora::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The cards carry a slice of the backdrop, which follows the window's height.
    if (event->size().height() != event->oldSize().height()) {
        m_card->backdropChanged();
        m_strip->backdropChanged();
    }
    if (!isMinimized())
        rescale();
}

void Velmora::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect r = event->rect();
    if (!m_background.isNull()) {
        p.fillRect(r, Qt::black);
        p.drawPixmap(0, 0, m_background);
        return;
    }
    p.drawTiledPixmap(r, backdrop(), QPoint(0, r.y()));
    // Gold rules under the titles and above the strip, scaled with the window.
    const double sx = width() / double(kDesignWidth);
    const double sy = height() / double(kDesignHeight);
    p.setPen(QPen(QColor(212, 175, 55, 170), 2));
    p.drawLine(QPointF(40 * sx, 258 * sy), QPointF(width() - 40 * sx, 258 * sy));
    p.drawLine(QPointF(40 * sx, 752 * sy), QPointF(width() - 40 * sx, 752 * sy));
}

} // namespace tavrola

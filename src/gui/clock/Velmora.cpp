// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/Velmora.h"

#include "core/AppInfo.h"
#include "core/calendar/MalayCalendar.h"
#include "core/clock/TimeText.h"
#include "core/clock/WallClockJump.h"
#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"
#include "core/desktop/TwipScale.h"
#include "core/platform/Clock.h"
#include "core/platform/DisplayPower.h"
#include "core/platform/Speech.h"
#include "core/gif/GifStretch.h"
#include "gui/clock/ClockFace.h"
#include "gui/clock/ClockLook.h"
#include "gui/clock/CongregationScreens.h"
#include "gui/clock/FitText.h"
#include "gui/clock/NightCurtain.h"
#include "gui/clock/StripMover.h"
#include "gui/desktop/MonitorPanel.h"
#include "gui/desktop/WidgetLayout.h"
#include "gui/platform/LocalText.h"
#include "gui/platform/StartupTrace.h"
#include "gui/platform/Transparency.h"
#include "gui/widgets/ucAniGIF.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDebug>
#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QLocale>
#include <QMetaMethod>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>

namespace tavrola {

namespace {

using look::kGold;
using look::kPaleGold;
using look::kWhite;
const QColor kRed(255, 0, 0);

// The log's lines begin with the local time.
std::string logStamp(const DateTime& t) {
    return pad(t.date.year, 4) + "-" + pad(t.date.month, 2) + "-" + pad(t.date.day, 2) + " " + pad(t.hour, 2) +
           ":" + pad(t.minute, 2) + ":" + pad(t.second, 2) + " ";
}

// A picture container that draws itself as a rounded, softly lit card (or nothing at all). The
// card is drawn once into a picture; with the window's backdrop under it the card is opaque, so
// Qt can shift it on screen when it moves instead of repainting the window behind it.
class Panel : public QFrame {
public:
    // Paints the window's backdrop for the rows from windowY into `target` of the card.
    using Underlay = std::function<void(QPainter&, const QRect& target, int windowY)>;

    Panel(const QString& name, QWidget* parent, bool drawn, Underlay underlay = {})
        : QFrame(parent), m_underlay(std::move(underlay)) {
        setObjectName(name);
        setDrawn(drawn);
    }
    void setDrawn(bool drawn) {
        m_drawn = drawn;
        setAttribute(Qt::WA_OpaquePaintEvent, m_drawn && m_underlay);
        invalidate();
    }
    void invalidate() {
        m_face = QPixmap();
        update();
    }
    const QPixmap& face() const { return m_face; }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (!m_drawn)
            return;
        if (m_face.size() != size() || m_faceY != y())
            drawFace();
        QPainter p(this);
        const QRect r = event->rect();
        p.drawPixmap(r, m_face, r);
    }

private:
    void drawFace() {
        m_faceY = y();
        m_face = QPixmap(size());
        // Without a see-through part the picture is plain RGB, and showing it is a straight copy.
        if (!m_underlay)
            m_face.fill(Qt::transparent);
        QPainter p(&m_face);
        if (m_underlay)
            m_underlay(p, rect(), m_faceY);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, QColor(16, 58, 46, 235));
        g.setColorAt(1, QColor(6, 30, 24, 235));
        p.setBrush(g);
        p.setPen(QPen(QColor(212, 175, 55, 150), 2));
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 18, 18);
    }

    Underlay m_underlay;
    QPixmap m_face;
    int m_faceY = 0;
    bool m_drawn = false;
};

// A hidden working field rewritten every second: left alone when the text is the same.
void setField(QLineEdit* field, const QString& text) {
    if (field->text() != text)
        field->setText(text);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

void setTextColour(QWidget* w, const QColor& c) {
    // Called on every tick: an unchanged colour must not cost a new palette and a repaint.
    if (w->palette().color(QPalette::WindowText) == c && w->palette().color(QPalette::Text) == c)
        return;
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    w->setPalette(pal);
}

QFont faceOf(const QStringList& families, int pixelSize, bool bold = false) {
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

// An animated picture of the program folder's own artwork, scaled into its box.
ucAniGIF* makePicture(QWidget* parent, const QString& name, const std::filesystem::path& file, int stretch) {
    auto* pic = new ucAniGIF(parent);
    pic->setObjectName(name);
    pic->setStretch(stretch);
    if (!file.empty())
        pic->LoadAnimatedGIF_File(pathToQt(file));
    return pic;
}

// The prayer each Waktunya caption names, by its index.
constexpr std::array<Prayer, kPrayerCount> kNameOrder = {Prayer::Zohor,  Prayer::Asar,  Prayer::Maghrib,
                                                         Prayer::Isyak,  Prayer::Subuh, Prayer::Imsak,
                                                         Prayer::Syuruk, Prayer::Dhuha};
int nameIndexOf(Prayer p) {
    return static_cast<int>(std::find(kNameOrder.begin(), kNameOrder.end(), p) - kNameOrder.begin());
}

using look::kNarrow;
const QStringList kRounded = {"Arial Rounded MT Bold", "DejaVu Sans"};
const QStringList kSans = {"MS Sans Serif", "DejaVu Sans"};

constexpr int kLogoBox = 190;
constexpr int kTitleWidth = 1100;
constexpr int kTitleMargin = 8; // each side, in the designed window
constexpr int kStripTop = 770;
constexpr int kStripHeight = 290;
constexpr int kColumnWidth = 240;

} // namespace

Velmora::Velmora(ProgramFolder folder, Clock& clock, Speech& speech, const Screens& screens, QWidget* parent)
    : QWidget(parent), m_folder(std::move(folder)), m_clock(clock), m_speech(speech),
      m_layout(std::make_unique<WidgetLayout>()), m_digitFamily(look::kDigitFamily),
      m_jawiFamily(QStringLiteral("Amiri")), m_log(m_folder.logFolder() / "tavrola.log") {
    setObjectName("Velmora");
    setWindowTitle(QString::fromUtf8(app::kTitle));
    resize(kDesignWidth, kDesignHeight);
    setPalette(QPalette(kWhite, QColor(4, 20, 16)));
    // The backdrop covers every pixel, so Qt need not clear under it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    buildWindow();
    buildStrip();
    buildRemembrancePanel();
    buildWorkingFields();
    buildTimers();
    m_nightCurtain = new NightCurtain(*this, [this] { wakeFromNight(); });

    // The monitor tools (Picture3, which also answers F12 and activation) and the running strip.
    m_monitorPanel = new MonitorPanel(this, screens, this);
    m_monitorPanel->setGeometry(0, 0, 10, 10);
    m_monitorPanel->setVisible(false);
    m_monitorPanel->setResolutionLabel(Label2);
    m_strip = new StripMover(picHolder, this);
    // Last, so that the two screens lie over everything; created hidden and scaled with the rest.
    m_congregation = new CongregationScreens(*this, m_folder, m_speech);
    m_congregation->place(QRect(0, kStripTop, kDesignWidth, kStripHeight), picHolder);

    applyFonts();
    if (StartupTrace::enabled()) {
        // Measured by scripts/measure-idle.sh: the big clock's first paint, once.
        connect(
            static_cast<ClockFace*>(TextTimeReal), &ClockFace::painted, this,
            [] {
                std::fprintf(stderr, "first-paint-ms %lld\n", static_cast<long long>(StartupTrace::elapsedMs()));
                std::fflush(stderr);
            },
            Qt::SingleShotConnection);
    }
}

Velmora::~Velmora() = default;

void Velmora::buildWindow() {
    // The logo's design place is where a new setting.ini puts it, right of the titles; the settings
    // window moves it to the stored position at start-up.
    const TwipScale design;
    ucAniGIF1 = makePicture(this, "ucAniGIF1", {}, GifFit);
    ucAniGIF1->setGeometry(design.toPixelsX(m_logoTwips.x()), design.toPixelsY(m_logoTwips.y()), kLogoBox,
                           kLogoBox);

    txtWEBTAJUK = makeLabel(this, "txtWEBTAJUK");
    txtWEBTAJUK->setGeometry(40, 18, kTitleWidth, 112);
    txtWEBTAJUK2 = makeLabel(this, "txtWEBTAJUK2");
    txtWEBTAJUK2->setGeometry(40, 130, kTitleWidth, 66);
    Tajuk_tempat = makeLabel(this, "Tajuk_tempat");
    Tajuk_tempat->setGeometry(40, 196, kTitleWidth, 52);
    for (QLabel* l : {txtWEBTAJUK, txtWEBTAJUK2, Tajuk_tempat})
        l->setAlignment(Qt::AlignCenter);
    setTextColour(txtWEBTAJUK, kPaleGold);
    setTextColour(txtWEBTAJUK2, kWhite);
    setTextColour(Tajuk_tempat, kGold);

    lblLabel2 = makeLabel(this, "lblLabel2", QStringLiteral(" S T A T U S"));
    lblLabel2->setGeometry(1300, 30, 600, 30); // room for the clock-health line
    lblLabel2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextColour(lblLabel2, QColor(150, 170, 160));

    TextTimeReal = new ClockFace(this);
    TextTimeReal->setObjectName("TextTimeReal");
    TextTimeReal->setGeometry(30, 268, 1290, 250);
    TextTimeReal->setAlignment(Qt::AlignCenter);
    setTextColour(TextTimeReal, kWhite);

    tarikh_melayu_caption = makeLabel(this, "tarikh_melayu_caption");
    tarikh_melayu_caption->setGeometry(30, 536, 1290, 80);
    tarikh_melayu_caption->setAlignment(Qt::AlignCenter);
    setTextColour(tarikh_melayu_caption, kWhite);

    TextDateJawi = makeLabel(this, "TextDateJawi");
    TextDateJawi->setGeometry(30, 618, 1290, 120);
    TextDateJawi->setAlignment(Qt::AlignCenter);
    TextDateJawi->setLayoutDirection(Qt::RightToLeft);
    setTextColour(TextDateJawi, kGold);
}

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

void Velmora::buildStrip() {
    picHolder = new Panel("picHolder", this, true, underlay());
    picHolder->setGeometry(0, kStripTop, kDesignWidth, kStripHeight);

    for (int i = 0; i < static_cast<int>(kPrayerCount); ++i) {
        const Prayer p = static_cast<Prayer>(i);
        auto* time = new ClockFace(picHolder);
        time->setObjectName(
            QString::fromLatin1(prayerInfo(p).label.data(), static_cast<qsizetype>(prayerInfo(p).label.size())));
        time->setText(QString::fromLatin1(PrayerSchedule::kDesignCaption.data(),
                                          static_cast<qsizetype>(PrayerSchedule::kDesignCaption.size())));
        time->setAlignment(Qt::AlignCenter);
        setTextColour(time, kWhite);
        m_times[static_cast<std::size_t>(i)] = time;
    }
    for (int i = 0; i < static_cast<int>(kPrayerCount); ++i) {
        QLabel* name = makeLabel(picHolder, QStringLiteral("Waktunya_%1").arg(i),
                                 toQt(std::string(prayerNames(kNameOrder[static_cast<std::size_t>(i)]).shown)));
        name->setProperty("index", i);
        name->setAlignment(Qt::AlignCenter);
        setTextColour(name, kGold);
        Waktunya[static_cast<std::size_t>(i)] = name;
    }
    for (int i = 0; i < kIndicatorCount; ++i) {
        PictureControl* ind =
            makePicture(picHolder, QStringLiteral("ucAniGIF2_%1").arg(i),
                        m_folder.root() / "gif" / ("indicator" + std::to_string(i) + ".gif"), GifFit);
        ind->setProperty("index", i);
        ind->setVisible(false);
        ucAniGIF2[static_cast<std::size_t>(i)] = ind;
    }
    // Columns in the order of the day; each obligatory prayer has its indicator under its time.
    for (int col = 0; col < static_cast<int>(kPrayerCount); ++col) {
        const Prayer p = kAllPrayers[static_cast<std::size_t>(col)];
        const int x = col * kColumnWidth;
        Waktunya[static_cast<std::size_t>(nameIndexOf(p))]->setGeometry(x + 6, 18, kColumnWidth - 12, 60);
        timeLabel(p)->setGeometry(x + 8, 86, kColumnWidth - 16, 86);
        if (isObligatory(p))
            indicator(prayerInfo(p).indicator)->setGeometry(x + (kColumnWidth - 60) / 2, 178, 60, 34);
    }
    comment = makeLabel(picHolder, "comment");
    comment->setGeometry(20, 222, kDesignWidth - 40, 56);
    comment->setAlignment(Qt::AlignCenter);
    setTextColour(comment, kPaleGold);
}

void Velmora::buildRemembrancePanel() {
    Picture2 = new Panel("Picture2", this, true, underlay());
    Picture2->setGeometry(1350, 272, 530, 462);

    const std::array<const char*, 7> names = {"isnin1",  "selasa1", "rabu1", "kamis1",
                                              "jumaat1", "sabtu1",  "ahad1"};
    const std::array<const char*, 7> files = {"isnin.gif",  "selasa.gif", "rabu.gif", "khamis.gif",
                                              "jumaat.gif", "sabtu.gif",  "ahad.gif"};
    for (std::size_t i = 0; i < m_weekdayPictures.size(); ++i) {
        PictureControl* pic =
            makePicture(Picture2, QString::fromLatin1(names[i]), m_folder.root() / "gif" / files[i], GifFit);
        pic->setGeometry(20, 24, 490, 120);
        pic->setVisible(false);
        m_weekdayPictures[i] = pic;
    }
    pesan2 = makeLabel(Picture2, "pesan2",
                       QStringLiteral("\u201COrang-orang yang beriman dan tenang\n"
                                      "tenteram hati mereka dengan zikrullah.\n"
                                      "Ketahuilah, dengan zikrullah itu tenanglah\n"
                                      "hati manusia.\u201D (Surah Al Ra'd, ayat 28)"));
    pesan2->setGeometry(16, 158, 498, 240);
    pesan2->setAlignment(Qt::AlignCenter);
    pesan2->setWordWrap(true);
    setTextColour(pesan2, kWhite);
    tarikh_zikir = makeLabel(Picture2, "tarikh_zikir");
    tarikh_zikir->setGeometry(20, 410, 490, 36);
    tarikh_zikir->setAlignment(Qt::AlignCenter);
    setTextColour(tarikh_zikir, kPaleGold);
}

void Velmora::buildWorkingFields() {
    // Working fields the congregation never sees: the tick, the calendar and the shutdown check
    // write them.
    auto* fields = new Panel("Picture1", this, false);
    fields->setGeometry(0, 0, 10, 10);
    fields->setVisible(false);
    const auto field = [fields](const char* name) {
        auto* e = new QLineEdit(fields);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    txtTime = field("txtTime");
    txtDate = field("txtDate");
    Jamcount = field("Jamcount");
    Tarikh_Takwim1 = field("Tarikh_Takwim1");
    shut_tutup = makeLabel(fields, "shut_tutup");
    Label2 = makeLabel(fields, "Label2");
    tarikh = makeLabel(fields, "tarikh");
    hariku = makeLabel(fields, "hariku");
    bulan = makeLabel(fields, "bulan");
    bulan1 = makeLabel(fields, "bulan1");
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
    // Digits sized to leave room for the smaller am/pm beside them.
    const QFont digits = faceOf({m_digitFamily}, 10);
    auto* clock = static_cast<ClockFace*>(TextTimeReal);
    clock->setFont(faceOf({m_digitFamily}, fitPixelSize(digits, "88:88:88", QSize(1040, 230))));
    clock->setSuffixFont(faceOf(kRounded, 10, true));
    clock->setSuffixScale(0.42);
    const int timeSize = fitPixelSize(digits, "88:88", QSize(150, 70));
    for (int i = 0; i < static_cast<int>(kPrayerCount); ++i) {
        auto* face = static_cast<ClockFace*>(timeLabel(static_cast<Prayer>(i)));
        face->setFont(faceOf({m_digitFamily}, timeSize));
        face->setSuffixFont(faceOf(kNarrow, 10, true));
        face->setSuffixScale(0.55);
    }
    TextDateJawi->setFont(faceOf({m_jawiFamily}, 64));

    for (QLabel* title : {txtWEBTAJUK, txtWEBTAJUK2}) {
        QFont f = faceOf(kRounded, 10, true);
        f.setPointSizeF(m_titles[title == txtWEBTAJUK ? 0 : 1].points);
        title->setFont(f);
    }
    Tajuk_tempat->setFont(faceOf(kNarrow, 36));
    tarikh_melayu_caption->setFont(faceOf(kNarrow, 58));
    lblLabel2->setFont(faceOf(kSans, 16));
    for (QLabel* name : Waktunya)
        name->setFont(faceOf(kNarrow, 40, true));
    comment->setFont(faceOf(kNarrow, 36));
    pesan2->setFont(faceOf(kSans, 21));
    tarikh_zikir->setFont(faceOf(kNarrow, 24));
    m_congregation->setFaces(m_digitFamily, kNarrow);
}

Velmora::PictureControl* Velmora::indicator(int i) const {
    return i >= 0 && i < kIndicatorCount ? ucAniGIF2[static_cast<std::size_t>(i)] : nullptr;
}

QLabel* Velmora::timeLabel(Prayer p) const {
    return m_times[static_cast<std::size_t>(index(p))];
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
    Tarikh_Takwim1->setText(toQt(masa));
    const Date today = m_clock.now().date;
    m_schedule.start(today, masa);
    TextDateJawi->setText(QString::fromUtf8(m_schedule.hijriText()));
    const QString month = toQt(std::string(MalayMonthNames(today.month)));
    bulan1->setText(month);
    bulan->setText(month);
    tarikh_melayu_caption->setText(toQt(malayDateLine(today)));
}

void Velmora::loadLogo() {
    const std::string stored =
        GetFromGIFINI(settings::kLogo.section, settings::kLogo.key, m_folder.settingsFile());
    const QString path = pathToQt(resolveLogoPath(stored, m_folder.root()));
    if (stored.empty())
        showLogoFile(QString());
    else
        showLogoFile(path);
    // The settings window takes the path and the picture already decoded here.
    emit logoPathResolved(path, QPixmap::fromImage(ucAniGIF1->currentImage()));
}

void Velmora::showLogoFile(const QString& path) {
    // Decoded once: the settings window names the same file again when it loads.
    const QString file = QDir::fromNativeSeparators(path);
    if (!m_logoPath.isNull() && file == m_logoPath)
        return;
    m_logoPath = file;
    // A path that names no readable picture leaves the logo empty.
    if (file.isEmpty() || !ucAniGIF1->LoadAnimatedGIF_File(file))
        ucAniGIF1->LoadAnimatedGIF_Array({});
    placeLogo();
}

void Velmora::setLogoLeftTwips(int twips) {
    m_logoTwips.setX(twips);
    placeLogo();
}

void Velmora::setLogoTopTwips(int twips) {
    m_logoTwips.setY(twips);
    placeLogo();
}

void Velmora::placeLogo() {
    // In the designed window the picture shows at its own size, or shrunk into the logo's box; twips
    // of that window give its corner. The layout then scales it like every other control.
    const QSize picture = ucAniGIF1->currentImage().size();
    QSize box(kLogoBox, kLogoBox);
    if (!picture.isEmpty())
        box = picture.width() <= kLogoBox && picture.height() <= kLogoBox
                  ? picture
                  : picture.scaled(box, Qt::KeepAspectRatio);
    const TwipScale design;
    m_layout->placeDesigned(
        ucAniGIF1, QRect(QPoint(design.toPixelsX(m_logoTwips.x()), design.toPixelsY(m_logoTwips.y())), box));
    rescale();
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
    shut_tutup->setText(shutTutup);
    setField(Jamcount, jamcount);
    m_statusLine = statusLine;
    if (!m_clockUnsynchronised)
        lblLabel2->setText(statusLine);
}

void Velmora::showDateCaption(const QString& caption) {
    tarikh_melayu_caption->setText(caption);
}

void Velmora::moveToNextMonitor() {
    m_monitorPanel->switchMonitorsByMove();
}

void Velmora::showWithoutBackground() {
    ShowWithoutBackground(this, pathToQt(m_folder.root() / "bg" / "hitam.jpg"), [this](const QPixmap& picture) {
        m_background = picture;
        // With a picture of its own the window shows no cards either, so a black picture leaves
        // nothing but digits, captions and pictures.
        for (QWidget* panel : {Picture2, picHolder})
            static_cast<Panel*>(panel)->setDrawn(picture.isNull());
        for (ClockFace* face : findChildren<ClockFace*>())
            face->setShowUnlit(picture.isNull());
        update();
    });
}

Velmora::Shown Velmora::shown() const {
    return {TextTimeReal->text(), tarikh_melayu_caption->text(), TextDateJawi->text(), comment->text()};
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
    m_longDateOf = QDate();
    m_log.append(logStamp(now) + "Clock: the computer's clock jumped; the day is read again");
}

void Velmora::showClockUnsynchronised(bool unsynchronised) {
    m_clockUnsynchronised = unsynchronised;
    lblLabel2->setText(unsynchronised ? QStringLiteral("Jam komputer belum disegerakkan") : m_statusLine);
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
    setField(txtTime, toQt(t.minuteText));
    if (t.announcement) {
        ReadINITimer->start();
        if (!m_congregation->announce(t.announcement->prayer, t.announcement->sentence) && !m_speechFailureNoted) {
            m_speechFailureNoted = true;
            qWarning() << "Announcement shown without sound: no speech engine could speak.";
        }
        comment->setText(toQt(t.announcement->comment));
    }
    static_cast<ClockFace*>(TextTimeReal)->showText(toQt(t.clockText));
    setField(txtDate, toQt(t.dateKey));
    for (int i = 0; i < static_cast<int>(kPrayerCount); ++i)
        static_cast<ClockFace*>(timeLabel(static_cast<Prayer>(i)))
            ->showText(toQt(t.captions[static_cast<std::size_t>(i)]));

    const PrayerSchedule::Calendar& cal = t.calendar;
    const QDate today(cal.today.year, cal.today.month, cal.today.day);
    if (today != m_longDateOf) {
        m_longDateOf = today;
        tarikh->setText(QLocale::system().toString(today, QStringLiteral("dddd, dd MMMM yyyy")));
    }
    hariku->setText(toQt(cal.dayName));
    bulan1->setText(toQt(cal.monthName));
    bulan->setText(toQt(cal.monthName));
    tarikh_melayu_caption->setText(toQt(cal.malayLine));
    if (cal.dayChanged) {
        TextDateJawi->setText(QString::fromUtf8(cal.hijriText));
        showWeekdayPicture(toQt(cal.zikirText));
    }

    comment->setText(toQt(t.comment));
    for (int i = 0; i < kIndicatorCount; ++i)
        indicator(i)->setVisible(i == t.indicator);
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    for (int i = 0; i < static_cast<int>(kPrayerCount); ++i) {
        const auto colour = t.colours[static_cast<std::size_t>(i)];
        setTextColour(timeLabel(static_cast<Prayer>(i)), colour == PrayerSchedule::Colour::Red ? kRed
                                                         : colour == PrayerSchedule::Colour::ButtonFace
                                                             ? buttonFace
                                                             : kWhite);
    }
}

void Velmora::fitTitle(int i) {
    QLabel* label = i == 0 ? txtWEBTAJUK : txtWEBTAJUK2;
    const Title& title = m_titles[static_cast<std::size_t>(i)];
    const QString shown = toQt(title.text);
    // The size as set, scaled with the window; a title too long for the screen at that size is made
    // smaller rather than cut off at both ends.
    const double points = title.points * m_layout->fontScale(this);
    QFont f = label->font();
    f.setPointSizeF(points);
    const double room = label->width() * (1.0 - 2.0 * kTitleMargin / kTitleWidth);
    const double wide = QFontMetricsF(f).horizontalAdvance(shown);
    if (wide > room && room > 0)
        f.setPointSizeF(std::max(8.0, points * room / wide));
    if (label->font() != f)
        label->setFont(f);
    if (label->text() != shown)
        label->setText(shown);
}

void Velmora::onReadINITimer() {
    // Read twice a second but seldom changed: a title with the same words and size as last time
    // already shows what it should, and measuring it again would only cost.
    const std::filesystem::path ini = m_folder.settingsFile();
    const auto read = [&](const SettingKey& k) { return GetFromINI(k.section, k.key, "", ini); };
    const std::array<std::pair<SettingKey, SettingKey>, 2> keys = {
        {{settings::kTitle01, settings::kTitleSize}, {settings::kTitle02, settings::kTitle02Size}}};
    for (int i = 0; i < 2; ++i) {
        try {
            Title& title = m_titles[static_cast<std::size_t>(i)];
            Title next{read(keys[static_cast<std::size_t>(i)].first), title.points};
            // An empty, non-numeric or absurd size keeps the size in force.
            const double asked = leadingNumber(read(keys[static_cast<std::size_t>(i)].second));
            if (asked >= 1 && asked <= 400)
                next.points = asked;
            const QLabel* label = i == 0 ? txtWEBTAJUK : txtWEBTAJUK2;
            if (next.text == title.text && next.points == title.points && label->text() == toQt(next.text))
                continue;
            title = next;
            fitTitle(i);
        } catch (const std::exception& e) {
            qWarning() << "Title refresh failed:" << e.what();
        }
    }
    try {
        const QString place = toQt(read(settings::kPlace));
        if (Tajuk_tempat->text() != place)
            Tajuk_tempat->setText(place);
    } catch (const std::exception& e) {
        qWarning() << "Title refresh failed:" << e.what();
    }
}

void Velmora::showWeekdayPicture(const QString& zikirTextValue) {
    const int shown = zikirPictureIndex(fromQt(zikirTextValue));
    for (int i = 0; i < 7; ++i)
        m_weekdayPictures[static_cast<std::size_t>(i)]->setVisible(i == shown);
    tarikh_zikir->setText(zikirTextValue);
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
    fitTitle(0);
    fitTitle(1);
}

void Velmora::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The cards carry a slice of the backdrop, which follows the window's height.
    if (event->size().height() != event->oldSize().height())
        for (QWidget* panel : {Picture2, picHolder})
            static_cast<Panel*>(panel)->invalidate();
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

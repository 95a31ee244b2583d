// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/PrayerStrip.h"

#include "core/gif/GifStretch.h"
#include "gui/clock/ClockFace.h"
#include "gui/clock/ClockLook.h"
#include "gui/clock/CongregationScreens.h"
#include "gui/clock/FitText.h"
#include "gui/clock/StripMover.h"
#include "gui/platform/LocalText.h"
#include "gui/widgets/ucAniGIF.h"

#include <QApplication>
#include <QLabel>

#include <algorithm>
#include <string>

namespace tavrola {

namespace {

// The prayer each Waktunya caption names, by its index.
constexpr std::array<Prayer, kPrayerCount> kNameOrder = {Prayer::Zohor,  Prayer::Asar,  Prayer::Maghrib,
                                                         Prayer::Isyak,  Prayer::Subuh, Prayer::Imsak,
                                                         Prayer::Syuruk, Prayer::Dhuha};
int nameIndexOf(Prayer p) {
    return static_cast<int>(std::find(kNameOrder.begin(), kNameOrder.end(), p) - kNameOrder.begin());
}

const QColor kRed(255, 0, 0);
constexpr int kTop = 770;
constexpr int kHeight = 290;
constexpr int kWidth = 1920; // the designed window's
constexpr int kColumnWidth = 240;

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

using namespace look;

PrayerStrip::PrayerStrip(QWidget& window, const std::filesystem::path& gifFolder, CardFrame::Underlay underlay)
    : QObject(&window) {
    picHolder = new CardFrame("picHolder", &window, true, std::move(underlay));
    picHolder->setGeometry(0, kTop, kWidth, kHeight);

    for (std::size_t i = 0; i < kPrayerCount; ++i) {
        const Prayer p = static_cast<Prayer>(i);
        auto* time = new ClockFace(picHolder);
        time->setObjectName(latin1(prayerInfo(p).label));
        time->setText(latin1(PrayerSchedule::kDesignCaption));
        time->setAlignment(Qt::AlignCenter);
        setTextColour(time, kWhite);
        m_times[i] = time;
    }
    for (std::size_t i = 0; i < kPrayerCount; ++i) {
        QLabel* name = makeLabel(picHolder, QStringLiteral("Waktunya_%1").arg(i),
                                 toQt(std::string(prayerNames(kNameOrder[i]).shown)));
        name->setProperty("index", static_cast<int>(i));
        name->setAlignment(Qt::AlignCenter);
        setTextColour(name, kGold);
        Waktunya[i] = name;
    }
    for (int i = 0; i < kIndicatorCount; ++i) {
        ucAniGIF* ind = makePicture(picHolder, QStringLiteral("ucAniGIF2_%1").arg(i),
                                    gifFolder / ("indicator" + std::to_string(i) + ".gif"), GifFit);
        ind->setProperty("index", i);
        ind->setVisible(false);
        ucAniGIF2[static_cast<std::size_t>(i)] = ind;
    }
    // Columns in the order of the day; each obligatory prayer has its indicator under its time.
    for (int col = 0; col < static_cast<int>(kPrayerCount); ++col) {
        const Prayer p = kAllPrayers[static_cast<std::size_t>(col)];
        const int x = col * kColumnWidth;
        Waktunya[static_cast<std::size_t>(nameIndexOf(p))]->setGeometry(x + 6, 18, kColumnWidth - 12, 60);
        timeOf(p)->setGeometry(x + 8, 86, kColumnWidth - 16, 86);
        if (isObligatory(p))
            indicator(prayerInfo(p).indicator)->setGeometry(x + (kColumnWidth - 60) / 2, 178, 60, 34);
    }
    comment = makeLabel(picHolder, "comment");
    comment->setGeometry(20, 222, kWidth - 40, 56);
    comment->setAlignment(Qt::AlignCenter);
    setTextColour(comment, kPaleGold);

    m_mover = new StripMover(picHolder, this);
}

void PrayerStrip::setFaces(const QString& digitFamily) {
    const int timeSize = fitPixelSize(face({digitFamily}, 10), "88:88", QSize(150, 70));
    for (ClockFace* time : m_times) {
        time->setFont(face({digitFamily}, timeSize));
        time->setSuffixFont(face(kNarrow, 10, true));
        time->setSuffixScale(0.55);
    }
    for (QLabel* name : Waktunya)
        name->setFont(face(kNarrow, 40, true));
    comment->setFont(face(kNarrow, 36));
}

void PrayerStrip::show(const PrayerSchedule::Tick& tick) {
    for (std::size_t i = 0; i < kPrayerCount; ++i)
        m_times[i]->showText(toQt(tick.captions[i]));
    comment->setText(toQt(tick.comment));
    for (int i = 0; i < kIndicatorCount; ++i)
        indicator(i)->setVisible(i == tick.indicator);
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    for (std::size_t i = 0; i < kPrayerCount; ++i) {
        const auto colour = tick.colours[i];
        setTextColour(m_times[i], colour == PrayerSchedule::Colour::Red          ? kRed
                                  : colour == PrayerSchedule::Colour::ButtonFace ? buttonFace
                                                                                 : kWhite);
    }
}

void PrayerStrip::showComment(const QString& line) {
    comment->setText(line);
}

QString PrayerStrip::countdownLine() const {
    return comment->text();
}

void PrayerStrip::startUp(std::string_view skrol) {
    m_mover->startUp(skrol);
}

bool PrayerStrip::isRunning() const {
    return m_mover->isRunning();
}

void PrayerStrip::setRunning(bool run) {
    m_mover->setRunning(run);
}

void PrayerStrip::makeRoomFor(CongregationScreens& screens) {
    screens.place(QRect(0, kTop, kWidth, kHeight), picHolder);
}

void PrayerStrip::setDrawn(bool drawn) {
    picHolder->setDrawn(drawn);
}

void PrayerStrip::backdropChanged() {
    picHolder->invalidate();
}

ClockFace* PrayerStrip::timeOf(Prayer p) const {
    return m_times[static_cast<std::size_t>(index(p))];
}

ucAniGIF* PrayerStrip::indicator(int i) const {
    return i >= 0 && i < kIndicatorCount ? ucAniGIF2[static_cast<std::size_t>(i)] : nullptr;
}

} // namespace tavrola

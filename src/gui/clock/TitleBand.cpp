// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/TitleBand.h"

#include "core/desktop/TwipScale.h"
#include "core/gif/GifStretch.h"
#include "gui/clock/ClockLook.h"
#include "gui/desktop/WidgetLayout.h"
#include "gui/platform/LocalText.h"
#include "gui/widgets/ucAniGIF.h"

#include <QDir>
#include <QFontMetricsF>
#include <QLabel>
#include <QRect>

#include <algorithm>

namespace tavrola {

namespace {
constexpr int kLogoBox = 190;
constexpr int kTitleWidth = 1100;
constexpr int kTitleMargin = 8; // each side, in the designed window
} // namespace

using namespace look;

TitleBand::TitleBand(QWidget& window, WidgetLayout& layout)
    : QObject(&window), m_window(window), m_layout(layout) {
    // The logo's design place is where a new setting.ini puts it, right of the titles; the settings
    // window moves it to the stored position at start-up.
    const TwipScale design;
    ucAniGIF1 = makePicture(&window, "ucAniGIF1", {}, GifFit);
    ucAniGIF1->setGeometry(design.toPixelsX(m_logoTwips.x()), design.toPixelsY(m_logoTwips.y()), kLogoBox,
                           kLogoBox);

    txtWEBTAJUK = makeLabel(&window, "txtWEBTAJUK");
    txtWEBTAJUK->setGeometry(40, 18, kTitleWidth, 112);
    txtWEBTAJUK2 = makeLabel(&window, "txtWEBTAJUK2");
    txtWEBTAJUK2->setGeometry(40, 130, kTitleWidth, 66);
    Tajuk_tempat = makeLabel(&window, "Tajuk_tempat");
    Tajuk_tempat->setGeometry(40, 196, kTitleWidth, 52);
    for (QLabel* l : {txtWEBTAJUK, txtWEBTAJUK2, Tajuk_tempat})
        l->setAlignment(Qt::AlignCenter);
    setTextColour(txtWEBTAJUK, kPaleGold);
    setTextColour(txtWEBTAJUK2, kWhite);
    setTextColour(Tajuk_tempat, kGold);

    lblLabel2 = makeLabel(&window, "lblLabel2", QStringLiteral(" S T A T U S"));
    lblLabel2->setGeometry(1300, 30, 600, 30); // room for the clock-health line
    lblLabel2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextColour(lblLabel2, QColor(150, 170, 160));
}

void TitleBand::setFaces() {
    for (QLabel* title : {txtWEBTAJUK, txtWEBTAJUK2}) {
        QFont f = face(kRounded, 10, true);
        f.setPointSizeF(m_titles[title == txtWEBTAJUK ? 0 : 1].points);
        title->setFont(f);
    }
    Tajuk_tempat->setFont(face(kNarrow, 36));
    lblLabel2->setFont(face(kSans, 16));
}

void TitleBand::show(const LiveSettings& settings) {
    for (int i = 0; i < 2; ++i) {
        Title& title = m_titles[static_cast<std::size_t>(i)];
        const LiveSettings::Title& asked = settings.titles[static_cast<std::size_t>(i)];
        const Title next{asked.text, asked.points > 0 ? asked.points : title.points};
        const QLabel* label = i == 0 ? txtWEBTAJUK : txtWEBTAJUK2;
        // Measuring a title again only costs when its words and size are what it already shows.
        if (next.text == title.text && next.points == title.points && label->text() == toQt(next.text))
            continue;
        title = next;
        fitTitle(i);
    }
    const QString place = toQt(settings.place);
    if (Tajuk_tempat->text() != place)
        Tajuk_tempat->setText(place);
}

void TitleBand::refit() {
    fitTitle(0);
    fitTitle(1);
}

void TitleBand::fitTitle(int i) {
    QLabel* label = i == 0 ? txtWEBTAJUK : txtWEBTAJUK2;
    const Title& title = m_titles[static_cast<std::size_t>(i)];
    const QString shown = toQt(title.text);
    // The size as set, scaled with the window; a title too long for the screen at that size is made
    // smaller rather than cut off at both ends.
    const double points = title.points * m_layout.fontScale(&m_window);
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

void TitleBand::showStatus(const QString& line) {
    lblLabel2->setText(line);
}

QString TitleBand::firstTitle() const {
    return txtWEBTAJUK->text();
}

void TitleBand::showLogoFile(const QString& path) {
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

void TitleBand::setLogoLeftTwips(int twips) {
    m_logoTwips.setX(twips);
    placeLogo();
}

void TitleBand::setLogoTopTwips(int twips) {
    m_logoTwips.setY(twips);
    placeLogo();
}

QPixmap TitleBand::logoPicture() const {
    return QPixmap::fromImage(ucAniGIF1->currentImage());
}

void TitleBand::placeLogo() {
    // In the designed window the picture shows at its own size, or shrunk into the logo's box; twips
    // of that window give its corner. The layout then scales it like every other control.
    const QSize picture = ucAniGIF1->currentImage().size();
    QSize box(kLogoBox, kLogoBox);
    if (!picture.isEmpty())
        box = picture.width() <= kLogoBox && picture.height() <= kLogoBox
                  ? picture
                  : picture.scaled(box, Qt::KeepAspectRatio);
    const TwipScale design;
    m_layout.placeDesigned(
        ucAniGIF1, QRect(QPoint(design.toPixelsX(m_logoTwips.x()), design.toPixelsY(m_logoTwips.y())), box));
    emit logoMoved();
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/ClockBand.h"

#include "gui/clock/ClockFace.h"
#include "gui/clock/ClockLook.h"
#include "gui/clock/FitText.h"
#include "gui/platform/StartupTrace.h"

#include <QLabel>

#include <cstdio>

namespace tavrola {

using namespace look;

ClockBand::ClockBand(QWidget& window) : QObject(&window) {
    TextTimeReal = new ClockFace(&window);
    TextTimeReal->setObjectName("TextTimeReal");
    TextTimeReal->setGeometry(30, 268, 1290, 250);
    TextTimeReal->setAlignment(Qt::AlignCenter);
    setTextColour(TextTimeReal, kWhite);

    tarikh_melayu_caption = makeLabel(&window, "tarikh_melayu_caption");
    tarikh_melayu_caption->setGeometry(30, 536, 1290, 80);
    tarikh_melayu_caption->setAlignment(Qt::AlignCenter);
    setTextColour(tarikh_melayu_caption, kWhite);

    TextDateJawi = makeLabel(&window, "TextDateJawi");
    TextDateJawi->setGeometry(30, 618, 1290, 120);
    TextDateJawi->setAlignment(Qt::AlignCenter);
    TextDateJawi->setLayoutDirection(Qt::RightToLeft);
    setTextColour(TextDateJawi, kGold);

    if (StartupTrace::enabled()) {
        // Measured by scripts/measure-idle.sh: the big clock's first paint, once.
        connect(
            TextTimeReal, &ClockFace::painted, this,
            [] {
                std::fprintf(stderr, "first-paint-ms %lld\n", static_cast<long long>(StartupTrace::elapsedMs()));
                std::fflush(stderr);
            },
            Qt::SingleShotConnection);
    }
}

void ClockBand::setFaces(const QString& digitFamily, const QString& jawiFamily) {
    // Digits sized to leave room for the smaller am/pm beside them.
    const QFont digits = face({digitFamily}, 10);
    TextTimeReal->setFont(face({digitFamily}, fitPixelSize(digits, "88:88:88", QSize(1040, 230))));
    TextTimeReal->setSuffixFont(face(kRounded, 10, true));
    TextTimeReal->setSuffixScale(0.42);
    TextDateJawi->setFont(face({jawiFamily}, 64));
    tarikh_melayu_caption->setFont(face(kNarrow, 58));
}

void ClockBand::showTime(const QString& text) {
    TextTimeReal->showText(text);
}

void ClockBand::showDateLine(const QString& line) {
    tarikh_melayu_caption->setText(line);
}

void ClockBand::showHijri(const QString& text) {
    TextDateJawi->setText(text);
}

QString ClockBand::time() const {
    return TextTimeReal->text();
}

QString ClockBand::dateLine() const {
    return tarikh_melayu_caption->text();
}

QString ClockBand::hijri() const {
    return TextDateJawi->text();
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/PrayerInProgressPanel.h"

#include "gui/clock/ClockFace.h"
#include "gui/clock/ClockLook.h"
#include "gui/clock/FitText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPaintEvent>

namespace tavrola {

namespace {
// Not pure black: in the no-background mode black is the see-through colour, and this screen
// must stay dark rather than show the desktop.
const QColor kDark(3, 3, 3);
const QColor kDim(92, 92, 92);
} // namespace

PrayerInProgressPanel::PrayerInProgressPanel(QWidget* parent)
    : QWidget(parent), m_digitFamily(look::kDigitFamily), m_letterFamilies(look::kNarrow) {
    setObjectName(QStringLiteral("PrayerInProgressPanel"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PrayerInProgressPanel::setFaces(const QString& digitFamily, const QStringList& letterFamilies) {
    m_digitFamily = digitFamily;
    m_letterFamilies = letterFamilies;
    update();
}

QRect PrayerInProgressPanel::corner() const {
    // A third of the width and a fifth of the height, off the edges.
    const int w = width() / 3, h = height() / 5;
    const int m = std::max(4, height() / 40);
    return QRect(width() - w - m, height() - h - m, w, h);
}

void PrayerInProgressPanel::showPrayer(const QString& clockText, const QString& prayerName, int minutes,
                                       bool afterIqamah) {
    const QString caption = prayerName + QStringLiteral(" - Solat sedang didirikan");
    const QString minutesText = afterIqamah ? QStringLiteral("%1 minit selepas iqamah").arg(minutes)
                                            : QStringLiteral("%1 minit").arg(minutes);
    if (clockText == m_clock && caption == m_caption && minutesText == m_minutes)
        return;
    m_clock = clockText;
    m_caption = caption;
    m_minutes = minutesText;
    // Only the corner has anything on it.
    update(corner());
}

void PrayerInProgressPanel::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), kDark);
    const QRect box = corner();
    if (!event->rect().intersects(box))
        return;
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(kDim);
    const int line = box.height() / 4;

    const auto [digits, suffix] = ClockFace::split(m_clock);
    QFont digitFont;
    digitFont.setFamilies({m_digitFamily});
    digitFont.setPixelSize(std::max(6, line * 3 / 2));
    QFont letters;
    letters.setFamilies(m_letterFamilies);
    letters.setPixelSize(std::min(line * 2 / 3, fitPixelSize(letters, m_caption, QSize(box.width(), line))));
    const QFontMetrics dm(digitFont), lm(letters);
    const int gap = suffix.isEmpty() ? 0 : lm.horizontalAdvance(QLatin1Char(' '));
    const int clockWidth = dm.horizontalAdvance(digits) + gap + lm.horizontalAdvance(suffix);
    const int baseline = box.top() + line * 2;
    int x = box.right() - clockWidth;
    p.setFont(digitFont);
    p.drawText(x, baseline, digits);
    x += dm.horizontalAdvance(digits) + gap;
    p.setFont(letters);
    p.drawText(x, baseline, suffix);

    const QRect captionBox(box.left(), baseline + line / 4, box.width(), line);
    const QRect minutesBox(box.left(), captionBox.bottom(), box.width(), line);
    p.drawText(captionBox, Qt::AlignRight | Qt::AlignVCenter, m_caption);
    p.drawText(minutesBox, Qt::AlignRight | Qt::AlignVCenter, m_minutes);
}

} // namespace tavrola

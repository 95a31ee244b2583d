#include "gui/clock/ClockFace.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace tavrola {

ClockFace::ClockFace(QWidget* parent) : QLabel(parent) {}

std::pair<QString, QString> ClockFace::split(const QString& text) {
    const qsizetype space = text.lastIndexOf(QLatin1Char(' '));
    if (space < 0)
        return {text, QString()};
    const QString suffix = text.mid(space + 1);
    for (QChar c : suffix)
        if (!c.isLetter())
            return {text, QString()};
    return {text.left(space), suffix};
}

void ClockFace::paintEvent(QPaintEvent*) {
    const auto [digits, suffix] = split(text());
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFont digitFont = font();
    const QFontMetrics dm(digitFont);
    QFont suffixFont = m_suffixFont;
    suffixFont.setPixelSize(std::max(8, static_cast<int>(dm.ascent() * m_suffixScale)));
    const QFontMetrics sm(suffixFont);

    const int gap = suffix.isEmpty() ? 0 : std::max(4, dm.averageCharWidth() / 4);
    const int digitsWidth = dm.horizontalAdvance(digits);
    const int total = digitsWidth + (suffix.isEmpty() ? 0 : gap + sm.horizontalAdvance(suffix));
    int x = (width() - total) / 2;
    if (alignment() & Qt::AlignLeft)
        x = 0;
    else if (alignment() & Qt::AlignRight)
        x = width() - total;
    const int baseline = (height() - dm.height()) / 2 + dm.ascent();

    // Every digit as an "8" in a faint tint: the unlit segments.
    QString ghost = digits;
    for (QChar& c : ghost)
        if (c.isDigit())
            c = QLatin1Char('8');
    QColor ink = palette().color(QPalette::WindowText);
    QColor unlit = ink;
    unlit.setAlpha(26);
    p.setFont(digitFont);
    p.setPen(unlit);
    p.drawText(x, baseline, ghost);
    p.setPen(ink);
    p.drawText(x, baseline, digits);
    if (!suffix.isEmpty()) {
        p.setFont(suffixFont);
        p.drawText(x + digitsWidth + gap, baseline, suffix);
    }
    p.end();
    emit painted();
}

} // namespace tavrola

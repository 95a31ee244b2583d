// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/ClockFace.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <tuple>

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

ClockFace::Layout ClockFace::layout(const QString& text) const {
    Layout l;
    std::tie(l.digits, l.suffix) = split(text);
    const QFontMetrics dm(font());
    l.suffixFont = m_suffixFont;
    l.suffixFont.setPixelSize(std::max(8, static_cast<int>(dm.ascent() * m_suffixScale)));
    const QFontMetrics sm(l.suffixFont);
    l.gap = l.suffix.isEmpty() ? 0 : std::max(4, dm.averageCharWidth() / 4);
    l.digitsWidth = dm.horizontalAdvance(l.digits);
    const int total = l.digitsWidth + (l.suffix.isEmpty() ? 0 : l.gap + sm.horizontalAdvance(l.suffix));
    l.x = (width() - total) / 2;
    if (alignment() & Qt::AlignLeft)
        l.x = 0;
    else if (alignment() & Qt::AlignRight)
        l.x = width() - total;
    l.baseline = (height() - dm.height()) / 2 + dm.ascent();
    return l;
}

QRect ClockFace::changedRect(const QString& before, const QString& after) const {
    const Layout a = layout(before);
    const Layout b = layout(after);
    if (a.x != b.x || a.digits.size() != b.digits.size() || a.suffix != b.suffix)
        return rect();
    qsizetype first = 0;
    while (first < a.digits.size() && a.digits[first] == b.digits[first])
        ++first;
    if (first == a.digits.size())
        return {};
    qsizetype last = a.digits.size() - 1;
    while (last > first && a.digits[last] == b.digits[last])
        --last;
    const QFontMetrics dm(font());
    // A little room either side for glyphs that reach past their advance.
    const int slack = std::max(2, dm.height() / 8);
    const int left = b.x + dm.horizontalAdvance(b.digits.left(first)) - slack;
    const int right = b.x + dm.horizontalAdvance(b.digits.left(last + 1)) + slack;
    return QRect(left, 0, right - left, height()).intersected(rect());
}

void ClockFace::showText(const QString& text) {
    if (text == this->text())
        return;
    const QRect changed = isVisible() ? changedRect(this->text(), text) : rect();
    // QLabel would repaint all of itself; only the digits that changed are repainted instead.
    const bool wasDisabled = testAttribute(Qt::WA_UpdatesDisabled);
    setAttribute(Qt::WA_UpdatesDisabled, true);
    setText(text);
    setAttribute(Qt::WA_UpdatesDisabled, wasDisabled);
    update(changed);
}

void ClockFace::paintEvent(QPaintEvent*) {
    const Layout l = layout(text());
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Every digit as an "8" in a faint tint: the unlit segments.
    QString ghost = l.digits;
    for (QChar& c : ghost)
        if (c.isDigit())
            c = QLatin1Char('8');
    QColor ink = palette().color(QPalette::WindowText);
    QColor unlit = ink;
    unlit.setAlpha(26);
    p.setFont(font());
    if (m_showUnlit) {
        p.setPen(unlit);
        p.drawText(l.x, l.baseline, ghost);
    }
    p.setPen(ink);
    p.drawText(l.x, l.baseline, l.digits);
    if (!l.suffix.isEmpty()) {
        p.setFont(l.suffixFont);
        p.drawText(l.x + l.digitsWidth + l.gap, l.baseline, l.suffix);
    }
    p.end();
    emit painted();
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/XP_ProgressBar.h"

#include "core/controls/ProgressMath.h"
#include "gui/widgets/QtColour.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace tavrola {

namespace {
Qt::BrushStyle hatchOf(int brushStyle) {
    switch (brushStyle) {
    case 0:
        return Qt::HorPattern;
    case 1:
        return Qt::VerPattern;
    case 2:
        return Qt::FDiagPattern;
    case 3:
        return Qt::BDiagPattern;
    case 4:
        return Qt::CrossPattern;
    case 5:
        return Qt::DiagCrossPattern;
    default:
        return Qt::Dense4Pattern;
    }
}
} // namespace

XP_ProgressBar::XP_ProgressBar(QWidget* parent) : QWidget(parent) {
    resize(sizeHint());
}

template <typename T> void XP_ProgressBar::change(T& member, const T& value) {
    if (member == value)
        return;
    member = value;
    update();
}

int XP_ProgressBar::Value() const {
    return progressValue(m_percent, m_min, m_max);
}
void XP_ProgressBar::setValue(int value) {
    change(m_percent, progressPercent(value, m_min, m_max));
}
void XP_ProgressBar::setMin(int min) {
    change(m_min, min);
}
void XP_ProgressBar::setMax(int max) {
    change(m_max, max);
}
void XP_ProgressBar::setScrolling(int look) {
    change(m_scrolling, look);
}
void XP_ProgressBar::setOrientation(int orientation) {
    change(m_orientation, orientation);
}
void XP_ProgressBar::setBrushStyle(int style) {
    change(m_brushStyle, style);
}
void XP_ProgressBar::setColor(Colour c) {
    change(m_color, c);
}
void XP_ProgressBar::setShowText(bool on) {
    change(m_showText, on);
}
void XP_ProgressBar::setImage(const QPixmap& image) {
    m_image = image;
    update();
}

QString XP_ProgressBar::text() const {
    return QString::fromStdString(progressText(m_percent, m_scrolling));
}

void XP_ProgressBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    DrawProgressBar(p, rect());
}

void XP_ProgressBar::DrawProgressBar(QPainter& p, const QRect& area) const {
    p.save();
    const bool dark = m_scrolling == kProgressDarkLook;
    p.fillRect(area, dark ? Qt::black : Qt::white);

    // Every look is drawn left to right; the vertical bar is the same drawing turned a quarter.
    const bool vertical = m_orientation == 1;
    QRect track = area.adjusted(1, 1, -1, -1);
    if (vertical) {
        p.translate(area.left(), area.bottom() + 1);
        p.rotate(-90);
        track = QRect(1, 1, area.height() - 2, area.width() - 2);
    }
    const int fill = track.width() * std::clamp(m_percent, 0, 100) / 100;
    const QRect filled(track.left(), track.top(), fill, track.height());
    drawBar(p, track, filled);
    if (!m_image.isNull() && fill > 0)
        p.drawPixmap(filled, m_image);
    p.restore();

    if (m_showText) {
        p.save();
        p.setFont(font());
        p.setPen(dark ? Qt::white : Qt::black);
        p.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, text());
        p.restore();
    }
}

void XP_ProgressBar::DrawGradient(QPainter& p, const QRect& r, const QColor& from, const QColor& to,
                                  bool across) const {
    QLinearGradient g(r.topLeft(), across ? QPointF(r.right() + 1, r.top()) : QPointF(r.left(), r.bottom() + 1));
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    p.fillRect(r, g);
}

void XP_ProgressBar::drawBar(QPainter& p, const QRect& track, const QRect& filled) const {
    const Colour base = resolveColour(m_color, paletteColours(palette()));
    const QColor colour = toQColor(base, palette());
    const QColor light = toQColor(BlendColors(base, 0xFFFFFF, 55), palette());
    const QColor pale = toQColor(BlendColors(base, 0xFFFFFF, 85), palette());
    const QColor deep = toQColor(BlendColors(base, 0x000000, 35), palette());
    const QColor frame(128, 128, 128);

    switch (m_scrolling) {
    case 3: { // blocks
        p.setPen(frame);
        p.drawRect(track.adjusted(-1, -1, 0, 0));
        const QRect inner = filled.adjusted(1, 1, 0, -1);
        for (int x = inner.left(); x < inner.right(); x += 9) {
            const QRect block(x, inner.top(), std::min(7, inner.right() - x + 1), inner.height());
            DrawGradient(p, block, light, colour, false);
        }
        break;
    }
    case 4: // one gradient over the whole track, shown as far as the bar goes
        p.setPen(frame);
        p.drawRect(track.adjusted(-1, -1, 0, 0));
        p.save();
        p.setClipRect(filled);
        DrawGradient(p, track, pale, colour, true);
        p.restore();
        break;
    case 5: // hatched
        p.setPen(frame);
        p.drawRect(track.adjusted(-1, -1, 0, 0));
        p.fillRect(filled, pale);
        p.fillRect(filled, QBrush(colour, hatchOf(m_brushStyle)));
        break;
    case 6: { // segments on black
        const QColor dim = toQColor(BlendColors(base, 0x000000, 75), palette());
        for (int x = track.left() + 1; x < track.right(); x += 5) {
            const QRect segment(x, track.top() + 2, 3, track.height() - 4);
            p.fillRect(segment, x < filled.right() ? colour : dim);
        }
        break;
    }
    case 7: // cylinder
        p.setPen(frame);
        p.drawRect(track.adjusted(-1, -1, 0, 0));
        if (filled.width() > 0) {
            QLinearGradient g(filled.topLeft(), QPointF(filled.left(), filled.bottom() + 1));
            g.setColorAt(0, deep);
            g.setColorAt(0.4, light);
            g.setColorAt(1, deep);
            p.fillRect(filled, g);
        }
        break;
    case 8: { // stripes
        p.setPen(frame);
        p.drawRect(track.adjusted(-1, -1, 0, 0));
        p.fillRect(filled, colour);
        p.save();
        p.setClipRect(filled);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(light);
        const int h = filled.height();
        for (int x = filled.left() - h; x < filled.right(); x += 12) {
            const QPolygon stripe({QPoint(x, filled.bottom() + 1), QPoint(x + h, filled.top()),
                                   QPoint(x + h + 5, filled.top()), QPoint(x + 5, filled.bottom() + 1)});
            p.drawPolygon(stripe);
        }
        p.restore();
        break;
    }
    case 9: { // rounded and glossy
        p.setRenderHint(QPainter::Antialiasing);
        const qreal radius = track.height() / 2.0;
        p.setPen(frame);
        p.setBrush(QColor(240, 240, 240));
        p.drawRoundedRect(QRectF(track).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        if (filled.width() > 0) {
            QPainterPath bar;
            bar.addRoundedRect(QRectF(filled).adjusted(1.5, 1.5, -0.5, -1.5), radius - 1, radius - 1);
            QLinearGradient g(filled.topLeft(), QPointF(filled.left(), filled.bottom() + 1));
            g.setColorAt(0, light);
            g.setColorAt(0.5, colour);
            g.setColorAt(1, deep);
            p.fillPath(bar, g);
        }
        break;
    }
    default: // the standard look: frame, track, bar
        p.setPen(frame);
        p.drawRect(track.adjusted(-1, -1, 0, 0));
        p.setPen(QColor(220, 220, 220));
        p.drawLine(track.topLeft(), track.topRight());
        p.fillRect(filled.adjusted(1, 1, 0, -1), colour);
        if (m_percent == 0) {
            // An empty bar still shows where it will fill.
            p.setPen(QPen(pale, 1, Qt::DotLine));
            p.drawLine(track.left() + 2, track.center().y(), track.right() - 2, track.center().y());
        }
        break;
    }
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/CardFrame.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>

namespace tavrola {

CardFrame::CardFrame(const QString& name, QWidget* parent, bool drawn, Underlay underlay)
    : QFrame(parent), m_underlay(std::move(underlay)) {
    setObjectName(name);
    setDrawn(drawn);
}

void CardFrame::setDrawn(bool drawn) {
    m_drawn = drawn;
    setAttribute(Qt::WA_OpaquePaintEvent, m_drawn && m_underlay);
    invalidate();
}

void CardFrame::invalidate() {
    m_face = QPixmap();
    update();
}

void CardFrame::paintEvent(QPaintEvent* event) {
    if (!m_drawn)
        return;
    if (m_face.size() != size() || m_faceY != y())
        drawFace();
    QPainter p(this);
    const QRect r = event->rect();
    p.drawPixmap(r, m_face, r);
}

void CardFrame::drawFace() {
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

} // namespace tavrola

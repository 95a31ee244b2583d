// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/desktop/AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace tavrola {

namespace {
QPixmap clockFace(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const qreal pen = qMax<qreal>(1.0, s / 16.0);
    p.setPen(QPen(QColor(240, 240, 240), pen));
    p.setBrush(QColor(0, 110, 70));
    p.drawEllipse(QRectF(pen / 2, pen / 2, s - pen, s - pen));
    // Hands at ten past ten, in the digit colour of the clock.
    p.setPen(QPen(QColor(255, 200, 0), pen * 1.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF c(s / 2, s / 2);
    p.drawLine(c, c + QPointF(-s * 0.22, -s * 0.13));
    p.drawLine(c, c + QPointF(s * 0.26, -s * 0.22));
    return pm;
}
} // namespace

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(clockFace(size));
    return icon;
}

} // namespace tavrola

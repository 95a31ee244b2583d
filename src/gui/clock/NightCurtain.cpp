// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/NightCurtain.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tavrola {

namespace {

// One step above the colour key: pure black would be keyed out of the window, showing the desktop
// behind it and passing the pointer through.
const QColor kNightBlack(1, 1, 1);

} // namespace

NightCurtain::NightCurtain(QWidget& window, std::function<void()> woken)
    : QWidget(&window), m_woken(std::move(woken)) {
    setObjectName(QStringLiteral("NightCurtain"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    hide();
    window.installEventFilter(this); // follows the window's size
}

void NightCurtain::cover(bool on) {
    if (on == isVisible())
        return;
    if (on) {
        m_pointerAtCover = QCursor::pos();
        setGeometry(parentWidget()->rect());
        raise();
        show();
        setFocus();
    } else {
        hide();
    }
}

void NightCurtain::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), kNightBlack);
}

void NightCurtain::mouseMoveEvent(QMouseEvent* event) {
    if (event->globalPosition().toPoint() != m_pointerAtCover)
        m_woken();
}

void NightCurtain::mousePressEvent(QMouseEvent*) {
    m_woken();
}

void NightCurtain::keyPressEvent(QKeyEvent*) {
    m_woken();
}

bool NightCurtain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

} // namespace tavrola

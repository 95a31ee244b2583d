// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/StripMover.h"

#include "core/desktop/TwipScale.h"

#include <QEvent>
#include <QWidget>

namespace tavrola {

namespace {
TwipScale scaleOf(const QWidget* w) {
    return TwipScale::fromDpi(w->logicalDpiX(), w->logicalDpiY());
}
} // namespace

StripMover::StripMover(QWidget* strip, QObject* parent)
    : QObject(parent), tmrScroll(new QTimer(this)), m_strip(strip) {
    tmrScroll->setObjectName("tmrScroll");
    // The design pace; start-up sets the working one.
    tmrScroll->setInterval(10);
    connect(tmrScroll, &QTimer::timeout, this, &StripMover::tmrScroll_Timer);
    if (strip) {
        m_placedX = strip->x();
        m_scroller.setLeft(scaleOf(strip).toTwipsX(strip->x()));
        strip->installEventFilter(this);
    }
}

int StripMover::innerWidthTwips() const {
    const QWidget* window = m_strip ? m_strip->parentWidget() : nullptr;
    return window ? scaleOf(m_strip).toTwipsX(window->width()) : 0;
}

int StripMover::stripWidthTwips() const {
    return m_strip ? scaleOf(m_strip).toTwipsX(m_strip->width()) : 0;
}

void StripMover::place() {
    if (!m_strip)
        return;
    m_placedX = scaleOf(m_strip).toPixelsX(m_scroller.left());
    m_strip->move(m_placedX, m_strip->y());
}

void StripMover::startUp(std::string_view skrol) {
    const bool run = m_scroller.startUp(skrol, innerWidthTwips(), stripWidthTwips());
    place();
    tmrScroll->setInterval(StripScroller::kIntervalMs);
    if (run)
        tmrScroll->start();
    else
        tmrScroll->stop();
}

void StripMover::setRunning(bool run) {
    run ? tmrScroll->start() : tmrScroll->stop();
}

void StripMover::tmrScroll_Timer() {
    if (!m_strip) {
        tmrScroll->stop();
        return;
    }
    m_scroller.tick(innerWidthTwips(), stripWidthTwips());
    place();
}

bool StripMover::eventFilter(QObject* watched, QEvent* event) {
    // Re-laid from outside (a resize rescaled the window): carry on from the new place.
    if (watched == m_strip && event->type() == QEvent::Move && m_strip->x() != m_placedX) {
        m_placedX = m_strip->x();
        m_scroller.setLeft(scaleOf(m_strip).toTwipsX(m_placedX));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tavrola

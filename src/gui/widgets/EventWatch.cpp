// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/EventWatch.h"

#include <QWidget>

namespace tavrola {

EventWatch::EventWatch(const QString& ownerName, Handler handler, QObject* parent)
    : QObject(parent), m_table(ownerName.toStdString()), m_handler(std::move(handler)) {}

EventWatch::~EventWatch() {
    if (m_target)
        m_target->removeEventFilter(this);
}

void EventWatch::start(QWidget* target) {
    m_table.sc_Subclass(target);
    m_target = target;
    target->installEventFilter(this);
}

void EventWatch::stop() {
    m_table.sc_UnSubclass(m_target);
    m_target->removeEventFilter(this);
    m_target = nullptr;
}

void EventWatch::addEvent(QEvent::Type type, When when) {
    m_table.zAddMsg(m_target, static_cast<unsigned>(type), when);
}

void EventWatch::removeEvent(QEvent::Type type, When when) {
    m_table.zDelMsg(m_target, static_cast<unsigned>(type), when);
}

bool EventWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_target || event == m_delivering)
        return false;
    const auto type = static_cast<unsigned>(event->type());
    if (m_table.watches(type, When::Before))
        m_handler(event, When::Before);
    if (!m_table.watches(type, When::After))
        return false;
    // Let the widget handle the event first, then tell the control; the event is then done.
    const QEvent* outer = m_delivering;
    m_delivering = event;
    static_cast<QObject*>(m_target)->event(event);
    m_delivering = outer;
    m_handler(event, When::After);
    return true;
}

} // namespace tavrola

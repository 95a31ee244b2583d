// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/controls/MessageWatch.h"

#include <QEvent>
#include <QObject>

#include <functional>

class QWidget;

namespace tavrola {

// Lets a control handle chosen events of a widget before or after the widget's own handling,
// from a table of event numbers. Misuse throws MessageWatchError with the table's texts.
class EventWatch : public QObject {
    Q_OBJECT
public:
    using When = MessageWatch::When;
    using Handler = std::function<void(QEvent* event, When when)>;

    EventWatch(const QString& ownerName, Handler handler, QObject* parent = nullptr);
    ~EventWatch() override;

    void start(QWidget* target);
    void stop();
    void addEvent(QEvent::Type type, When when);
    void removeEvent(QEvent::Type type, When when);
    bool isWatching() const { return m_target != nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MessageWatch m_table;
    Handler m_handler;
    QWidget* m_target = nullptr;
    const QEvent* m_delivering = nullptr; // the event being handed to the widget itself
};

} // namespace tavrola

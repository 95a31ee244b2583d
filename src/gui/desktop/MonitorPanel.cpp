// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/desktop/MonitorPanel.h"

#include "gui/platform/LocalText.h"

#include <QCheckBox>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace tavrola {

namespace {

template <typename T> T* named(T* w, const char* name) {
    w->setObjectName(name);
    return w;
}

} // namespace

MonitorPanel::MonitorPanel(QWidget* window, const Screens& screens, QWidget* parent)
    : QWidget(parent), m_window(window), m_monitors(screens) {
    TextMonitor = named(new QPlainTextEdit(this), "TextMonitor");
    auto* cmdCoverScreen = named(new QPushButton("Cover Entire Screen", this), "cmdCoverScreen");
    cmdSwitchMonitors = named(new QPushButton("Switch Monitors", this), "cmdSwitchMonitors");
    auto* cmdForceOnscreen = named(new QPushButton("Force Onscreen", this), "cmdForceOnscreen");
    chkOverlap = named(new QCheckBox("Overlap OK", this), "chkOverlap");
    DisplayTimer = named(new QTimer(this), "DisplayTimer");
    auto* ChgMonitorTimer = named(new QTimer(this), "ChgMonitorTimer");
    setObjectName("Picture3");
    TextMonitor->setReadOnly(true);
    TextMonitor->setLineWrapMode(QPlainTextEdit::NoWrap);
    // A plain panel with fixed places, so that proportional resizing can scale it like the rest.
    resize(420, 300);
    TextMonitor->setGeometry(8, 8, 404, 200);
    cmdCoverScreen->setGeometry(8, 216, 130, 28);
    cmdSwitchMonitors->setGeometry(145, 216, 130, 28);
    cmdForceOnscreen->setGeometry(282, 216, 130, 28);
    chkOverlap->setGeometry(8, 252, 200, 24);

    connect(cmdCoverScreen, &QPushButton::clicked, this, &MonitorPanel::cmdCoverScreen_Click);
    connect(cmdSwitchMonitors, &QPushButton::clicked, this, &MonitorPanel::cmdSwitchMonitors_Click);
    connect(cmdForceOnscreen, &QPushButton::clicked, this, &MonitorPanel::cmdForceOnscreen_Click);

    // The report stays idle until the tools are started.
    connect(DisplayTimer, &QTimer::timeout, this, &MonitorPanel::DisplayTimer_Timer);
    ChgMonitorTimer->setInterval(500);
    connect(ChgMonitorTimer, &QTimer::timeout, this, &MonitorPanel::ChgMonitorTimer_Timer);
    ChgMonitorTimer->start();

    if (window)
        window->installEventFilter(this);
    // Queued, so that Qt has finished updating its list of screens when the tools look at it.
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (app) {
        connect(app, &QGuiApplication::screenRemoved, this, &MonitorPanel::monitorsChanged, Qt::QueuedConnection);
        connect(app, &QGuiApplication::screenAdded, this, &MonitorPanel::monitorsChanged, Qt::QueuedConnection);
    }
}

Rect MonitorPanel::windowRect() const {
    if (!m_window)
        return {};
    const QRect r = m_window->frameGeometry();
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

void MonitorPanel::moveWindowToRect(const Rect& r) {
    if (!m_window)
        return;
    // The rectangle is the outer one; Qt places the inner one, so the frame is taken off.
    const QRect frame = m_window->frameGeometry();
    const QRect inner = m_window->geometry();
    const int dl = inner.x() - frame.x();
    const int dt = inner.y() - frame.y();
    const int dw = frame.width() - inner.width();
    const int dh = frame.height() - inner.height();
    m_window->setGeometry(r.left + dl, r.top + dt, std::max(0, r.width() - dw), std::max(0, r.height() - dh));
}

QString MonitorPanel::tag() const {
    return cmdSwitchMonitors->property("Tag").toString();
}

void MonitorPanel::setTag(int n) {
    cmdSwitchMonitors->setProperty("Tag", QString::number(n));
}

void MonitorPanel::coverMonitorUnderCursor() {
    m_monitors.RefreshMonitors();
    const int index = std::max(1, m_monitors.MonitorUnderCursor());
    if (m_window)
        m_window->setWindowState(m_window->windowState() &
                                 ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    CoverMonitor(index);
}

void MonitorPanel::CoverMonitor(int index) {
    std::optional<Rect> r = m_monitors.CoverRect(index);
    if (!r && index != 1)
        r = m_monitors.CoverRect(1);
    if (r)
        moveWindowToRect(*r);
}

void MonitorPanel::InitMonitorButton() {
    TextMonitor->clear();
    DisplayTimer->setInterval(500);
    DisplayTimer->start();
    if (m_monitors.MonitorCount() != 1)
        setTag(m_monitors.MonitorOfWindow(windowRect()));
    else
        cmdSwitchMonitors->setEnabled(false);
}

void MonitorPanel::cmdSwitchMonitors_Click() {
    const int n = m_monitors.NextMonitor(fromQt(tag()));
    CoverMonitor(n);
    setTag(n);
}

void MonitorPanel::switchMonitorsByMove() {
    const int n = m_monitors.NextMonitor(fromQt(tag()));
    m_monitors.RefreshMonitors();
    moveWindowToRect(m_monitors.MoveToMonitor(windowRect(), n));
    setTag(n);
}

void MonitorPanel::cmdCoverScreen_Click() {
    CoverMonitor(0);
}

void MonitorPanel::cmdForceOnscreen_Click() {
    m_monitors.RefreshMonitors();
    if (const std::optional<Rect> r = m_monitors.EnsureOnscreen(windowRect(), chkOverlap->isChecked()))
        moveWindowToRect(*r);
}

void MonitorPanel::ShowMonitorInfo() {
    QString text = toQt(m_monitors.MonitorReport(windowRect()));
    // The text box ends lines with a line feed alone.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (TextMonitor->toPlainText() != text)
        TextMonitor->setPlainText(text);
}

void MonitorPanel::DisplayTimer_Timer() {
    // The report asks the system for every monitor and the mouse position: not worth doing twice
    // a second for a panel that is not on screen (the clock keeps it hidden).
    if (!isVisible()) {
        m_reportStale = true;
        return;
    }
    ShowMonitorInfo();
}

void MonitorPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_reportStale) {
        m_reportStale = false;
        ShowMonitorInfo();
    }
}

void MonitorPanel::ChgMonitorTimer_Timer() {
    if (!m_resolutionLabel)
        return;
    if (const std::optional<std::string> text = m_monitors.ResolutionText())
        m_resolutionLabel->setText(toQt(*text));
}

void MonitorPanel::monitorsChanged() {
    if (!m_window)
        return;
    m_monitors.RefreshMonitors();
    const int count = m_monitors.MonitorCount();
    if (count < 1)
        return;
    // Left off the desktop by a monitor that went away: cover the nearest one that is left.
    const Rect w = windowRect();
    const Rect desktop = m_monitors.MonitorRect(0);
    if (!(desktop.united(w) == desktop) && m_window->isVisible())
        CoverMonitor(std::max(1, m_monitors.MonitorOfWindow(w)));
    cmdSwitchMonitors->setEnabled(count > 1);
    setTag(m_monitors.MonitorOfWindow(windowRect()));
}

bool MonitorPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window) {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F12) {
            cmdSwitchMonitors_Click();
            return true;
        }
        if (event->type() == QEvent::WindowActivate)
            ShowMonitorInfo();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shutdown/FrmShutdownConfirm.h"

#include "core/desktop/TwipScale.h"
#include "core/platform/Shell.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QMetaMethod>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace tavrola {

namespace {
// The layout is drawn in twips of a 96 dpi screen.
QRect twipRect(int left, int top, int width, int height) {
    constexpr TwipScale s{};
    return QRect(s.toPixelsX(left), s.toPixelsY(top), s.toPixelsX(width), s.toPixelsY(height));
}

QFont dialogFont(double points, bool bold) {
    QFont f;
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QLabel* centredLabel(QWidget* parent, const char* name, const QString& text, const QRect& at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(at);
    return label;
}

void colour(QLabel* label, const QColor& c) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, c);
    label->setPalette(p);
}
} // namespace

FrmShutdownConfirm::FrmShutdownConfirm(Shell& shell, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_shell(shell) {
    setObjectName("FrmShutdownConfirm");
    setWindowTitle("Pengesahan Shutdown");
    setFixedSize(twipRect(0, 0, 5010, 2505).size());

    QLabel* lblMessage = centredLabel(this, "lblMessage", "Komputer akan ditutup!", twipRect(240, 240, 4515, 360));
    QFont big("Arial");
    big.setPointSizeF(14.25);
    big.setBold(true);
    lblMessage->setFont(big);
    colour(lblMessage, QColor(255, 0, 0));

    QLabel* lblQuestion = centredLabel(this, "lblQuestion", "Adakah anda pasti mahu menutup komputer?",
                                       twipRect(240, 720, 4515, 300));
    lblQuestion->setFont(dialogFont(9.75, false));

    lblCountdown = centredLabel(this, "lblCountdown", QString(), twipRect(240, 1320, 4515, 300));
    lblCountdown->setFont(dialogFont(9.75, true));
    colour(lblCountdown, QColor(0, 0, 128));

    auto* cmdYa = new QPushButton("&Ya - Tutup", this);
    cmdYa->setObjectName("cmdYa");
    cmdYa->setGeometry(twipRect(360, 1800, 2055, 495));
    auto* cmdTidak = new QPushButton("&Tidak - Batalkan", this);
    cmdTidak->setObjectName("cmdTidak");
    cmdTidak->setGeometry(twipRect(2640, 1800, 2055, 495));
    for (QPushButton* b : {cmdYa, cmdTidak}) {
        b->setFont(dialogFont(9.75, true));
        b->setAutoDefault(false);
    }
    // Enter, like Escape, cancels: switching the computer off takes Alt+Y, a click or the full count.
    cmdTidak->setDefault(true);
    setTabOrder(cmdYa, cmdTidak);
    cmdYa->setFocus();

    TimerCountdown = new QTimer(this);
    TimerCountdown->setObjectName("TimerCountdown");
    TimerCountdown->setInterval(1000);
    connect(TimerCountdown, &QTimer::timeout, this, &FrmShutdownConfirm::TimerCountdown_Timer);
    connect(cmdYa, &QPushButton::clicked, this, &FrmShutdownConfirm::cmdYa_Click);
    connect(cmdTidak, &QPushButton::clicked, this, &FrmShutdownConfirm::cmdTidak_Click);

    SecondsLeft = 10;
    showSecondsLeft();
    TimerCountdown->start();
}

void FrmShutdownConfirm::showSecondsLeft() {
    lblCountdown->setText("Shutdown automatik dalam: " + QString::number(SecondsLeft) + " saat");
}

void FrmShutdownConfirm::TimerCountdown_Timer() {
    if (m_shuttingDown)
        return;
    --SecondsLeft;
    showSecondsLeft();
    if (SecondsLeft < 1) {
        TimerCountdown->stop();
        DoShutdown();
    }
}

void FrmShutdownConfirm::cmdYa_Click() {
    TimerCountdown->stop();
    DoShutdown();
}

void FrmShutdownConfirm::cmdTidak_Click() {
    if (m_shuttingDown)
        return;
    TimerCountdown->stop();
    emit shutDwnEnabled(true);
    QDialog::done(QDialog::Rejected);
}

void FrmShutdownConfirm::reject() {
    cmdTidak_Click();
}

void FrmShutdownConfirm::closeEvent(QCloseEvent* event) {
    // The close box is a cancel, never a silent close that would leave the scheduler stopped.
    event->ignore();
    cmdTidak_Click();
}

void FrmShutdownConfirm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen rather than on the clock window, which may be hidden or elsewhere.
    if (QScreen* s = screen()) {
        QRect r = frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        move(r.topLeft());
    }
}

void FrmShutdownConfirm::DoShutdown() {
    if (m_shuttingDown)
        return;
    m_shuttingDown = true;
    TimerCountdown->stop();
    emit shutDwnEnabled(false);
    QDialog::done(QDialog::Accepted);
    emit trayIconRemovalRequested();
    // Whether the command could start is not waited for: the program ends either way.
    m_shell.powerOff();
    if (isSignalConnected(QMetaMethod::fromSignal(&FrmShutdownConfirm::programEndRequested)))
        emit programEndRequested();
    else
        QCoreApplication::exit(0);
}

} // namespace tavrola

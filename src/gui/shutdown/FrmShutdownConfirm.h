// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;
class QTimer;

namespace tavrola {

class Shell;

// Warns that the computer is about to be switched off and does it after ten seconds unless cancelled.
class FrmShutdownConfirm : public QDialog {
    Q_OBJECT
public:
    explicit FrmShutdownConfirm(Shell& shell, QWidget* parent = nullptr);

    std::int16_t secondsLeft() const { return SecondsLeft; }
    bool shuttingDown() const { return m_shuttingDown; }

signals:
    // What the dialog asks outside itself.
    void shutDwnEnabled(bool on); // the clock window's ShutDwn timer
    void trayIconRemovalRequested();
    // End the program at once; without a listener the application's event loops end.
    void programEndRequested();

public slots:
    // Escape cancels, as the close box does.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void TimerCountdown_Timer();
    void cmdYa_Click();
    void cmdTidak_Click();

private:
    void DoShutdown();
    void showSecondsLeft();

    Shell& m_shell;
    std::int16_t SecondsLeft = 10;
    bool m_shuttingDown = false;
    QLabel* lblCountdown;
    QTimer* TimerCountdown;
};

} // namespace tavrola

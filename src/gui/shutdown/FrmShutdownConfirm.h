#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;

namespace tavrola {

class Shell;

// Warns that the computer is about to be switched off and does it after ten seconds unless cancelled.
class FrmShutdownConfirm : public QDialog {
    Q_OBJECT
public:
    // What the dialog does outside itself; empty hooks do nothing, except `endProgram`, which by
    // default leaves the application's event loops.
    struct Hooks {
        std::function<void(bool)> setShutDwnEnabled; // the clock window's ShutDwn timer
        std::function<void()> delIcon;               // removes the notification-area icon
        std::function<void()> endProgram;            // ends the program at once
    };

    FrmShutdownConfirm(Shell& shell, Hooks hooks, QWidget* parent = nullptr);

    std::int16_t secondsLeft() const { return SecondsLeft; }
    bool shuttingDown() const { return m_shuttingDown; }

    QLabel* lblMessage;
    QLabel* lblQuestion;
    QLabel* lblCountdown;
    QPushButton* cmdYa;
    QPushButton* cmdTidak;
    QTimer* TimerCountdown;

public slots:
    void TimerCountdown_Timer();
    void cmdYa_Click();
    void cmdTidak_Click();
    void DoShutdown();
    // Escape cancels, as the close box does.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showSecondsLeft();

    Shell& m_shell;
    Hooks m_hooks;
    std::int16_t SecondsLeft = 10;
    bool m_shuttingDown = false;
};

} // namespace tavrola

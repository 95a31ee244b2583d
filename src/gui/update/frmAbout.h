// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QTimer;

namespace tavrola {

class ucAniGIF;

class Clock;
class Shell;

// Title, version and the maker's contact lines, typed out one character at a time.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // The contact lines, web address and e-mail address default to this build's values.
    frmAbout(Shell& shell, const Clock& clock, QWidget* parent = nullptr);
    frmAbout(Shell& shell, const Clock& clock, std::string infoText, std::string web, std::string email,
             QWidget* parent = nullptr);

public slots:
    // Loads this picture file into the animated picture beside the title (the program's logo).
    void showLogoFile(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private slots:
    // Runs on every opening, so the typewriter starts again from an empty label.
    void Form_Load();
    void Timer1_Timer();
    void cmdWeb_Click();
    void cmdEmail_Click();
    void cmdOK_Click();

private:
    Shell& m_shell;
    const Clock& m_clock;
    std::string m_contactLines;
    std::string m_web;
    std::string m_email;

    std::string m_infoText;
    int m_infoPos = 0;

    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblInfo;
    QTimer* Timer1;
    ucAniGIF* m_ucAniGIF1; // the animated picture beside the title
};

} // namespace tavrola

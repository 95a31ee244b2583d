// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/ProgramFolder.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace tavrola {

// "Urus dari telefon...": switches the clock's own page on the mosque's network on or off, sets
// its port and the committee's PIN (typed twice, stored only as its hash), shows the addresses to
// open on a phone with a QR code of the first, and signs every phone out.
class FrmTelefon : public QDialog {
    Q_OBJECT
public:
    explicit FrmTelefon(ProgramFolder folder, QWidget* parent = nullptr);

public slots:
    // Opens the window over whatever window asked for it, with the file's values.
    void showPanel();
    // The server's own line: running, switched off, or why it could not start.
    void showServerStatus(const QString& line);

signals:
    // AKTIF or PORT were written: the server should follow at once.
    void settingsSaved();
    // A new PIN, or the committee's button: every phone signs in again.
    void signOutAllRequested();

private slots:
    void cmdSimpan_Click();
    void cmdPin_Click();
    void cmdKeluarSemua_Click();

private:
    void load();
    void say(const QString& text);

    ProgramFolder m_folder;
    QCheckBox* m_active = nullptr;
    QSpinBox* m_port = nullptr;
    QLineEdit* m_pin = nullptr;
    QLineEdit* m_pinAgain = nullptr;
    QLabel* m_pinState = nullptr;
    QLabel* m_addresses = nullptr;
    QLabel* m_qr = nullptr;
    QLabel* m_serverStatus = nullptr;
    QLabel* m_message = nullptr;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/clock/Congregation.h"
#include "core/files/ProgramFolder.h"

#include <QDialog>

#include <array>
#include <string_view>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tavrola {

class Dialogs;

// The congregation's settings: minutes to the iqamah and of the prayer screen for each prayer and
// for Friday, the message under the countdown, the tone at the iqamah and the two azan files.
// Opened from the settings window; it reads setting.ini when it opens and writes every key on
// "Simpan", one after another, each failed write reported and the rest written all the same.
class FrmJemaah : public QDialog {
    Q_OBJECT
public:
    FrmJemaah(ProgramFolder folder, Dialogs& dialogs, QWidget* parent = nullptr);

private slots:
    void cmdSave_Click();
    void cmdAzan_Click();
    void cmdAzanSubuh_Click();

private:
    void load();
    void chooseAudio(QLineEdit* box);
    // Every value of the window in one write: all saved, or none and one message.
    bool saveAll();

    ProgramFolder m_folder;
    Dialogs& m_dialogs;
    // Spin boxes 0 to 60, 0 shown as "Tiada" (off), indexed by Jemaah.
    std::array<QSpinBox*, kJemaahCount> m_iqamah{};
    std::array<QSpinBox*, kJemaahCount> m_prayer{};
    QLineEdit* m_message = nullptr;
    QCheckBox* m_tone = nullptr;
    QLineEdit* m_azan = nullptr;
    QLineEdit* m_azanSubuh = nullptr;
};

} // namespace tavrola

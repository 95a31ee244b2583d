// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

class QWidget;

namespace tavrola {

class Dialogs;

// Asks the user for one file through the open-file dialog of the Dialogs service.
class clsDialog {
public:
    // The only option flag that means anything here: the chosen file must already exist.
    static constexpr std::uint32_t OFN_FILEMUSTEXIST = 0x1000;

    explicit clsDialog(Dialogs& dialogs) : m_dialogs(dialogs) {}

    // Filter: "description|patterns|description|patterns|", patterns separated by ";" (the last "|"
    // may be left out). Returns the full path of the chosen file, or an empty string on cancel.
    QString ShowOpen(QWidget* Form_hWnd, const QString& Title, const QString& InitDir, const QString& Filter,
                     std::uint32_t Flags);

private:
    Dialogs& m_dialogs;
};

} // namespace tavrola

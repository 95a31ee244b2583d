// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/IniFile.h"

#include <QWidget>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace tavrola {

// Picks the place the built-in calculator computes for ([LOKASI]): an official prayer-time zone
// (ZON), the zones grouped under their states and each shown with its code and districts, or the
// first entry, the coordinates typed in the three fields below it (LATITUD, LONGITUD, ZON_WAKTU).
// A coordinate that cannot be used is marked, with the reason, as it is typed.
class ZoneChooser : public QWidget {
    Q_OBJECT
public:
    explicit ZoneChooser(QWidget* parent = nullptr);

    // Shows the place setting.ini names, as the calculator reads it.
    void load(const std::filesystem::path& iniPath);
    // Why the typed place cannot be saved ("LATITUD: ..."), or empty.
    QString problem() const;
    // The values the user changed since the load; an untouched chooser adds nothing, so the file
    // keeps its bytes.
    void addChanges(std::vector<IniChange>& changes) const;
    // After the changes were written: they are what the file holds now.
    void markSaved();

    // The chosen zone's code; empty for the coordinates entry.
    QString code() const;

private:
    void select(const QString& code);
    void showProblems();

    QComboBox* m_box;
    std::array<QLineEdit*, 3> m_fields{}; // LATITUD, LONGITUD, ZON_WAKTU
    QLabel* m_problem;
    QString m_shown;                    // the code the load showed
    std::array<QString, 3> m_shownText; // the fields' texts as loaded
};

} // namespace tavrola

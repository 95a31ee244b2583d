// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/IniFile.h"

#include <QWidget>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavrola {

class Dialogs;
class QtDialogs;

// Picks the place the built-in calculator computes for ([LOKASI]): an official prayer-time zone
// (ZON), the zones grouped under their states and each shown with its code and districts, or the
// first entry, the coordinates typed in the three fields below it (LATITUD, LONGITUD, ZON_WAKTU).
// A coordinate that cannot be used is marked, with the reason, as it is typed. "Jadual rasmi..."
// beside the zones copies a zone's official yearly timetable into dbase/rasmi/ once it passes the
// clock's checks for the chosen zone.
class ZoneChooser : public QWidget {
    Q_OBJECT
public:
    explicit ZoneChooser(QWidget* parent = nullptr);
    ~ZoneChooser() override;

    // The open-file dialog "Jadual rasmi..." asks; Qt's own when none is given (not owned).
    void setDialogs(Dialogs* dialogs) { m_dialogs = dialogs; }

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

public slots:
    // Asks for a table file and copies it in.
    void chooseOfficialTable();
    // Checks the file against the chosen zone and copies it into dbase/rasmi/; the label beside
    // says what happened. True when it was copied; the clock notices the folder's change and builds
    // the month from it within a second or two.
    bool importOfficialTable(const QString& file);

private:
    void select(const QString& code);
    void showProblems();

    QComboBox* m_box;
    std::array<QLineEdit*, 3> m_fields{}; // LATITUD, LONGITUD, ZON_WAKTU
    QLabel* m_problem;
    QPushButton* m_official;  // "Jadual rasmi..."
    QLabel* m_officialResult; // what the last copy did
    std::filesystem::path m_officialFolder;
    Dialogs* m_dialogs = nullptr;
    std::unique_ptr<QtDialogs> m_ownDialogs;
    QString m_shown;                    // the code the load showed
    std::array<QString, 3> m_shownText; // the fields' texts as loaded
};

} // namespace tavrola

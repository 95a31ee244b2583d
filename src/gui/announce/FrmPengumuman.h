// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/announce/AnnouncementStore.h"
#include "core/files/ProgramFolder.h"

#include <QDialog>
#include <QHash>
#include <QIcon>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace tavrola {

class Clock;
class Dialogs;

// The announcements on the wall, managed with a mouse: the list in its showing order (a picture's
// thumbnail or a text's title), adding a picture from a file or a text, its days and seconds, the
// order, deleting; and the funeral notice. Each change is written at once; a refused one says why.
class FrmPengumuman : public QDialog {
    Q_OBJECT
public:
    FrmPengumuman(ProgramFolder folder, const Clock& clock, Dialogs& dialogs, QWidget* parent = nullptr);

public slots:
    void cmdBaru_Click();
    void cmdTambahGambar_Click();
    void cmdTambahTeks_Click();
    void cmdSimpan_Click();
    void cmdNaik_Click();
    void cmdTurun_Click();
    void cmdPadam_Click();
    void cmdJenazahSimpan_Click();
    void cmdJenazahPadam_Click();

private slots:
    void showSelected();

private:
    void buildList();
    // Lists the entries again and selects one; the editor takes its values unless a refused change
    // left the user's own there.
    void refresh(int select, bool fillEditor);
    void enableButtons();
    AnnouncementFields editedFields(Announcement::Kind kind) const;
    // Shows the reason of a refused change; true when there was none.
    bool done(const std::string& why);
    bool saveFuneral(const QString& name, const QString& prayer, const QString& until);
    void loadFuneral();
    int selectedRow() const;

    ProgramFolder m_folder;
    const Clock& m_clock;
    Dialogs& m_dialogs;
    AnnouncementStore m_store;
    QHash<QString, QIcon> m_thumbnails; // by file name: every imported picture gets a new one

    QListWidget* m_list = nullptr;
    QLineEdit* m_title = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_until = nullptr;
    QSpinBox* m_seconds = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_delete = nullptr;
    QLineEdit* m_funeralName = nullptr;
    QLineEdit* m_funeralPrayer = nullptr;
    QLineEdit* m_funeralUntil = nullptr;
};

} // namespace tavrola

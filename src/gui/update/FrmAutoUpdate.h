// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;

namespace tavrola {

class ModAutoUpdate;

// Tells of a newer release and offers its download page.
class FrmAutoUpdate : public QDialog {
    Q_OBJECT
public:
    explicit FrmAutoUpdate(ModAutoUpdate& updater, QWidget* parent = nullptr);

public slots:
    // Fills the captions from the last manifest read.
    void Form_Load();

private slots:
    void cmdDownload_Click();
    void cmdLater_Click();

private:
    QLabel* lblVersi;
    QLabel* lblChanges;
    ModAutoUpdate& m_updater;
};

} // namespace tavrola

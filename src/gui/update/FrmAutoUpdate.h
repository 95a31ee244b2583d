#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tavrola {

class ModAutoUpdate;

// Tells of a newer release and offers its download page.
class FrmAutoUpdate : public QDialog {
    Q_OBJECT
public:
    explicit FrmAutoUpdate(ModAutoUpdate& updater, QWidget* parent = nullptr);

    QLabel* lblVersi;
    QLabel* lblChanges;
    QPushButton* cmdDownload;
    QPushButton* cmdLater;

public slots:
    // Fills the captions from the last manifest read.
    void Form_Load();
    void cmdDownload_Click();
    void cmdLater_Click();

private:
    ModAutoUpdate& m_updater;
};

} // namespace tavrola

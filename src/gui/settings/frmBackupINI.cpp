// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/settings/frmBackupINI.h"

#include "core/AppInfo.h"
#include "core/settings/ModBackupINI.h"
#include "core/platform/Dialogs.h"
#include "gui/platform/LocalText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrola {

namespace {
QPushButton* makeButton(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}
} // namespace

frmBackupINI::frmBackupINI(ModBackupINI& backups, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_backups(backups), m_dialogs(dialogs) {
    setObjectName("frmBackupINI");
    setWindowTitle("PENGURUSAN SANDARAN SETTING.INI");

    auto* Label1 = new QLabel("PENGURUSAN SANDARAN FAIL KONFIGURASI", this);
    Label1->setObjectName("Label1");
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    Label1->setFont(heading);
    Label1->setAlignment(Qt::AlignCenter);
    auto* Label2 = new QLabel("Senarai Sandaran yang Tersedia:", this);
    Label2->setObjectName("Label2");
    lstBackups = new QListWidget(this);
    lstBackups->setObjectName("lstBackups");
    lstBackups->setSelectionMode(QAbstractItemView::SingleSelection);
    lstBackups->setMinimumSize(380, 220);
    lblStatus = new QLabel("Status: Sedia", this);
    lblStatus->setObjectName("lblStatus");

    QPushButton* cmdCreateBackup = makeButton(this, "cmdCreateBackup", "Buat Sandaran");
    QPushButton* cmdRestore = makeButton(this, "cmdRestore", "Pulihkan");
    QPushButton* cmdDeleteBackup = makeButton(this, "cmdDeleteBackup", "Hapus Sandaran");
    QPushButton* cmdRestoreDefault = makeButton(this, "cmdRestoreDefault", "Tungkus Semula Lalai");
    QPushButton* cmdRefresh = makeButton(this, "cmdRefresh", "Segarkan Senarai");
    QPushButton* cmdClose = makeButton(this, "cmdClose", "Tutup");

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdCreateBackup, cmdRestore, cmdDeleteBackup, cmdRestoreDefault, cmdRefresh})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(Label2);
    listColumn->addWidget(lstBackups);
    auto* middle = new QHBoxLayout;
    middle->addLayout(listColumn, 1);
    middle->addLayout(buttons);
    auto* root = new QVBoxLayout(this);
    root->addWidget(Label1);
    root->addLayout(middle);
    root->addWidget(lblStatus);

    connect(cmdCreateBackup, &QPushButton::clicked, this, &frmBackupINI::cmdCreateBackup_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &frmBackupINI::cmdRestore_Click);
    connect(cmdDeleteBackup, &QPushButton::clicked, this, &frmBackupINI::cmdDeleteBackup_Click);
    connect(cmdRestoreDefault, &QPushButton::clicked, this, &frmBackupINI::cmdRestoreDefault_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmBackupINI::cmdRefresh_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);

    LoadBackupList();
}

void frmBackupINI::LoadBackupList() {
    lstBackups->clear();
    BackupPaths.clear();
    BackupCount = 0;
    bool failed = false;
    std::vector<std::filesystem::path> list = m_backups.GetBackupList(&failed);
    if (failed) {
        lstBackups->addItem("(Ralat membaca sandaran)");
        return;
    }
    if (list.empty()) {
        lstBackups->addItem("(Tiada sandaran)");
        return;
    }
    BackupPaths = std::move(list);
    BackupCount = static_cast<int>(BackupPaths.size());
    for (const auto& path : BackupPaths)
        lstBackups->addItem(pathToQt(path.filename()));
}

void frmBackupINI::cmdCreateBackup_Click() {
    if (m_backups.CreateBackup()) {
        setStatus("Status: Sandaran berjaya dibuat!");
        LoadBackupList();
    } else {
        setStatus("Status: Gagal membuat sandaran!");
        warn("Gagal membuat sandaran. Pastikan setting.ini wujud.");
    }
}

int frmBackupINI::selectedBackup(const char* nothingSelectedText) {
    const int row = lstBackups->currentRow();
    if (row < 0 || !lstBackups->currentItem() || !lstBackups->currentItem()->isSelected()) {
        warn(nothingSelectedText);
        return -1;
    }
    if (row >= BackupCount) {
        warn("Pilihan sandaran tidak sah!");
        return -1;
    }
    return row;
}

void frmBackupINI::cmdRestore_Click() {
    const int i = selectedBackup("Sila pilih satu sandaran untuk dipulihkan!");
    if (i < 0)
        return;
    if (!ask("Adakah anda pasti ingin memulihkan dari sandaran ini?\r\n" + lstBackups->item(i)->text()))
        return;
    setStatus(m_backups.RestoreBackup(BackupPaths[static_cast<std::size_t>(i)]) ? "Status: Pulihan berjaya!"
                                                                                : "Status: Gagal memulihkan!");
}

void frmBackupINI::cmdDeleteBackup_Click() {
    const int i = selectedBackup("Sila pilih satu sandaran untuk dihapus!");
    if (i < 0)
        return;
    if (!ask("Adakah anda pasti ingin menghapus sandaran ini?\r\n" + lstBackups->item(i)->text()))
        return;
    if (m_backups.DeleteBackup(BackupPaths[static_cast<std::size_t>(i)])) {
        setStatus("Status: Sandaran dihapus!");
        LoadBackupList();
    } else {
        setStatus("Status: Gagal menghapus sandaran!");
    }
}

void frmBackupINI::cmdRestoreDefault_Click() {
    if (!ask("Adakah anda pasti ingin tungkus semula setting.ini ke nilai lalai?\r\n"
             "Semua konfigurasi semasa akan kehilangan!"))
        return;
    setStatus(m_backups.WriteDefaultINI() ? "Status: Tungkus semula berjaya!" : "Status: Gagal tungkus semula!");
}

void frmBackupINI::cmdRefresh_Click() {
    LoadBackupList();
    setStatus("Status: Senarai disegarkan");
}

bool frmBackupINI::ask(const QString& question) {
    return m_dialogs.message(MessageIcon::Question, app::kTitle, fromQt(question), MessageButtons::YesNo) ==
           DialogAnswer::Yes;
}

void frmBackupINI::warn(const QString& text) {
    m_dialogs.message(MessageIcon::Exclamation, app::kTitle, fromQt(text), MessageButtons::Ok);
}

void frmBackupINI::setStatus(const QString& text) {
    lblStatus->setText(text);
}

} // namespace tavrola

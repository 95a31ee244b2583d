// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/update/FrmAutoUpdate.h"

#include "core/platform/Dialogs.h"
#include "core/update/UpdateCheck.h"
#include "gui/platform/LocalText.h"
#include "gui/update/ModAutoUpdate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrola {

namespace {
// Labels break lines at LF; the texts keep CR LF as written.
QString labelText(const std::string& text) {
    QString s = toQt(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

QLabel* plainLabel(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    // Manifest text is shown as written, never interpreted as markup.
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    return l;
}
} // namespace

FrmAutoUpdate::FrmAutoUpdate(ModAutoUpdate& updater, QWidget* parent)
    : QDialog(parent), lblVersi(plainLabel("lblVersi", this)), lblChanges(plainLabel("lblChanges", this)),
      m_updater(updater) {
    auto* cmdDownload = new QPushButton(toQt(update::kDownloadCaption), this);
    auto* cmdLater = new QPushButton(toQt(update::kLaterCaption), this);
    setObjectName("FrmAutoUpdate");
    setWindowTitle(toQt(update::kWindowCaption));
    cmdDownload->setObjectName("cmdDownload");
    cmdLater->setObjectName("cmdLater");
    cmdDownload->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdDownload);
    buttons->addWidget(cmdLater);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblVersi);
    layout->addWidget(lblChanges, 1);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(cmdDownload, &QPushButton::clicked, this, &FrmAutoUpdate::cmdDownload_Click);
    connect(cmdLater, &QPushButton::clicked, this, &FrmAutoUpdate::cmdLater_Click);
    Form_Load();
}

void FrmAutoUpdate::Form_Load() {
    lblVersi->setText(
        labelText(update::versionCaption(m_updater.LatestVersion(), ModAutoUpdate::CurrentVersion())));
    lblChanges->setText(labelText(update::changesCaption(m_updater.ChangeNotes())));
}

void FrmAutoUpdate::cmdDownload_Click() {
    if (m_updater.OpenDownloadPage())
        m_updater.dialogs().message(MessageIcon::Information, update::kBoxTitle, update::kBrowserWillOpen);
    close();
}

void FrmAutoUpdate::cmdLater_Click() {
    close();
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/QtDialogs.h"

#include "core/controls/FileFilter.h"
#include "gui/platform/LocalText.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace tavrola {

DialogAnswer QtDialogs::message(MessageIcon icon, const std::string& title, const std::string& text,
                                MessageButtons buttons) {
    QMessageBox::Icon qicon = QMessageBox::NoIcon;
    switch (icon) {
    case MessageIcon::None:
        break;
    case MessageIcon::Information:
        qicon = QMessageBox::Information;
        break;
    case MessageIcon::Exclamation:
        qicon = QMessageBox::Warning;
        break;
    case MessageIcon::Critical:
        qicon = QMessageBox::Critical;
        break;
    case MessageIcon::Question:
        qicon = QMessageBox::Question;
        break;
    }
    const auto qbuttons =
        buttons == MessageButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok;
    QMessageBox box(qicon, toQt(title), toQt(text), qbuttons, m_parent);
    const int answer = box.exec();
    if (buttons == MessageButtons::Ok)
        return DialogAnswer::Ok;
    return answer == QMessageBox::Yes ? DialogAnswer::Yes : DialogAnswer::No;
}

std::string QtDialogs::openFile(const OpenFileRequest& request) {
    QWidget* owner = request.owner ? static_cast<QWidget*>(request.owner) : m_parent;
    QFileDialog dialog(owner, toQt(request.title), toQt(request.initialFolder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The descriptions already name their patterns; show them as written.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const std::string nameFilter = toQtNameFilter(request.filters);
    if (!nameFilter.empty())
        dialog.setNameFilter(toQt(nameFilter));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return {};
    if (request.mustExist && !QFileInfo(chosen.first()).isFile())
        return {};
    return fromQt(QDir::toNativeSeparators(chosen.first()));
}

} // namespace tavrola

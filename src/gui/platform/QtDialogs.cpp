#include "gui/platform/QtDialogs.h"

#include "gui/platform/LocalText.h"

#include <QFileDialog>
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
    const auto qbuttons = buttons == MessageButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok;
    QMessageBox box(qicon, toQt(title), toQt(text), qbuttons, m_parent);
    const int answer = box.exec();
    if (buttons == MessageButtons::Ok)
        return DialogAnswer::Ok;
    return answer == QMessageBox::Yes ? DialogAnswer::Yes : DialogAnswer::No;
}

std::string QtDialogs::openFile(const OpenFileRequest& request) {
    QStringList filters;
    for (const auto& [description, patterns] : request.filters) {
        QString p = toQt(patterns);
        p.replace(';', ' ');
        filters << toQt(description) + " (" + p + ")";
    }
    const QString chosen = QFileDialog::getOpenFileName(m_parent, toQt(request.title), toQt(request.initialFolder),
                                                        filters.join(";;"));
    return chosen.isEmpty() ? std::string() : fromQt(chosen);
}

} // namespace tavrola

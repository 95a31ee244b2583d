// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/clock/ClockLook.h"

#include "gui/platform/LocalText.h"
#include "gui/widgets/ucAniGIF.h"

#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace tavrola::look {

QFont face(const QStringList& families, int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void setTextColour(QWidget* w, const QColor& c) {
    if (w->palette().color(QPalette::WindowText) == c && w->palette().color(QPalette::Text) == c)
        return;
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    w->setPalette(pal);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

ucAniGIF* makePicture(QWidget* parent, const QString& name, const std::filesystem::path& file, int stretch) {
    auto* pic = new ucAniGIF(parent);
    pic->setObjectName(name);
    pic->setStretch(stretch);
    if (!file.empty())
        pic->LoadAnimatedGIF_File(pathToQt(file));
    return pic;
}

} // namespace tavrola::look

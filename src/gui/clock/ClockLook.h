// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <filesystem>

class QLabel;
class QWidget;

namespace tavrola {
class ucAniGIF;
}

namespace tavrola::look {

// The clock window's colours and faces, shared by the window, its bands and the screens drawn over it.
inline const QColor kGold(212, 175, 55);
inline const QColor kPaleGold(240, 222, 160);
inline const QColor kWhite(255, 255, 255);

// Until the window hands over the families it registered.
inline const QString kDigitFamily = QStringLiteral("DSEG7 Classic");
inline const QStringList kNarrow = {"Arial Narrow", "Liberation Sans Narrow", "DejaVu Sans Condensed",
                                    "DejaVu Sans"};
inline const QStringList kRounded = {"Arial Rounded MT Bold", "DejaVu Sans"};
inline const QStringList kSans = {"MS Sans Serif", "DejaVu Sans"};

QFont face(const QStringList& families, int pixelSize, bool bold = false);
// Called on every tick: an unchanged colour costs no new palette and no repaint.
void setTextColour(QWidget* w, const QColor& c);
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text = {});
// An animated picture of the program folder's own artwork (none for an empty path), scaled into its box.
ucAniGIF* makePicture(QWidget* parent, const QString& name, const std::filesystem::path& file, int stretch);

} // namespace tavrola::look

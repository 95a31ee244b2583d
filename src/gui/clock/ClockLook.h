// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

namespace tavrola::look {

// The clock window's colours and faces, shared by the window and the screens drawn over it.
inline const QColor kGold(212, 175, 55);
inline const QColor kPaleGold(240, 222, 160);
inline const QColor kWhite(255, 255, 255);

// Until the window hands over the families it registered.
inline const QString kDigitFamily = QStringLiteral("DSEG7 Classic");
inline const QStringList kNarrow = {"Arial Narrow", "Liberation Sans Narrow", "DejaVu Sans Condensed",
                                    "DejaVu Sans"};

} // namespace tavrola::look

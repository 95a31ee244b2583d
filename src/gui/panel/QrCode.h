// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace tavrola {

// A QR code of `text` (libqrencode, error correction M) in black on white with the standard quiet
// zone of four modules, each module `scale` pixels square. A null image when the text does not fit.
QImage qrCodeImage(const QString& text, int scale);

} // namespace tavrola

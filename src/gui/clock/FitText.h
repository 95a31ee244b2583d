// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QSize>
#include <QString>

#include <algorithm>

namespace tavrola {

// The largest pixel size (6 at least, up to `box`'s height) at which `sample` fits in `box`.
inline int fitPixelSize(QFont font, const QString& sample, const QSize& box) {
    int lo = 6, hi = std::max(6, box.height());
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        font.setPixelSize(mid);
        const QFontMetrics fm(font);
        if (fm.horizontalAdvance(sample) <= box.width() && fm.height() <= box.height())
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/gif/GifStretch.h"

#include <algorithm>
#include <cmath>

namespace tavrola {

GifDrawRect gifDrawRect(int stretch, int w, int h, int cw, int ch, int offsetX, int offsetY) {
    GifDrawRect r;
    if (cw <= 0 || ch <= 0)
        return r;
    w = std::max(w, 0);
    h = std::max(h, 0);
    switch (stretch) {
    case GifFit:
    case GifShrinkToFit: {
        double s = std::min(static_cast<double>(w) / cw, static_cast<double>(h) / ch);
        if (stretch == GifShrinkToFit)
            s = std::min(s, 1.0);
        r.scaleX = r.scaleY = s;
        r.width = static_cast<int>(std::lround(s * cw));
        r.height = static_cast<int>(std::lround(s * ch));
        break;
    }
    case GifFill:
        r.scaleX = static_cast<double>(w) / cw;
        r.scaleY = static_cast<double>(h) / ch;
        r.width = w;
        r.height = h;
        break;
    default: // no scaling, also for a control that took the canvas size
        r.width = cw;
        r.height = ch;
        break;
    }
    r.x = static_cast<int>(std::lround(offsetX * r.scaleX));
    r.y = static_cast<int>(std::lround(offsetY * r.scaleY));
    return r;
}

} // namespace tavrola

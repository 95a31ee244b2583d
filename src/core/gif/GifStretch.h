// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavrola {

// Where the canvas lands on the control: the drawn rectangle and the scales used for it.
struct GifDrawRect {
    int x = 0, y = 0, width = 0, height = 0;
    double scaleX = 1.0, scaleY = 1.0;
};

enum GifStretchMode { GifNoScale = 0, GifFit = 1, GifFill = 2, GifShrinkToFit = 3, GifSizeToImage = 4 };

// Stretch mode for a control of inner size (w, h) showing a canvas (cw, ch) shifted by
// (offsetX, offsetY) image pixels. Drawing outside the control is cut by the caller.
GifDrawRect gifDrawRect(int stretch, int w, int h, int cw, int ch, int offsetX = 0, int offsetY = 0);

} // namespace tavrola

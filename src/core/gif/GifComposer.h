// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/gif/GifFile.h"

#include <cstdint>
#include <vector>

namespace tavrola {

// Builds the picture of each frame on a canvas of the file's canvas size: frames placed at their
// Left/Top, transparent pixels leaving what is below, and the previous frame's area disposed of
// (0/1 leave, 2 clear to transparent, 3 restore what was there before it) before the next one.
class GifComposer {
public:
    // Decoded frames: one colour index per pixel, width × height each; an empty one draws nothing.
    using FramePixels = std::vector<std::vector<std::uint8_t>>;

    void reset(int canvasWidth, int canvasHeight);
    // Brings the canvas to frame n (0-based). Going forward by one only disposes and draws; any
    // other jump rebuilds from the first frame, so a stop, step or restart shows the right picture.
    void compose(const GifFile& gif, const FramePixels& frames, int n);
    // Forget the picture (after a palette change) so the next compose() rebuilds it.
    void invalidate() { m_shown = -1; }

    int width() const { return m_width; }
    int height() const { return m_height; }
    int shownFrame() const { return m_shown; }
    // 0xAARRGGBB, every pixel either fully opaque or 0 (fully transparent).
    const std::vector<std::uint32_t>& pixels() const { return m_canvas; }

    // Mirrors a picture in place: bit 0 left to right, bit 1 top to bottom.
    static void mirror(std::vector<std::uint32_t>& pixels, int width, int height, int mode);

private:
    void dispose(const GifFrame& f, std::size_t index);
    void draw(const GifFile& gif, const FramePixels& frames, std::size_t index);

    int m_width = 0;
    int m_height = 0;
    int m_shown = -1;
    std::vector<std::uint32_t> m_canvas;
    std::vector<std::uint32_t> m_saved; // area under the last frame with disposal 3
    std::size_t m_savedFor = 0;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/gif/GifComposer.h"

#include <algorithm>

namespace tavrola {

namespace {

struct Clip {
    int x0, y0, x1, y1;
};

Clip clipFrame(const GifFrame& f, int w, int h) {
    return {std::clamp(f.left, 0, w), std::clamp(f.top, 0, h), std::clamp(f.left + f.width, 0, w),
            std::clamp(f.top + f.height, 0, h)};
}

} // namespace

void GifComposer::reset(int canvasWidth, int canvasHeight) {
    m_width = std::max(canvasWidth, 0);
    m_height = std::max(canvasHeight, 0);
    m_canvas.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), 0);
    m_saved.clear();
    m_shown = -1;
}

void GifComposer::compose(const GifFile& gif, const FramePixels& frames, int n) {
    const auto& records = gif.frames();
    if (n < 0 || static_cast<std::size_t>(n) >= records.size())
        return;
    if (n == m_shown)
        return;
    if (m_shown >= 0 && n == m_shown + 1) {
        dispose(records[static_cast<std::size_t>(m_shown)], static_cast<std::size_t>(m_shown));
        draw(gif, frames, static_cast<std::size_t>(n));
    } else {
        std::fill(m_canvas.begin(), m_canvas.end(), 0u);
        for (std::size_t i = 0; i <= static_cast<std::size_t>(n); ++i) {
            if (i > 0)
                dispose(records[i - 1], i - 1);
            draw(gif, frames, i);
        }
    }
    m_shown = n;
}

void GifComposer::dispose(const GifFrame& f, std::size_t index) {
    if (f.disposal != 2 && f.disposal != 3)
        return;
    const Clip c = clipFrame(f, m_width, m_height);
    const bool restore = f.disposal == 3 && m_savedFor == index &&
                         m_saved.size() == static_cast<std::size_t>(c.x1 - c.x0) * (c.y1 - c.y0);
    std::size_t k = 0;
    for (int y = c.y0; y < c.y1; ++y) {
        std::uint32_t* row = m_canvas.data() + static_cast<std::size_t>(y) * m_width;
        for (int x = c.x0; x < c.x1; ++x)
            row[x] = restore ? m_saved[k++] : 0u;
    }
}

void GifComposer::draw(const GifFile& gif, const FramePixels& frames, std::size_t index) {
    const GifFrame& f = gif.frames()[index];
    const Clip c = clipFrame(f, m_width, m_height);
    if (f.disposal == 3) {
        m_saved.clear();
        for (int y = c.y0; y < c.y1; ++y) {
            const std::uint32_t* row = m_canvas.data() + static_cast<std::size_t>(y) * m_width;
            m_saved.insert(m_saved.end(), row + c.x0, row + c.x1);
        }
        m_savedFor = index;
    }
    if (index >= frames.size())
        return;
    const auto& px = frames[index];
    if (px.size() != static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.height))
        return;
    const GifPalette& pal = gif.palette(static_cast<int>(index));
    std::uint32_t colours[256];
    for (std::size_t i = 0; i < 256; ++i)
        colours[i] = 0xFF000000u | (std::uint32_t{pal[i].r} << 16) | (std::uint32_t{pal[i].g} << 8) | pal[i].b;
    if (f.transparent)
        colours[f.transparentIndex] = 0; // marks "leave the canvas alone" below
    for (int y = c.y0; y < c.y1; ++y) {
        std::uint32_t* row = m_canvas.data() + static_cast<std::size_t>(y) * m_width;
        const std::uint8_t* src = px.data() + static_cast<std::size_t>(y - f.top) * f.width;
        for (int x = c.x0; x < c.x1; ++x) {
            const std::uint32_t v = colours[src[x - f.left]];
            if (v != 0)
                row[x] = v;
        }
    }
}

void GifComposer::mirror(std::vector<std::uint32_t>& pixels, int width, int height, int mode) {
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<std::size_t>(width) * height)
        return;
    if (mode & 1) {
        for (int y = 0; y < height; ++y) {
            auto row = pixels.begin() + static_cast<std::ptrdiff_t>(y) * width;
            std::reverse(row, row + width);
        }
    }
    if (mode & 2) {
        for (int y = 0; y < height / 2; ++y)
            std::swap_ranges(pixels.begin() + static_cast<std::ptrdiff_t>(y) * width,
                             pixels.begin() + static_cast<std::ptrdiff_t>(y + 1) * width,
                             pixels.begin() + static_cast<std::ptrdiff_t>(height - 1 - y) * width);
    }
}

} // namespace tavrola

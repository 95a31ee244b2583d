// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/gif/GifFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrola {

// One frame to write: colour indices (width × height) and how it is shown.
struct GifEncoderFrame {
    int left = 0, top = 0, width = 0, height = 0;
    int delay = 0; // milliseconds, written in hundredths
    std::uint8_t disposal = 0;
    bool transparent = false;
    std::uint8_t transparentIndex = 0;
    bool interlaced = false;
    std::vector<GifColour> palette; // empty: the file's global table
    std::vector<std::uint8_t> pixels;
};

// Writes GIF89a files: the artwork tool draws with it, the player re-encodes its frames with it.
class GifEncoder {
public:
    GifEncoder(int screenWidth, int screenHeight) : m_width(screenWidth), m_height(screenHeight) {}

    void setGlobalPalette(std::vector<GifColour> colours) { m_global = std::move(colours); }
    // Writes a "NETSCAPE2.0" block; 0 = forever.
    void setLoopCount(std::optional<int> loops) { m_loops = loops; }
    void addFrame(GifEncoderFrame frame) { m_frames.push_back(std::move(frame)); }

    std::string encode() const;

    // LZW data of one image (without the minimum-code-size byte and not cut into sub-blocks).
    // Every pixel must be below 2^minCodeSize.
    static std::string lzw(const std::vector<std::uint8_t>& pixels, int minCodeSize);

private:
    int m_width;
    int m_height;
    std::vector<GifColour> m_global;
    std::optional<int> m_loops;
    std::vector<GifEncoderFrame> m_frames;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrola {

struct GifColour {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const GifColour&, const GifColour&) = default;
};

// A colour table: always 256 entries; entries past the table the file declared stay black.
using GifPalette = std::array<GifColour, 256>;

struct GifFrame {
    int left = 0, top = 0, width = 0, height = 0;
    int delay = 0;              // milliseconds (the file's hundredths × 10)
    int colourTable = 0;        // 0: the global table, n >= 1: the frame's own local table
    std::size_t start = 0;      // offset of the frame's first block (its control extension or descriptor)
    std::size_t descriptor = 0; // offset of the frame's image descriptor
    std::size_t length = 0;     // bytes from start to just past the image data
    std::uint8_t transparentIndex = 0;
    bool transparent = false;
    std::uint8_t disposal = 0; // 0 none, 1 leave, 2 restore background, 3 restore previous
};

// The index of one GIF file: frame records, colour tables, canvas size and loop count, found in
// one pass over the bytes before anything is decoded. Pixels are decoded elsewhere, one frame at
// a time, from the stand-alone stream singleImageStream() assembles.
class GifFile {
public:
    // Pictures larger than this are refused: a few bytes can declare a 60000×60000 canvas.
    static constexpr std::int64_t kMaxCanvasPixels = 16 * 1024 * 1024;
    // Sum of every frame's own area, which the decoded frames occupy one byte per pixel.
    static constexpr std::int64_t kMaxFramePixels = 64 * 1024 * 1024;
    static constexpr std::size_t kMaxFileBytes = 64 * 1024 * 1024;
    // Each frame is decoded on its own at load time; a file of countless one-pixel frames would
    // hold the user-interface thread for minutes.
    static constexpr int kMaxFrames = 10000;

    // Indexes the bytes; false (and an empty index) for anything that is not a usable GIF.
    bool load(std::string bytes);
    void clear();

    bool empty() const { return m_frames.empty(); }
    const std::string& bytes() const { return m_bytes; }
    const std::vector<GifFrame>& frames() const { return m_frames; }
    int frameCount() const { return static_cast<int>(m_frames.size()); }
    int canvasWidth() const { return m_canvasWidth; }
    int canvasHeight() const { return m_canvasHeight; }
    // The loop count of a "NETSCAPE2.0" block, when the file has one.
    std::optional<int> loopCount() const { return m_loopCount; }
    bool hasGlobalTable() const { return m_hasGlobalTable; }

    // Colour tables: 0 is the global table, then the local tables in order of appearance.
    int tableCount() const { return static_cast<int>(m_tables.size()); }
    const GifPalette& table(int n) const { return m_tables.at(static_cast<std::size_t>(n)); }
    const GifPalette& palette(int frameIndex) const;
    void setPalette(int frameIndex, const GifPalette& colours);
    void cacheColourTables() { m_cachedTables = m_tables; }
    void restoreColourTables();

    // A complete single-image GIF of frame frameIndex (0-based) carrying `table` as its only colour
    // table, the frame placed at (0, 0) on a screen of its own size; the frame's control extension
    // is left out so that the decoder returns plain colour indices.
    std::string singleImageStream(int frameIndex, const GifPalette& table) const;

    // Logical screen size from bytes 7-10 of a header; nullopt when the header is not a GIF.
    static std::optional<std::pair<int, int>> screenSize(std::string_view bytes);
    static bool hasGifSignature(std::string_view bytes);

private:
    int indexPass();

    std::string m_bytes;
    std::vector<GifFrame> m_frames;
    std::vector<GifPalette> m_tables;
    std::vector<GifPalette> m_cachedTables;
    bool m_hasGlobalTable = false;
    int m_canvasWidth = 0;
    int m_canvasHeight = 0;
    std::optional<int> m_loopCount;
};

} // namespace tavrola

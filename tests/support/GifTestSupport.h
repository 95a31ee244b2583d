// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/gif/GifEncoder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavrola::testing {

// A plain LZW decoder, independent of the encoder, to check what the encoder writes.
inline std::vector<std::uint8_t> lzwDecode(const std::string& data, int minCodeSize) {
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    std::vector<std::vector<std::uint8_t>> table;
    auto resetTable = [&] {
        table.clear();
        for (int i = 0; i < clearCode + 2; ++i)
            table.push_back({static_cast<std::uint8_t>(i)});
    };
    resetTable();
    int width = minCodeSize + 1;
    std::size_t bitPos = 0;
    auto read = [&]() -> int {
        int code = 0;
        for (int b = 0; b < width; ++b, ++bitPos) {
            if (bitPos / 8 >= data.size())
                return -1;
            if ((static_cast<std::uint8_t>(data[bitPos / 8]) >> (bitPos % 8)) & 1)
                code |= 1 << b;
        }
        return code;
    };
    std::vector<std::uint8_t> out;
    int prev = -1;
    for (;;) {
        const int code = read();
        if (code < 0 || code == endCode)
            break;
        if (code == clearCode) {
            resetTable();
            width = minCodeSize + 1;
            prev = -1;
            continue;
        }
        std::vector<std::uint8_t> entry;
        if (code < static_cast<int>(table.size()))
            entry = table[static_cast<std::size_t>(code)];
        else if (code == static_cast<int>(table.size()) && prev >= 0) {
            entry = table[static_cast<std::size_t>(prev)];
            entry.push_back(entry[0]);
        } else {
            return {}; // corrupt stream
        }
        out.insert(out.end(), entry.begin(), entry.end());
        if (prev >= 0 && table.size() < 4096) {
            auto grown = table[static_cast<std::size_t>(prev)];
            grown.push_back(entry[0]);
            table.push_back(std::move(grown));
        }
        if (static_cast<int>(table.size()) == (1 << width) && width < 12)
            ++width;
        prev = code;
    }
    return out;
}

// Joins the sub-blocks that start at `at` (just past the minimum-code-size byte).
inline std::string joinSubBlocks(const std::string& gif, std::size_t at) {
    std::string data;
    while (at < gif.size() && gif[at] != 0) {
        const auto n = static_cast<std::uint8_t>(gif[at]);
        data.append(gif, at + 1, n);
        at += n + 1u;
    }
    return data;
}

inline GifEncoderFrame solidFrame(int left, int top, int w, int h, std::uint8_t index, int delay = 100) {
    GifEncoderFrame f;
    f.left = left;
    f.top = top;
    f.width = w;
    f.height = h;
    f.delay = delay;
    f.pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), index);
    return f;
}

// Four colours: black, red, green, blue.
inline std::vector<GifColour> basicPalette() {
    return {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
}

// Three full 4×2 frames in red, green and blue, 100 ms each.
inline std::string threeFrameGif(std::optional<int> loops = std::nullopt, int delay = 100) {
    GifEncoder enc(4, 2);
    enc.setGlobalPalette(basicPalette());
    enc.setLoopCount(loops);
    for (std::uint8_t c = 1; c <= 3; ++c)
        enc.addFrame(solidFrame(0, 0, 4, 2, c, delay));
    return enc.encode();
}

} // namespace tavrola::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/gif/GifEncoder.h"

#include <algorithm>
#include <array>

namespace tavrola {

namespace {

void put16(std::string& out, int v) {
    v = std::clamp(v, 0, 0xFFFF);
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

// Smallest table size (as bits, 1 to 8) that holds `entries` colours.
int tableBits(std::size_t entries) {
    int bits = 1;
    while (bits < 8 && (std::size_t{1} << bits) < entries)
        ++bits;
    return bits;
}

void putTable(std::string& out, const std::vector<GifColour>& colours, int bits) {
    for (std::size_t i = 0; i < (std::size_t{1} << bits); ++i) {
        const GifColour c = i < colours.size() ? colours[i] : GifColour{};
        out.push_back(static_cast<char>(c.r));
        out.push_back(static_cast<char>(c.g));
        out.push_back(static_cast<char>(c.b));
    }
}

// Packs variable-width codes, least significant bit first.
class BitWriter {
public:
    explicit BitWriter(std::string& out) : m_out(out) {}
    void put(int code, int width) {
        m_acc |= static_cast<std::uint32_t>(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_out.push_back(static_cast<char>(m_acc & 0xFF));
            m_acc >>= 8;
            m_bits -= 8;
        }
    }
    void flush() {
        if (m_bits > 0)
            m_out.push_back(static_cast<char>(m_acc & 0xFF));
        m_acc = 0;
        m_bits = 0;
    }

private:
    std::string& m_out;
    std::uint32_t m_acc = 0;
    int m_bits = 0;
};

// Rows in the four-pass order: every 8th from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
std::vector<std::uint8_t> interlacedRows(const GifEncoderFrame& f) {
    if (f.pixels.size() != static_cast<std::size_t>(f.width) * static_cast<std::size_t>(f.height))
        return f.pixels;
    std::vector<std::uint8_t> out;
    out.reserve(f.pixels.size());
    const int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& [first, step] : passes)
        for (int y = first; y < f.height; y += step)
            out.insert(out.end(), f.pixels.begin() + static_cast<std::ptrdiff_t>(y) * f.width,
                       f.pixels.begin() + static_cast<std::ptrdiff_t>(y + 1) * f.width);
    return out;
}

} // namespace

std::string GifEncoder::lzw(const std::vector<std::uint8_t>& pixels, int minCodeSize) {
    constexpr int kHashSize = 5003; // prime, about 120% of the 4096 codes
    constexpr int kHashShift = 4;
    constexpr int kMaxCode = 4096;
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;

    std::string out;
    BitWriter bits(out);
    std::array<std::int32_t, kHashSize> keys;
    std::array<std::int16_t, kHashSize> codes{};
    keys.fill(-1);
    int width = minCodeSize + 1;
    int next = clearCode + 2;
    // The decoder learns each code one step after us, so the width grows once `next` passes it.
    auto emit = [&](int code) {
        if (next > (1 << width) && width < 12)
            ++width;
        bits.put(code, width);
    };

    emit(clearCode);
    if (pixels.empty()) {
        emit(endCode);
        bits.flush();
        return out;
    }
    int prefix = pixels[0];
    for (std::size_t n = 1; n < pixels.size(); ++n) {
        const int pixel = pixels[n];
        const std::int32_t key = (pixel << 12) + prefix; // pixel × 4096 + prefix
        int i = (pixel << kHashShift) ^ prefix;
        bool found = false;
        if (keys[static_cast<std::size_t>(i)] != -1) {
            const int step = i == 0 ? 1 : kHashSize - i;
            while (keys[static_cast<std::size_t>(i)] != -1) {
                if (keys[static_cast<std::size_t>(i)] == key) {
                    found = true;
                    break;
                }
                i -= step;
                if (i < 0)
                    i += kHashSize;
            }
        }
        if (found) {
            prefix = codes[static_cast<std::size_t>(i)];
            continue;
        }
        emit(prefix);
        if (next < kMaxCode) {
            codes[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(next++);
            keys[static_cast<std::size_t>(i)] = key;
        } else {
            emit(clearCode);
            keys.fill(-1);
            next = clearCode + 2;
            width = minCodeSize + 1;
        }
        prefix = pixel;
    }
    emit(prefix);
    emit(endCode);
    bits.flush();
    return out;
}

std::string GifEncoder::encode() const {
    std::string out = "GIF89a";
    put16(out, m_width);
    put16(out, m_height);
    const int globalBits = tableBits(m_global.size());
    out.push_back(static_cast<char>(m_global.empty() ? 0x70 : 0xF0 | (globalBits - 1)));
    out.push_back(0); // background index
    out.push_back(0); // aspect ratio
    if (!m_global.empty())
        putTable(out, m_global, globalBits);
    if (m_loops) {
        out += "\x21\xFF\x0BNETSCAPE2.0";
        out += "\x03\x01";
        put16(out, *m_loops);
        out.push_back(0);
    }
    for (const GifEncoderFrame& f : m_frames) {
        out += "\x21\xF9\x04";
        out.push_back(static_cast<char>(((f.disposal & 7) << 2) | (f.transparent ? 1 : 0)));
        put16(out, (f.delay + 5) / 10);
        out.push_back(static_cast<char>(f.transparentIndex));
        out.push_back(0);

        out.push_back(0x2C);
        put16(out, f.left);
        put16(out, f.top);
        put16(out, f.width);
        put16(out, f.height);
        const std::vector<GifColour>& table = f.palette.empty() ? m_global : f.palette;
        const std::uint8_t maxPixel = f.pixels.empty() ? 0 : *std::max_element(f.pixels.begin(), f.pixels.end());
        const int bits = std::max(tableBits(table.size()), tableBits(std::size_t{maxPixel} + 1));
        const int interlace = f.interlaced ? 0x40 : 0;
        if (!f.palette.empty()) {
            out.push_back(static_cast<char>(0x80 | interlace | (bits - 1)));
            putTable(out, f.palette, bits);
        } else {
            out.push_back(static_cast<char>(interlace));
        }
        const int minCodeSize = std::max(2, bits);
        out.push_back(static_cast<char>(minCodeSize));
        const std::string data = lzw(f.interlaced ? interlacedRows(f) : f.pixels, minCodeSize);
        for (std::size_t at = 0; at < data.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, data.size() - at);
            out.push_back(static_cast<char>(n));
            out.append(data, at, n);
        }
        out.push_back(0);
    }
    out.push_back(0x3B);
    return out;
}

} // namespace tavrola

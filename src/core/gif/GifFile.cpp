// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/gif/GifFile.h"

#include "core/gif/GifByteReader.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace tavrola {

namespace {

// A file that reads fine but cannot be shown: no colour table for a frame, or too many pixels.
class GifFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

GifPalette readTable(GifByteReader& in, int entries) {
    const std::string_view raw = in.bytes(static_cast<std::size_t>(entries) * 3);
    // A table cut short by the end of the file would otherwise leave the position on the table's
    // bytes and send the pass through colour values as if they were blocks.
    if (raw.empty())
        throw GifReadError();
    GifPalette table{};
    for (int i = 0; i < entries; ++i) {
        table[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(raw[static_cast<std::size_t>(i) * 3]),
                                              static_cast<std::uint8_t>(raw[static_cast<std::size_t>(i) * 3 + 1]),
                                              static_cast<std::uint8_t>(raw[static_cast<std::size_t>(i) * 3 + 2])};
    }
    return table;
}

void put16(std::string& out, int v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

} // namespace

bool GifFile::hasGifSignature(std::string_view bytes) {
    if (bytes.size() < 6)
        return false;
    const std::string sig = upper(bytes.substr(0, 6));
    return sig == "GIF89A" || sig == "GIF87A";
}

std::optional<std::pair<int, int>> GifFile::screenSize(std::string_view bytes) {
    if (bytes.size() < 10 || !hasGifSignature(bytes))
        return std::nullopt;
    auto b = [&](std::size_t i) { return static_cast<int>(static_cast<std::uint8_t>(bytes[i])); };
    return std::make_pair(b(6) | (b(7) << 8), b(8) | (b(9) << 8));
}

void GifFile::clear() {
    m_bytes.clear();
    m_bytes.shrink_to_fit();
    m_frames.clear();
    m_tables.clear();
    m_cachedTables.clear();
    m_hasGlobalTable = false;
    m_canvasWidth = 0;
    m_canvasHeight = 0;
    m_loopCount.reset();
}

bool GifFile::load(std::string bytes) {
    clear();
    if (bytes.empty() || bytes.size() > kMaxFileBytes)
        return false;
    m_bytes = std::move(bytes);
    try {
        if (indexPass() > 0)
            return true;
    } catch (const GifReadError&) {
    } catch (const GifFormatError&) {
    }
    clear();
    return false;
}

int GifFile::indexPass() {
    GifByteReader in(m_bytes);
    if (!hasGifSignature(in.bytes(6)))
        return 0;
    in.setPosition(10);
    const std::uint8_t screenPacked = in.byte();
    in.setPosition(13);
    if (screenPacked & 0x80) {
        m_tables.push_back(readTable(in, 2 << (screenPacked & 7)));
        m_hasGlobalTable = true;
    } else {
        m_tables.emplace_back(); // keeps local tables numbered from 1
    }

    std::int64_t framePixels = 0;
    std::int64_t right = 0, bottom = 0;
    std::optional<GifFrame> pending;
    for (;;) {
        const std::size_t at = in.position();
        const std::uint8_t b = in.byte();
        if (b == 0x00)
            continue;
        if (b == 0x21) {
            const std::uint8_t label = in.byte();
            if (label == 0xFF) {
                const std::uint8_t len = in.byte();
                if (upper(in.bytes(len)) == "NETSCAPE2.0") {
                    if (in.byte() == 3) {
                        in.byte();
                        m_loopCount = in.word();
                    } else {
                        in.setPosition(in.position() - 1);
                    }
                }
                in.skipSubBlocks();
            } else if (label == 0xF9) {
                GifFrame f;
                f.start = at;
                in.byte(); // block size, always 4 in practice
                const std::uint8_t packed = in.byte();
                f.disposal = static_cast<std::uint8_t>((packed >> 2) & 3);
                if (f.disposal == 3 && m_frames.empty())
                    f.disposal = 0; // nothing earlier to restore
                f.delay = in.word() * 10;
                f.transparent = (packed & 1) != 0;
                if (f.transparent)
                    f.transparentIndex = in.byte();
                else
                    in.setPosition(at + 7);
                in.skipSubBlocks();
                pending = f;
            } else {
                in.skipSubBlocks();
            }
        } else if (b == 0x2C) {
            GifFrame f = pending.value_or(GifFrame{});
            if (!pending)
                f.start = at;
            f.descriptor = at;
            f.left = in.word();
            f.top = in.word();
            f.width = in.word();
            f.height = in.word();
            const std::uint8_t packed = in.byte();
            if (packed & 0x80) {
                m_tables.push_back(readTable(in, 2 << (packed & 7)));
                f.colourTable = static_cast<int>(m_tables.size()) - 1;
            } else if (!m_hasGlobalTable) {
                throw GifFormatError("frame without a colour table");
            }
            in.byte(); // minimum code size
            in.skipSubBlocks();
            f.length = in.position() - f.start;
            if (f.length >= 3) {
                framePixels += static_cast<std::int64_t>(f.width) * f.height;
                right = std::max<std::int64_t>(right, f.left + f.width);
                bottom = std::max<std::int64_t>(bottom, f.top + f.height);
                if (framePixels > kMaxFramePixels || right * bottom > kMaxCanvasPixels ||
                    frameCount() >= kMaxFrames)
                    throw GifFormatError("picture too large");
                m_frames.push_back(f);
            }
            pending.reset();
        } else {
            break;
        }
    }
    m_canvasWidth = static_cast<int>(right);
    m_canvasHeight = static_cast<int>(bottom);
    if (right * bottom == 0)
        return 0; // nothing to show
    return frameCount();
}

const GifPalette& GifFile::palette(int frameIndex) const {
    return m_tables.at(static_cast<std::size_t>(m_frames.at(static_cast<std::size_t>(frameIndex)).colourTable));
}

void GifFile::setPalette(int frameIndex, const GifPalette& colours) {
    m_tables.at(static_cast<std::size_t>(m_frames.at(static_cast<std::size_t>(frameIndex)).colourTable)) = colours;
}

void GifFile::restoreColourTables() {
    if (m_cachedTables.size() == m_tables.size())
        m_tables = m_cachedTables;
}

std::string GifFile::singleImageStream(int frameIndex, const GifPalette& table) const {
    const GifFrame& f = m_frames.at(static_cast<std::size_t>(frameIndex));
    const auto descPacked = static_cast<std::uint8_t>(m_bytes[f.descriptor + 9]);
    std::size_t dataStart = f.descriptor + 10;
    if (descPacked & 0x80)
        dataStart += static_cast<std::size_t>(2 << (descPacked & 7)) * 3;
    const std::size_t dataEnd = f.start + f.length;

    std::string out;
    out.reserve(13 + 768 + 10 + (dataEnd - dataStart) + 1);
    out += "GIF89a"; // some decoders refuse the capital spelling the index pass accepts
    put16(out, f.width);
    put16(out, f.height);
    out.push_back(static_cast<char>(0xF7)); // global table of 256 entries
    out.push_back(0);
    out.push_back(0);
    for (const GifColour& c : table) {
        out.push_back(static_cast<char>(c.r));
        out.push_back(static_cast<char>(c.g));
        out.push_back(static_cast<char>(c.b));
    }
    out.push_back(0x2C);
    put16(out, 0);
    put16(out, 0);
    put16(out, f.width);
    put16(out, f.height);
    out.push_back(static_cast<char>(descPacked & 0x40)); // keep interlacing, drop the local table
    out.append(m_bytes, dataStart, dataEnd - dataStart);
    out.push_back(0x3B);
    return out;
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavrola {

// Raised when the reader runs past the end of the GIF bytes; every load catches it and fails.
class GifReadError : public std::runtime_error {
public:
    GifReadError() : std::runtime_error("End of File") {}
    static constexpr int kNumber = 53;
    static constexpr const char* kSource = "ReadGifFile";
};

// Read position over the bytes of one GIF file. Positions are 0-based offsets.
class GifByteReader {
public:
    explicit GifByteReader(std::string_view data) : m_data(data) {}

    std::size_t position() const { return m_pos; }
    void setPosition(std::size_t pos) { m_pos = pos; }
    std::size_t size() const { return m_data.size(); }

    std::uint8_t byte() {
        if (m_pos >= m_data.size())
            throw GifReadError();
        return static_cast<std::uint8_t>(m_data[m_pos++]);
    }
    std::uint16_t word() {
        if (m_pos >= m_data.size() || m_data.size() - m_pos < 2)
            throw GifReadError();
        const auto lo = static_cast<std::uint8_t>(m_data[m_pos]);
        const auto hi = static_cast<std::uint8_t>(m_data[m_pos + 1]);
        m_pos += 2;
        return static_cast<std::uint16_t>(lo | (hi << 8));
    }
    // Reading n bytes that would pass the end reads nothing and leaves the position alone.
    std::string_view bytes(std::size_t n) {
        if (m_pos > m_data.size() || m_data.size() - m_pos < n)
            return {};
        const std::string_view out = m_data.substr(m_pos, n);
        m_pos += n;
        return out;
    }
    // Steps over a chain of data sub-blocks and its zero terminator.
    void skipSubBlocks() {
        for (std::uint8_t len = byte(); len != 0; len = byte())
            m_pos += len;
    }

private:
    std::string_view m_data;
    std::size_t m_pos = 0;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/files/IniFile.h"

#include <cstring>
#include <string_view>

// The line rules the INI reader, its cache and the writer share.
namespace tavrola::ini {

// Walks the lines of a text, accepting CR LF, lone LF and lone CR as line ends.
class LineReader {
public:
    explicit LineReader(std::string_view text) : m_text(text) {}
    bool next(std::string_view& line) {
        const std::size_t size = m_text.size();
        if (m_pos >= size)
            return false;
        const char* base = m_text.data();
        // Find the LF first (the usual CR LF case), then any CR before it (a lone CR ends a line too).
        const void* lf = std::memchr(base + m_pos, '\n', size - m_pos);
        std::size_t end = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - base) : size;
        if (const void* cr = std::memchr(base + m_pos, '\r', end - m_pos))
            end = static_cast<std::size_t>(static_cast<const char*>(cr) - base);
        line = m_text.substr(m_pos, end - m_pos);
        m_pos = end + 1;
        if (end < size && base[end] == '\r' && m_pos < size && base[m_pos] == '\n')
            ++m_pos;
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

enum class LineKind { Blank, Header, BadHeader, Other };

// Classifies a line; for a header, `name` is the trimmed line less its first and last character.
inline LineKind classify(std::string_view line, std::string_view& name) {
    const std::string_view t = trimSpaces(line);
    if (t.empty())
        return LineKind::Blank;
    if (t.front() == '[') {
        // A lone "[" has no name to cut out: the file cannot be read as INI.
        if (t.size() < 2)
            return LineKind::BadHeader;
        name = t.substr(1, t.size() - 2);
        return LineKind::Header;
    }
    return LineKind::Other;
}

// For a key line, the trimmed key and value; false for a line without "=".
inline bool splitKeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = trimSpaces(line.substr(0, eq));
    value = trimSpaces(line.substr(eq + 1));
    return true;
}

std::string toUpper(std::string_view s);

} // namespace tavrola::ini

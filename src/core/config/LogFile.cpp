#include "core/config/LogFile.h"

#include <fstream>
#include <string>
#include <system_error>

namespace tavrola {

namespace fs = std::filesystem;

bool LogFile::append(std::string_view line) const {
    std::error_code ec;
    fs::create_directories(m_file.parent_path(), ec);
    constexpr std::string_view kCrLf = "\r\n";
    const std::uintmax_t size = fs::file_size(m_file, ec);
    if (!ec && size > 0 && size + line.size() + kCrLf.size() > m_maxBytes) {
        fs::path older = m_file;
        older += ".1";
        fs::rename(m_file, older, ec); // replaces the older file; on failure the log just grows
    }
    // One entry, one line: a line break inside it (an error text from elsewhere) becomes a space.
    std::string text(line);
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    std::ofstream out(m_file, std::ios::binary | std::ios::app);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.write(kCrLf.data(), static_cast<std::streamsize>(kCrLf.size()));
    out.flush();
    return static_cast<bool>(out);
}

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/LogFile.h"

#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

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
    text.append(kCrLf);
#ifdef _WIN32
    std::ofstream out(m_file, std::ios::binary | std::ios::app);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    return static_cast<bool>(out);
#else
    // Never appended through a link: one planted at the log's name would have us write into any
    // file its owner could. Such a link is removed and the log begins afresh.
    constexpr int kFlags = O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(m_file.c_str(), kFlags, 0644);
    if (fd < 0 && errno == ELOOP && fs::remove(m_file, ec))
        fd = ::open(m_file.c_str(), kFlags, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    return ::close(fd) == 0 && ok;
#endif
}

} // namespace tavrola

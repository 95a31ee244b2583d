// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace tavrola {

// A log for whoever looks after an unattended screen: one line per entry, appended. When a line
// would take the file past its limit the file becomes "<name>.1", replacing the older one, and a
// new file begins, so the log never holds more than two files' worth.
class LogFile {
public:
    static constexpr std::uintmax_t kDefaultMaxBytes = 256 * 1024;

    explicit LogFile(std::filesystem::path file, std::uintmax_t maxBytes = kDefaultMaxBytes)
        : m_file(std::move(file)), m_maxBytes(maxBytes) {}

    // Creates the folder when missing. False when the line could not be written; a log is never
    // worth stopping for, so callers may ignore it.
    bool append(std::string_view line) const;

    const std::filesystem::path& file() const { return m_file; }

private:
    std::filesystem::path m_file;
    std::uintmax_t m_maxBytes;
};

} // namespace tavrola

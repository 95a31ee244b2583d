// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace tavrola::fakes {

// A fresh folder under the system's temp folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            m_path = base / ("tavrola-test-" + std::to_string(rd()) + std::to_string(rd()));
            if (std::filesystem::create_directory(m_path))
                break;
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ec);
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

inline std::string readBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeBytes(const std::filesystem::path& p, const std::string& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(p.parent_path(), ec);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Dates a file a minute back, as one the clock finds: quiet, so that defaults may be written back.
inline void settle(const std::filesystem::path& p) {
    std::filesystem::last_write_time(p, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
}

#ifdef TAVROLA_TEST_DATA
// A file of tests/data.
inline std::string testData(const std::string& name) {
    return readBytes(std::filesystem::path(TAVROLA_TEST_DATA) / name);
}
#endif

} // namespace tavrola::fakes

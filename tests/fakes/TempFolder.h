#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace tavrola::fakes {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "tavrola") {
        std::random_device rd;
        for (;;) {
            m_path = std::filesystem::temp_directory_path() /
                     (prefix + "_" + std::to_string(rd()) + std::to_string(rd()));
            if (std::filesystem::create_directory(m_path))
                break;
        }
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace tavrola::fakes

// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the INI reader and writer. The input's first bytes pick the section, key and value to
// write and another key to watch; the rest is the file. A refused write leaves the file
// byte-identical; after a write the value reads back and the other key reads as before.
#include "core/files/IniFile.h"
#include "fuzz/FuzzCheck.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace tavrola;
using fuzz::require;
namespace fs = std::filesystem;

namespace {

std::string trim(const std::string& s) {
    const auto a = s.find_first_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

std::string upper(std::string s) {
    for (char& c : s)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return s;
}

std::string pick(const std::uint8_t*& data, std::size_t& size, std::size_t maxLen, bool allowSpace) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_-";
    std::string out;
    const std::size_t len = size ? 1 + data[0] % maxLen : 1;
    if (size) {
        ++data;
        --size;
    }
    for (std::size_t i = 0; i < len && size; ++i, ++data, --size)
        out.push_back(allowSpace && data[0] % 7 == 0 ? ' ' : kAlphabet[data[0] % (sizeof kAlphabet - 1)]);
    out = trim(out);
    return out.empty() ? std::string("K") : out;
}

// One file per process, on tmpfs when there is one (the writer flushes to disk), removed at exit.
const fs::path& workFile() {
    static const fs::path path = (fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
                                 ("tavrola-fuzz-ini-" + std::to_string(::getpid()) + ".ini");
    static const bool cleanUp = std::atexit([] {
                                    std::error_code ec;
                                    fs::remove(path, ec);
                                }) == 0;
    (void)cleanUp;
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string section = pick(data, size, 6, false), key = pick(data, size, 6, false);
    const std::string value = pick(data, size, 12, true);
    const std::string otherSection = pick(data, size, 6, false), otherKey = pick(data, size, 6, false);
    const std::string text(reinterpret_cast<const char*>(data), size);
    const fs::path& path = workFile();
    { std::ofstream(path, std::ios::binary | std::ios::trunc) << text; }

    const std::string other = GetFromINI(otherSection, otherKey, "", path);
    if (!AddToINI(section, key, value, path)) {
        std::ifstream in(path, std::ios::binary);
        require(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) == text);
        return 0;
    }
    require(GetFromINI(section, key, "", path) == value);
    require((upper(otherSection) == upper(section) && upper(otherKey) == upper(key)) ||
            GetFromINI(otherSection, otherKey, "", path) == other);
    return 0;
}

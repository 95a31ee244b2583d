// Fuzzes the INI reader and writer. The input is the file's bytes; its first bytes pick the
// section, key and value to write. A file that cannot be read as INI stays byte-identical; any
// other is written, the value reads back and every other key reads as before.
#include "core/config/IniFile.h"
#include "fuzz/FuzzCheck.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

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
    const std::string text(reinterpret_cast<const char*>(data), size);
    const fs::path& path = workFile();
    { std::ofstream(path, std::ios::binary | std::ios::trunc) << text; }

    // Up to 16 keys present before the write, with what a reader sees for them; a lone "[" makes
    // the file unreadable as INI.
    std::vector<std::pair<std::string, std::string>> probes;
    std::string current;
    bool badHeader = false;
    for (std::size_t pos = 0; pos < text.size() && !badHeader;) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        const std::string line = text.substr(pos, end - pos), t = trim(line);
        pos = end + 1;
        if (!t.empty() && t[0] == '[') {
            badHeader = t.size() < 2;
            current = t.substr(1, t.size() - 2);
        } else if (!current.empty() && line.find('=') != std::string::npos && probes.size() < 16)
            probes.emplace_back(current, trim(line.substr(0, line.find('='))));
    }
    std::vector<std::string> before;
    for (const auto& [s, k] : probes)
        before.push_back(GetFromINI(s, k, "", path));

    require(AddToINI(section, key, value, path) != badHeader);
    if (badHeader) {
        std::ifstream in(path, std::ios::binary);
        require(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) == text);
        return 0;
    }
    require(GetFromINI(section, key, "", path) == value);
    for (std::size_t i = 0; i < probes.size(); ++i) {
        const auto& [s, k] = probes[i];
        require((upper(s) == upper(section) && upper(k) == upper(key)) || GetFromINI(s, k, "", path) == before[i]);
    }
    return 0;
}

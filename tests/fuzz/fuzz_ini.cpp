// Fuzzes the INI reader and writer. The input is the file's bytes; its first bytes pick the
// section, key and value to write. After a write: the value reads back, every other key reads as
// before, and (for files without repeated sections) every other line is kept byte for byte.
#include "core/config/IniFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace tavrola;
namespace fs = std::filesystem;

namespace {

std::string trim(const std::string& s) {
    const auto a = s.find_first_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(' ') - a + 1);
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

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        lines.push_back(text.substr(pos, end - pos));
        pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::string upper(std::string s) {
    for (char& c : s)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return s;
}

// One file per process (tmpfs when there is one: the writer flushes to disk, which is free there),
// removed when the process ends normally.
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
    const std::string section = pick(data, size, 6, false);
    const std::string key = pick(data, size, 6, false);
    const std::string value = pick(data, size, 12, true);
    const std::string text(reinterpret_cast<const char*>(data), size);
    const fs::path& path = workFile();
    { std::ofstream(path, std::ios::binary | std::ios::trunc) << text; }

    // The keys present before the write, with what a reader sees for them.
    const std::vector<std::string> lines = splitLines(text);
    std::vector<std::pair<std::string, std::string>> probes;
    std::string current;
    bool repeated = false, badHeader = false;
    std::vector<std::string> seen;
    for (const std::string& line : lines) {
        const std::string t = trim(line);
        if (!t.empty() && t[0] == '[') {
            if ((badHeader = t.size() < 2))
                break;
            current = t.substr(1, t.size() - 2);
            for (const auto& s : seen)
                repeated |= upper(s) == upper(current);
            seen.push_back(current);
        } else if (!current.empty() && line.find('=') != std::string::npos && probes.size() < 16) {
            probes.emplace_back(current, trim(line.substr(0, line.find('='))));
        }
    }
    std::vector<std::string> before;
    for (const auto& [s, k] : probes)
        before.push_back(GetFromINI(s, k, "", path));

    const bool written = AddToINI(section, key, value, path);
    if (written == badHeader)
        __builtin_trap(); // a file that cannot be read as INI must not be rewritten; any other must be
    if (badHeader)
        return 0;
    if (GetFromINI(section, key, "", path) != value)
        __builtin_trap();
    for (std::size_t i = 0; i < probes.size(); ++i) {
        const auto& [s, k] = probes[i];
        if (upper(s) == upper(section) && upper(k) == upper(key))
            continue;
        if (GetFromINI(s, k, "", path) != before[i])
            __builtin_trap();
    }
    if (!repeated) {
        // Every line except the rewritten key lines survives, in order.
        std::ifstream in(path, std::ios::binary);
        const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::vector<std::string> out = splitLines(after);
        std::size_t j = 0;
        std::string sec;
        for (const std::string& line : lines) {
            const std::string t = trim(line);
            if (!t.empty() && t[0] == '[')
                sec = t.substr(1, t.size() - 2);
            else if (upper(sec) == upper(section) && !t.empty() && line.find('=') != std::string::npos &&
                     upper(trim(line.substr(0, line.find('=')))) == upper(key))
                continue;
            while (j < out.size() && out[j] != line)
                ++j;
            if (j == out.size())
                __builtin_trap();
            ++j;
        }
        if (out.size() > lines.size() + 3)
            __builtin_trap();
    }
    return 0;
}

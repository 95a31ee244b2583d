#include "core/config/IniFile.h"

#include "core/config/AtomicFile.h"

#include <optional>
#include <unordered_map>
#include <vector>

namespace tavrola {

namespace fs = std::filesystem;

namespace ini {

std::string_view trimSpaces(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

namespace {
char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
} // namespace

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i]))
            return false;
    return true;
}

std::string toUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = upper(c);
    return out;
}

} // namespace ini

namespace {

constexpr std::string_view kCrLf = "\r\n";

// Walks the lines of a text, accepting CR LF, lone LF and lone CR as line ends.
class LineReader {
public:
    explicit LineReader(std::string_view text) : m_text(text) {}
    bool next(std::string_view& line) {
        if (m_pos >= m_text.size())
            return false;
        // A plain scan: find_first_of calls memchr on the two-character set for every byte, which
        // made it most of the cost of a clock tick's nine reads.
        std::size_t end = m_pos;
        while (end < m_text.size() && m_text[end] != '\r' && m_text[end] != '\n')
            ++end;
        if (end == m_text.size()) {
            line = m_text.substr(m_pos);
            m_pos = m_text.size();
            return true;
        }
        line = m_text.substr(m_pos, end - m_pos);
        m_pos = end + 1;
        if (m_text[end] == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n')
            ++m_pos;
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

enum class LineKind { Blank, Header, BadHeader, Other };

// Classifies a line; for a header, `name` is the trimmed line less its first and last character.
LineKind classify(std::string_view line, std::string_view& name) {
    const std::string_view t = ini::trimSpaces(line);
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

// For a key line, the trimmed key and value; nullopt for a line without "=".
bool splitKeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = ini::trimSpaces(line.substr(0, eq));
    value = ini::trimSpaces(line.substr(eq + 1));
    return true;
}

enum class Lookup { Found, NotFound, Unreadable };

Lookup lookup(std::string_view section, std::string_view key, const fs::path& path, std::string& value) {
    std::string text;
    std::error_code ec;
    if (!readWholeFile(path, text, ec))
        return Lookup::Unreadable;
    LineReader lines(text);
    std::string_view line;
    bool inSection = false;
    while (lines.next(line)) {
        std::string_view name;
        switch (classify(line, name)) {
        case LineKind::Blank:
            break;
        case LineKind::BadHeader:
            return Lookup::Unreadable;
        case LineKind::Header:
            inSection = ini::equalsIgnoreCase(name, section);
            break;
        case LineKind::Other:
            if (inSection) {
                std::string_view k, v;
                if (splitKeyLine(line, k, v) && ini::equalsIgnoreCase(k, key)) {
                    value.assign(v);
                    return Lookup::Found;
                }
            }
            break;
        }
    }
    return Lookup::NotFound;
}

std::string keyLine(std::string_view key, std::string_view value) {
    std::string s;
    s.reserve(key.size() + value.size() + 1);
    s.append(key).append("=").append(value);
    return s;
}

void appendLine(std::string& out, std::string_view line) {
    out.append(line).append(kCrLf);
}

// The rewritten file text, or nullopt when the old text cannot be read as INI.
std::optional<std::string> rewrite(std::string_view oldText, std::string_view section, std::string_view key,
                                   std::string_view value) {
    struct Section {
        std::string_view header;
        bool target = false;
        std::vector<std::string_view> body;
    };
    std::vector<std::string_view> preamble;
    std::vector<Section> sections;
    std::unordered_map<std::string, std::size_t> byName;
    Section* current = nullptr;

    LineReader lines(oldText);
    std::string_view line;
    bool anyLine = false;
    while (lines.next(line)) {
        anyLine = true;
        std::string_view name;
        const LineKind kind = classify(line, name);
        if (kind == LineKind::BadHeader)
            return std::nullopt;
        if (kind == LineKind::Header) {
            const auto [it, inserted] = byName.try_emplace(ini::toUpper(name), sections.size());
            if (inserted)
                sections.push_back(Section{line, ini::equalsIgnoreCase(name, section), {}});
            // A repeated header is dropped; the lines under it stay with the first section of
            // that name, where a reader found them before.
            current = &sections[it->second];
            continue;
        }
        (current ? current->body : preamble).push_back(line);
    }

    const std::string newLine = keyLine(key, value);
    std::string out;
    out.reserve(oldText.size() + newLine.size() + section.size() + 16);
    if (!anyLine) {
        out.append("[").append(section).append("]").append(kCrLf);
        appendLine(out, newLine);
        return out;
    }
    for (std::string_view l : preamble)
        appendLine(out, l);
    bool targetMet = false;
    for (const Section& s : sections) {
        appendLine(out, s.header);
        bool written = false;
        for (std::string_view l : s.body) {
            std::string_view k, v;
            if (s.target && classify(l, k) == LineKind::Other && splitKeyLine(l, k, v) &&
                ini::equalsIgnoreCase(k, key)) {
                appendLine(out, newLine);
                written = true;
            } else {
                appendLine(out, l);
            }
        }
        if (s.target) {
            targetMet = true;
            if (!written)
                appendLine(out, newLine);
        }
    }
    if (!targetMet) {
        appendLine(out, "");
        out.append("[").append(section).append("]").append(kCrLf);
        appendLine(out, newLine);
    }
    return out;
}

} // namespace

std::string GetFromINI(std::string_view section, std::string_view key, std::string_view defaultValue,
                       const fs::path& path) {
    std::error_code ec;
    const bool exists = fs::exists(path, ec);
    if (!exists) {
        if (ec) // cannot even tell: treat as unreadable and write nothing
            return std::string(defaultValue);
        if (!defaultValue.empty())
            AddToINI(section, key, defaultValue, path);
        return std::string(defaultValue);
    }
    std::string value;
    switch (lookup(section, key, path, value)) {
    case Lookup::Unreadable:
        return std::string(defaultValue);
    case Lookup::Found:
        if (!value.empty() || defaultValue.empty())
            return value;
        break;
    case Lookup::NotFound:
        break;
    }
    if (!defaultValue.empty())
        AddToINI(section, key, defaultValue, path);
    return std::string(defaultValue);
}

bool AddToINI(std::string_view section, std::string_view key, std::string_view value, const fs::path& path) {
    std::error_code ec;
    const fs::path folder = path.parent_path();
    if (!folder.empty())
        fs::create_directory(folder, ec); // one level; a failure shows up when writing

    std::string text;
    if (fs::exists(path, ec)) {
        if (!readWholeFile(path, text, ec))
            return false;
    } else if (ec) {
        return false;
    }
    const std::optional<std::string> newText = rewrite(text, section, key, value);
    if (!newText)
        return false;
    return replaceFileAtomically(path, temporaryPathFor(path), *newText, ec);
}

std::string GetFromGIFINI(std::string_view section, std::string_view key, const fs::path& path) {
    std::string value;
    if (lookup(section, key, path, value) != Lookup::Found)
        return {};
    std::string_view v = value;
    const auto first = v.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    v = v.substr(first, v.find_last_not_of(" \t") - first + 1);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    constexpr std::size_t kMaxChars = 749;
    return std::string(v.substr(0, kMaxChars));
}

} // namespace tavrola

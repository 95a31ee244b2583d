// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/IniFile.h"

#include "core/files/AtomicFile.h"
#include "core/files/IniCache.h"
#include "core/files/IniLines.h"

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

using namespace ini;

constexpr std::string_view kCrLf = "\r\n";

enum class Lookup { Found, NotFound, Missing, Unreadable };

Lookup lookup(std::string_view section, std::string_view key, const fs::path& path, std::string& value) {
    std::error_code ec;
    const std::shared_ptr<const IniDocument> doc = IniCache::load(path, ec);
    if (!doc)
        return ec == std::errc::no_such_file_or_directory ? Lookup::Missing : Lookup::Unreadable;
    switch (doc->find(section, key, value)) {
    case IniDocument::Find::Found:
        return Lookup::Found;
    case IniDocument::Find::NotFound:
        return Lookup::NotFound;
    case IniDocument::Find::Unreadable:
        break;
    }
    return Lookup::Unreadable;
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

void appendHeader(std::string& out, std::string_view section) {
    out.append("[").append(section).append("]").append(kCrLf);
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
        appendHeader(out, section);
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
        appendHeader(out, section);
        appendLine(out, newLine);
    }
    return out;
}

} // namespace

std::string GetFromINI(std::string_view section, std::string_view key, std::string_view defaultValue,
                       const fs::path& path) {
    std::string value;
    switch (lookup(section, key, path, value)) {
    case Lookup::Missing:
        break;
    case Lookup::Unreadable:
        return std::string(defaultValue);
    case Lookup::Found:
        if (!value.empty() || defaultValue.empty())
            return value;
        break;
    case Lookup::NotFound:
        break;
    }
    if (!defaultValue.empty() && IniCache::mayWriteBack(path))
        AddToINI(section, key, defaultValue, path);
    return std::string(defaultValue);
}

bool AddToINI(std::string_view section, std::string_view key, std::string_view value, const fs::path& path) {
    return AddToINI({IniChange{std::string(section), std::string(key), std::string(value)}}, path);
}

bool AddToINI(const std::vector<IniChange>& changes, const fs::path& path) {
    if (changes.empty())
        return true;
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
    for (const IniChange& c : changes) {
        std::optional<std::string> next = rewrite(text, c.section, c.key, c.value);
        if (!next)
            return false;
        text = std::move(*next);
    }
    return replaceFileAtomically(path, temporaryPathFor(path), text, ec);
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

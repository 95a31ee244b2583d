// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/update/UpdateManifest.h"

#include <algorithm>
#include <cstddef>

namespace tavrola {

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::size_t skipBlanks(std::string_view s, std::size_t i) {
    while (i < s.size() && isBlank(s[i]))
        ++i;
    return i;
}

// Position of `needle` in `hay` from `from`, ignoring ASCII letter case; npos when absent.
std::size_t findIgnoreCase(std::string_view hay, std::string_view needle, std::size_t from) {
    if (from > hay.size())
        return std::string_view::npos;
    const auto it = std::search(hay.begin() + static_cast<std::ptrdiff_t>(from), hay.end(), needle.begin(),
                                needle.end(), [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
    return it == hay.end() ? std::string_view::npos : static_cast<std::size_t>(it - hay.begin());
}

// The part's leading decimal digits without leading zeros ("" stands for 0).
std::string_view partNumber(std::string_view part) {
    std::size_t i = skipBlanks(part, 0);
    if (i < part.size() && part[i] == '+')
        ++i;
    std::size_t end = i;
    while (end < part.size() && part[end] >= '0' && part[end] <= '9')
        ++end;
    while (i < end && part[i] == '0')
        ++i;
    return part.substr(i, end - i);
}

// Digit strings without leading zeros compare by length first, so no part can overflow.
int compareNumbers(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return a.size() > b.size() ? 1 : -1;
    const int c = a.compare(b);
    return c > 0 ? 1 : (c < 0 ? -1 : 0);
}

std::string_view nextPart(std::string_view& rest, bool& more) {
    const std::size_t dot = rest.find('.');
    std::string_view part = rest.substr(0, dot);
    if (dot == std::string_view::npos) {
        rest = {};
        more = false;
    } else {
        rest.remove_prefix(dot + 1);
    }
    return part;
}

} // namespace

std::string ExtractJsonString(std::string_view text, std::string_view name) {
    if (name.empty())
        return {};
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted += '"';
    quoted += name;
    quoted += '"';
    // Only "name" followed by a colon and a string counts: the same word inside another member's
    // value, or a member whose value is not a string, is passed over.
    for (std::size_t at = findIgnoreCase(text, quoted, 0); at != std::string_view::npos;
         at = findIgnoreCase(text, quoted, at + 1)) {
        std::size_t i = skipBlanks(text, at + quoted.size());
        if (i >= text.size() || text[i] != ':')
            continue;
        i = skipBlanks(text, i + 1);
        if (i >= text.size() || text[i] != '"')
            continue;
        const std::size_t close = text.find('"', i + 1);
        if (close == std::string_view::npos)
            return {};
        return std::string(text.substr(i + 1, close - i - 1));
    }
    return {};
}

std::string GetManifestValue(std::string_view text, std::string_view name) {
    std::string value = ExtractJsonString(text, "$" + std::string(name));
    if (value.empty())
        value = ExtractJsonString(text, name);
    return value;
}

int CompareVersions(std::string_view a, std::string_view b) {
    bool moreA = true;
    bool moreB = true;
    while (moreA || moreB) {
        const std::string_view pa = moreA ? partNumber(nextPart(a, moreA)) : std::string_view{};
        const std::string_view pb = moreB ? partNumber(nextPart(b, moreB)) : std::string_view{};
        if (const int c = compareNumbers(pa, pb); c != 0)
            return c;
    }
    return 0;
}

ManifestValues readManifest(std::string_view text) {
    ManifestValues v;
    v.latestVersion = GetManifestValue(text, "version");
    v.downloadUrl = GetManifestValue(text, "download");
    if (v.downloadUrl.empty())
        v.downloadUrl = GetManifestValue(text, "url");
    v.changeNotes = GetManifestValue(text, "changes");
    return v;
}

} // namespace tavrola

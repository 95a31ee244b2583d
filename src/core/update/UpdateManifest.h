// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tavrola {

// The string value of the first member called `name` (letter case ignored) in JSON-like text, taken
// unchanged from between its quotation marks; the empty string when there is none. No escapes are
// processed, so a value never holds a double quote.
std::string ExtractJsonString(std::string_view text, std::string_view name);

// The "$name" member when it has a value, otherwise the plain "name" member.
std::string GetManifestValue(std::string_view text, std::string_view name);

// 1 when a is the newer version, -1 when b is, 0 when equal. Parts are compared as whole numbers of
// any length (missing parts count as 0; a part's leading digits are its number).
int CompareVersions(std::string_view a, std::string_view b);

// What the manifest says.
struct ManifestValues {
    std::string latestVersion;
    std::string downloadUrl; // "download", or "url" when that is empty
    std::string changeNotes;
};

ManifestValues readManifest(std::string_view text);

} // namespace tavrola

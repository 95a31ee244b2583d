// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrola {

// File-type lists arrive as "description|patterns|description|patterns|", patterns separated by ";".
using FilterPairs = std::vector<std::pair<std::string, std::string>>;

// The Windows open-file form: every "|" becomes NUL and the text ends with a NUL of its own, so that
// with the string's terminator the list ends with two NULs whether or not the input ended with "|".
std::string toWindowsFilter(std::string_view filter);

// The (description, patterns) pairs of a list; a description without patterns is dropped.
FilterPairs filterPairs(std::string_view filter);

// Qt's name-filter form: "description (p1 p2);;description (p3)". Qt reads the patterns from the
// last parenthesised group, separated by spaces; "*.*" becomes "*" so files without an extension
// also show on systems where "*.*" means "has a dot".
std::string toQtNameFilter(const FilterPairs& pairs);

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrola {

// The small text scanner for the month document. It knows just enough of the document's shape
// (a quoted date followed by that day's object of string members) and is no general JSON parser.

// The 1-based position of the brace that closes the one at `open` (1-based), or 0 when the text
// ends first. Braces inside quoted strings count like any other.
std::size_t FindMatchingBrace(std::string_view text, std::size_t open);

// The text between the two quotation marks that follow the first quoted `name` and its colon;
// the empty string when any of them is missing. Escapes are not interpreted.
std::string GetJsonValue(std::string_view object, std::string_view name);

// Pads the hour of an "H:MM" time to two digits; "--:--" for nothing; values with no colon or
// more than one are returned trimmed. Empty (no value) when the hour part is not a whole number or
// the value holds a control character (a line break would break the file's lines), which makes the
// whole download fail rather than store a time the clock cannot read.
std::optional<std::string> NormalizeTime(std::string_view value);

} // namespace tavrola

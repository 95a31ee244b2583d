// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/panel/PanelHandler.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string_view>

namespace tavrola::panel {

using Json = nlohmann::ordered_json;

inline constexpr std::string_view kJsonType = "application/json; charset=utf-8";

// A JSON reply; bytes that are not UTF-8 (from a file in the local code page) are shown replaced.
Response jsonReply(int status, const Json& body);
// {"error": text}
Response errorReply(int status, std::string_view text);
// A request's JSON body: nothing for a body that is not JSON or is nested deeper than any of ours.
std::optional<Json> parseJsonBody(std::string_view body);

} // namespace tavrola::panel

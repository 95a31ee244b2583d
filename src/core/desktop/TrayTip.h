// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrola {

// The notification area keeps at most this many characters of an icon's tip.
inline constexpr std::size_t kTrayTipMax = 64;

// Title + " Versi : " + version, cut at kTrayTipMax characters.
std::string trayTipText(std::string_view title, std::string_view version);

} // namespace tavrola

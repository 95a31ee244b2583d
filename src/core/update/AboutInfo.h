// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tavrola::about {

// "Versi : 2.0.27  |  Terkini : 2026": two spaces each side of the bar.
std::string versionLine(std::string_view version, int year);

// The four contact lines joined by CR LF: author, web address, e-mail address, telephone.
std::string infoText(std::string_view author, std::string_view web, std::string_view email,
                     std::string_view phone);

// The four lines of this build.
std::string infoText();

// "mailto:" + the address.
std::string mailtoAddress(std::string_view email);

} // namespace tavrola::about

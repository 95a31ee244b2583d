// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/update/AboutInfo.h"

#include "core/AppInfo.h"

namespace tavrola::about {

std::string versionLine(std::string_view version, int year) {
    return "Versi : " + std::string(version) + "  |  Terkini : " + std::to_string(year);
}

std::string infoText(std::string_view author, std::string_view web, std::string_view email,
                     std::string_view phone) {
    std::string s;
    s.append(author).append("\r\n").append(web).append("\r\n").append(email).append("\r\n").append(phone);
    return s;
}

std::string infoText() {
    return infoText(app::kAuthor, app::kWeb, app::kEmail, app::kPhone);
}

std::string mailtoAddress(std::string_view email) {
    return "mailto:" + std::string(email);
}

} // namespace tavrola::about

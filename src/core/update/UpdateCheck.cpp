// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/update/UpdateCheck.h"

#include "core/settings/SettingsSchema.h"

namespace tavrola::update {

namespace {
bool startsWithIgnoreCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}
} // namespace

std::string upToDateMessage(std::string_view currentVersion) {
    return "Anda menggunakan versi terkini (" + std::string(currentVersion) + ").";
}

std::string checkErrorMessage(std::string_view description) {
    return "Ralat semasa menyemak kemaskini: " + std::string(description);
}

std::string browserErrorMessage(std::string_view description) {
    return "Ralat semasa membuka pelayar: " + std::string(description);
}

std::string versionCaption(std::string_view latestVersion, std::string_view currentVersion) {
    return "Versi baharu " + std::string(latestVersion) +
           " tersedia!\r\nVersi semasa anda: " + std::string(currentVersion);
}

std::string changesCaption(std::string_view changeNotes) {
    return "Perubahan terbaharu:\r\n" + std::string(changeNotes);
}

std::string manifestUrl(std::string_view host) {
    return "https://" + std::string(host) + "/aplikasi-2026/Tavrola_v2.0/latest.json";
}

HttpRequest manifestRequest(std::string_view host) {
    HttpRequest r;
    r.url = manifestUrl(host);
    r.connectTimeoutMs = 30000;
    r.transferTimeoutMs = 30000;
    r.maxBodyBytes = kManifestMaxBytes;
    return r;
}

std::optional<ManifestValues> manifestFromReply(const HttpResponse& reply) {
    if (!reply.ok())
        return std::nullopt;
    ManifestValues v = readManifest(reply.body);
    if (v.latestVersion.empty())
        return std::nullopt;
    return v;
}

Outcome decide(bool fetched, std::string_view latestVersion, std::string_view currentVersion) {
    if (!fetched)
        return Outcome::CannotCheck;
    return CompareVersions(latestVersion, currentVersion) < 1 ? Outcome::UpToDate : Outcome::Newer;
}

std::optional<std::string> downloadAddress(std::string_view downloadUrl, std::string_view latestVersion) {
    if (!startsWithIgnoreCase(downloadUrl, "http://") && !startsWithIgnoreCase(downloadUrl, "https://"))
        return std::nullopt;
    std::string address = std::string(downloadUrl) + "?v=" + std::string(latestVersion);
    // Control characters have no place in an address and could split it on its way to the shell.
    for (const char c : address)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return std::nullopt;
    return address;
}

std::string lastCheckText(const DateTime& t) {
    return pad(t.date.day, 2) + "/" + pad(t.date.month, 2) + "/" + pad(t.date.year, 4) + " " + timeOfDayText(t);
}

bool automaticCheckAllowed(bool alreadyChecked, std::string_view autoCheckValue) {
    return !alreadyChecked && !isOff(autoCheckValue);
}

} // namespace tavrola::update

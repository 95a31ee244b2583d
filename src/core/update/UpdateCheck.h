// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"
#include "core/platform/HttpClient.h"
#include "core/update/UpdateManifest.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavrola::update {

// Box title, window captions and message texts of the update check.
inline constexpr const char* kBoxTitle = "Kemaskini";
inline constexpr const char* kWindowCaption = "Kemaskini Tersedia - Tavrola";
inline constexpr const char* kDownloadCaption = "Muat Turun (Browser)";
inline constexpr const char* kLaterCaption = "Batalkan";
inline constexpr const char* kCannotCheck = "Tidak dapat menyemak kemaskini. Sila pastikan internet bersambung.";
inline constexpr const char* kNoDownloadUrl = "Tiada URL muat turun.";
inline constexpr const char* kBrowserWillOpen = "Pelayar akan dibuka untuk memuat turun installer.\r\n"
                                                "Sila jalankan installer yang dimuat turun secara manual.";

std::string upToDateMessage(std::string_view currentVersion);
std::string checkErrorMessage(std::string_view description);
std::string browserErrorMessage(std::string_view description);
std::string versionCaption(std::string_view latestVersion, std::string_view currentVersion);
std::string changesCaption(std::string_view changeNotes);

// "https://" + host + the manifest's fixed path.
std::string manifestUrl(std::string_view host);

// The manifest request: the usual time-outs, and a small body limit since the manifest is tiny.
HttpRequest manifestRequest(std::string_view host);
inline constexpr std::size_t kManifestMaxBytes = 64 * 1024;

// The values of a usable reply: status 200 and a manifest naming a version; otherwise nothing.
std::optional<ManifestValues> manifestFromReply(const HttpResponse& reply);

enum class Outcome {
    CannotCheck, // no usable manifest
    UpToDate,    // the manifest's version is not newer than ours
    Newer        // show the update window
};
Outcome decide(bool fetched, std::string_view latestVersion, std::string_view currentVersion);

// The page to open for a version: the address + "?v=" + version. Only http:// and https:// addresses
// are opened (a tampered manifest must not start a local program or file); anything else counts as
// no address at all.
std::optional<std::string> downloadAddress(std::string_view downloadUrl, std::string_view latestVersion);

// LASTCHECK's form, "dd/mm/yyyy hh:mm:ss" (24-hour).
std::string lastCheckText(const DateTime& t);

// Whether the automatic check may run: once per run, unless AUTOCHECK is "off" in any case.
bool automaticCheckAllowed(bool alreadyChecked, std::string_view autoCheckValue);

} // namespace tavrola::update

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/HttpClient.h"
#include "core/prayerdata/MonthSource.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tavrola {

// Fetches "https://" + host + "/data/yyyy-mm.json" from the prayer-times data server. The host
// is read from setting.ini ([SERVER] DATA_HOST) at every fetch, the build's default otherwise;
// with neither, the no-host source answers if one is set.
class HttpMonthSource : public MonthSource {
public:
    HttpMonthSource(HttpClient& http, std::filesystem::path settingsFile);
    ~HttpMonthSource() override;

    void fetch(int year, int month, Done done) override;
    void cancel() override;

    // The limits of each request: 30 s per phase and 1 MiB unless a test shortens them.
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    void setMaxBodyBytes(std::size_t bytes) { m_maxBodyBytes = bytes; }
    // Where the month comes from when no host is set (none: that is an error). Not owned.
    void setNoHostSource(MonthSource* source) { m_noHostSource = source; }
    // The no-host source's key while no host is set; a server's month is the server's business.
    std::string placeKey() override;

private:
    HttpClient& m_http;
    std::filesystem::path m_settingsFile;
    int m_timeoutMs = 30000;
    std::size_t m_maxBodyBytes = 1024 * 1024;
    std::optional<HttpClient::RequestId> m_request;
    MonthSource* m_noHostSource = nullptr;
};

// The configured host: the INI value when set, the build's default otherwise (may be empty).
std::string dataHost(const std::filesystem::path& settingsFile);

// A host name, IPv4 address or [IPv6] literal, with an optional ":port"; nothing that could
// change the address's path.
bool isValidDataHost(const std::string& host);

std::string monthDocumentUrl(const std::string& host, int year, int month);

} // namespace tavrola

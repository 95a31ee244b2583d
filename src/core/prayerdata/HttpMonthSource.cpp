// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/prayerdata/HttpMonthSource.h"

#include "core/AppInfo.h"
#include "core/calendar/DateTime.h"
#include "core/files/IniFile.h"
#include "core/settings/SettingsSchema.h"

#include <algorithm>

namespace tavrola {

HttpMonthSource::HttpMonthSource(HttpClient& http, std::filesystem::path settingsFile)
    : m_http(http), m_settingsFile(std::move(settingsFile)) {}

HttpMonthSource::~HttpMonthSource() {
    cancel();
}

void HttpMonthSource::cancel() {
    if (m_noHostSource)
        m_noHostSource->cancel();
    if (m_request) {
        m_http.cancel(*m_request);
        m_request.reset();
    }
}

void HttpMonthSource::fetch(int year, int month, Done done) {
    cancel();
    const std::string host = dataHost(m_settingsFile);
    if (host.empty() && m_noHostSource) {
        m_noHostSource->fetch(year, month, std::move(done));
        return;
    }
    if (host.empty()) {
        MonthFetch f;
        f.errorText = "No prayer-times data server is set (DATA_HOST in section [SERVER] of setting.ini)";
        done(std::move(f));
        return;
    }
    if (!isValidDataHost(host)) {
        MonthFetch f;
        f.errorText = "The prayer-times data server address \"" + host + "\" is not valid";
        done(std::move(f));
        return;
    }

    HttpRequest request;
    request.url = monthDocumentUrl(host, year, month);
    request.connectTimeoutMs = m_timeoutMs;
    request.transferTimeoutMs = m_timeoutMs;
    request.maxBodyBytes = m_maxBodyBytes;
    request.bypassCache = true;
    const std::size_t maxBody = m_maxBodyBytes;
    m_request = m_http.get(request, [this, maxBody, done = std::move(done)](const HttpResponse& r) {
        m_request.reset();
        MonthFetch f;
        if (r.error != HttpResponse::Error::None) {
            f.errorText = r.errorText.empty() ? std::string("The download failed") : r.errorText;
        } else if (r.body.size() > maxBody) {
            // A client that ignores the limit must not get a huge reply past us either.
            f.errorText = "The reply is larger than " + std::to_string(maxBody) + " bytes";
        } else if (r.status != 200) {
            f.kind = MonthFetch::Kind::HttpStatus;
            f.httpStatus = r.status;
        } else {
            f.kind = MonthFetch::Kind::Document;
            f.document = r.body;
        }
        done(std::move(f));
    });
}

std::string HttpMonthSource::placeKey() {
    if (!m_noHostSource || !dataHost(m_settingsFile).empty())
        return {};
    return m_noHostSource->placeKey();
}

std::string dataHost(const std::filesystem::path& settingsFile) {
    // An empty default: reading the address never writes it into the file.
    std::string host(
        ini::trimSpaces(GetFromINI(settings::kDataHost.section, settings::kDataHost.key, "", settingsFile)));
    if (host.empty())
        host = app::kDefaultDataHost;
    return host;
}

bool isValidDataHost(const std::string& host) {
    if (host.empty() || host.size() > 255)
        return false;
    std::string_view rest(host);
    if (rest.front() == '[') {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos || close == 1)
            return false;
        const std::string_view literal = rest.substr(1, close - 1);
        if (!std::all_of(literal.begin(), literal.end(), [](char c) {
                return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' ||
                       c == '.';
            }))
            return false;
        rest.remove_prefix(close + 1);
    } else {
        const std::size_t colon = rest.find(':');
        const std::string_view name = rest.substr(0, colon);
        if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) {
                return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
                       c == '.';
            }))
            return false;
        rest.remove_prefix(name.size());
    }
    if (rest.empty())
        return true;
    if (rest.front() != ':' || rest.size() < 2 || rest.size() > 6)
        return false;
    rest.remove_prefix(1);
    if (!std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const int port = std::stoi(std::string(rest));
    return port >= 1 && port <= 65535;
}

std::string monthDocumentUrl(const std::string& host, int year, int month) {
    return "https://" + host + "/data/" + pad(year, 4) + "-" + pad(month, 2) + ".json";
}

} // namespace tavrola

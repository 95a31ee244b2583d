// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/panel/PanelHandler.h"

#include "core/files/IniFile.h"
#include "core/files/LogFile.h"
#include "core/panel/PanelSettings.h"
#include "core/prayerdata/Zones.h"
#include "core/settingsmodel/SettingsModel.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace tavrola::panel {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kJsonType = "application/json; charset=utf-8";

Response json(int status, const Json& body) {
    Response r;
    r.status = status;
    r.contentType = std::string(kJsonType);
    // Bytes from setting.ini that are not UTF-8 are shown replaced rather than refused.
    r.body = body.dump(-1, ' ', false, Json::error_handler_t::replace);
    return r;
}

Response error(int status, std::string_view text) {
    return json(status, Json{{"error", text}});
}

std::string cookieFor(std::string_view token, Seconds maxAge) {
    return std::string(kSessionCookie) + "=" + std::string(token) + "; Max-Age=" + std::to_string(maxAge) +
           "; Path=/; HttpOnly; SameSite=Strict";
}

// A body is a small object; nesting beyond a few levels is no request of ours, and is turned away
// before the parser and the value's destruction have to walk it.
bool nestedTooDeep(std::string_view body, int maxDepth) {
    int depth = 0;
    bool inString = false, escaped = false;
    for (const char c : body) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > maxDepth)
                return true;
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return false;
}

std::optional<Json> parseBody(std::string_view body) {
    if (nestedTooDeep(body, 4))
        return std::nullopt;
    Json j = Json::parse(body.begin(), body.end(), nullptr, false);
    if (j.is_discarded())
        return std::nullopt;
    return j;
}

bool isApi(std::string_view path) {
    return path.starts_with("/api/");
}

// The official zones grouped by state, for the page's zone list.
std::string zonesJson() {
    Json out = Json::array();
    for (const Zone& z : allZones()) {
        if (out.empty() || out.back()["state"] != z.state)
            out.push_back(Json{{"state", z.state}, {"zones", Json::array()}});
        out.back()["zones"].push_back(Json{{"code", z.code}, {"districts", z.districts}});
    }
    return out.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string identity(std::string_view s) {
    return std::string(s);
}

} // namespace

std::string Response::header(std::string_view name) const {
    for (const auto& [k, v] : headers)
        if (ini::equalsIgnoreCase(k, name))
            return v;
    return {};
}

std::vector<std::pair<std::string, std::string>> securityHeaders(std::string_view path) {
    std::vector<std::pair<std::string, std::string>> h = {
        {"Content-Security-Policy", "default-src 'self'; frame-ancestors 'none'"},
        {"X-Content-Type-Options", "nosniff"},
        {"Referrer-Policy", "no-referrer"},
    };
    if (isApi(path))
        h.emplace_back("Cache-Control", "no-store");
    return h;
}

std::string sessionToken(std::string_view cookie) {
    while (!cookie.empty()) {
        const auto semi = cookie.find(';');
        std::string_view part = cookie.substr(0, semi);
        cookie.remove_prefix(semi == std::string_view::npos ? cookie.size() : semi + 1);
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        const auto eq = part.find('=');
        if (eq != std::string_view::npos && part.substr(0, eq) == kSessionCookie)
            return std::string(part.substr(eq + 1));
    }
    return {};
}

PanelHandler::PanelHandler(Services services) : m_s(std::move(services)), m_sessions(m_s.random) {
    if (!m_s.toLocal)
        m_s.toLocal = identity;
    if (!m_s.fromLocal)
        m_s.fromLocal = identity;
}

std::size_t PanelHandler::bodyLimit(std::string_view path) {
    return isApi(path) ? kJsonBodyLimit : 0;
}

std::optional<Response> PanelHandler::screen(const RequestHead& head) const {
    std::optional<Response> r;
    if (!isLocalNetworkAddress(head.address))
        r = error(403, "Hanya untuk rangkaian tempatan");
    else if (head.transformedBody)
        r = error(415, "Badan permintaan mesti dihantar biasa, dengan panjangnya");
    else if (head.contentLength && *head.contentLength > bodyLimit(head.path))
        r = error(413, "Permintaan terlalu besar");
    if (r)
        for (auto& h : securityHeaders(head.path))
            r->headers.push_back(std::move(h));
    return r;
}

Response PanelHandler::handle(const Request& request) {
    Response r;
    if (std::optional<Response> refused = screen(request))
        return *refused;
    if (request.body.size() > bodyLimit(request.path))
        r = error(413, "Permintaan terlalu besar");
    else
        r = route(request);
    for (auto& h : securityHeaders(request.path))
        r.headers.push_back(std::move(h));
    return r;
}

Response PanelHandler::route(const Request& r) {
    const auto allow = [&](std::initializer_list<std::string_view> methods) {
        return std::find(methods.begin(), methods.end(), r.method) != methods.end();
    };
    const auto wrongMethod = [](std::string_view allowed) {
        Response out = error(405, "Kaedah tidak dibenarkan");
        out.headers.emplace_back("Allow", std::string(allowed));
        return out;
    };
    if (const auto file = m_s.files.find(r.path); file != m_s.files.end()) {
        if (!allow({"GET"}))
            return wrongMethod("GET");
        Response out;
        out.contentType = file->second.contentType;
        out.body = file->second.bytes;
        return out;
    }
    if (r.path == "/api/login")
        return allow({"POST"}) ? login(r) : wrongMethod("POST");
    if (r.path == "/api/logout")
        return allow({"POST"}) ? logout(r) : wrongMethod("POST");
    if (r.path == "/api/session")
        return allow({"GET"}) ? sessionInfo(r) : wrongMethod("GET");
    if (r.path == "/api/status" || r.path == "/api/settings" || r.path == "/api/zones") {
        const bool settings = r.path == "/api/settings";
        if (!allow({"GET"}) && !(settings && allow({"PUT"})))
            return wrongMethod(settings ? "GET, PUT" : "GET");
        Response refusal;
        const std::string token = signedIn(r, &refusal);
        if (token.empty())
            return refusal;
        if (settings)
            return r.method == "GET" ? readSettings() : writeSettings(r, token);
        Response out;
        out.contentType = std::string(kJsonType);
        if (r.path == "/api/zones")
            out.body = zonesJson();
        else
            out.body = m_s.statusJson ? m_s.statusJson() : "{}";
        return out;
    }
    return error(404, "Tiada di sini");
}

Response PanelHandler::login(const Request& r) {
    const std::optional<Json> body = parseBody(r.body);
    if (!body || !body->is_object() || !body->contains("pin") || !(*body)["pin"].is_string())
        return error(400, "Hantar {\"pin\":\"...\"}");
    const std::string pin = (*body)["pin"].get<std::string>();

    // One login at a time: a burst of guesses waits its turn and is counted before the next.
    const std::lock_guard loginLock(m_loginMutex);
    {
        const std::lock_guard lock(m_mutex);
        if (m_guard.locked(r.addressText, m_s.steadySeconds()))
            return error(429, "Terlalu banyak PIN salah. Cuba lagi selepas 10 minit.");
    }
    const std::string stored =
        std::string(ini::trimSpaces(GetFromINI(kPinHash.section, kPinHash.key, "", m_s.settingsFile)));
    if (!parsePinHash(stored))
        return error(401, "PIN belum ditetapkan pada komputer jam");
    const bool right = pinMatches(pin, stored, m_s.derive);

    const std::lock_guard lock(m_mutex);
    const Seconds now = m_s.steadySeconds();
    if (!right) {
        m_guard.wrongPin(r.addressText, now);
        return error(401, "PIN salah");
    }
    const std::string token = m_sessions.open(now);
    const SessionStore::Session* session = token.empty() ? nullptr : m_sessions.use(token, now);
    if (!session)
        return error(500, "Sesi tidak dapat dibuka");
    Response out = json(200, Json{{"csrf", session->csrf}});
    out.headers.emplace_back("Set-Cookie", cookieFor(token, SessionStore::kLifetime));
    return out;
}

Response PanelHandler::logout(const Request& r) {
    {
        const std::lock_guard lock(m_mutex);
        if (const std::string token = sessionToken(r.cookie); !token.empty())
            m_sessions.close(token);
    }
    Response out = json(200, Json::object());
    out.headers.emplace_back("Set-Cookie", cookieFor("", 0));
    return out;
}

Response PanelHandler::sessionInfo(const Request& r) {
    Response refusal;
    const std::string token = signedIn(r, &refusal);
    if (token.empty())
        return refusal;
    std::string csrf;
    {
        const std::lock_guard lock(m_mutex);
        if (const SessionStore::Session* s = m_sessions.use(token, m_s.steadySeconds()))
            csrf = s->csrf;
    }
    // The cookie's own expiry moves with the session's last use.
    Response out = json(200, Json{{"csrf", csrf}});
    out.headers.emplace_back("Set-Cookie", cookieFor(token, SessionStore::kLifetime));
    return out;
}

std::string PanelHandler::signedIn(const Request& r, Response* refusal) {
    const std::string token = sessionToken(r.cookie);
    const std::lock_guard lock(m_mutex);
    const SessionStore::Session* session = token.empty() ? nullptr : m_sessions.use(token, m_s.steadySeconds());
    if (!session) {
        *refusal = error(401, "Sila log masuk dengan PIN");
        return {};
    }
    if (r.method != "GET" && !csrfMatches(*session, r.csrfToken)) {
        *refusal = error(403, "Token X-CSRF-Token tiada atau salah");
        return {};
    }
    return token;
}

std::string PanelHandler::settingsJson() const {
    Json out = Json::object();
    for (const SettingEdit& v : currentValues(Editor::Phone, m_s.settingsFile))
        out[v.section][v.key] = m_s.fromLocal(v.value);
    return out.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Response PanelHandler::readSettings() {
    Response out;
    out.contentType = std::string(kJsonType);
    out.body = settingsJson();
    return out;
}

Response PanelHandler::writeSettings(const Request& r, const std::string& token) {
    const std::optional<Json> body = parseBody(r.body);
    if (!body || !body->is_object())
        return error(400, "Hantar {\"BAHAGIAN\":{\"KUNCI\":\"nilai\"}}");
    std::vector<SettingEdit> edits;
    Json refused = Json::object();
    for (const auto& [section, keys] : body->items()) {
        if (!keys.is_object()) {
            refused[section][""] = "mesti objek kunci dan nilai";
            continue;
        }
        for (const auto& [key, value] : keys.items()) {
            if (value.is_string())
                edits.push_back({section, key, m_s.toLocal(value.get<std::string>())});
            else
                refused[section][key] = "mesti teks";
        }
    }

    const std::lock_guard lock(m_mutex);
    const CheckedEdits checked = checkEdits(edits, Editor::Phone, m_s.settingsFile);
    for (const RefusedEdit& e : checked.refused)
        refused[e.section][e.key] = m_s.fromLocal(e.reason);
    if (!refused.empty())
        return json(422, Json{{"refused", refused}});

    std::vector<std::string> lines;
    for (const IniChange& c : checked.changes) {
        const std::string old = GetFromINI(c.section, c.key, "", m_s.settingsFile);
        if (old != c.value)
            lines.push_back("[" + c.section + "] " + c.key + ": \"" + old + "\" -> \"" + c.value + "\"");
    }
    if (!lines.empty()) {
        if (m_s.backupSettings && !m_s.backupSettings())
            return error(500, "Salinan setting.ini tidak dapat dibuat; tiada apa-apa diubah");
        if (!AddToINI(checked.changes, m_s.settingsFile))
            return error(500, "setting.ini tidak dapat ditulis; tiada apa-apa diubah");
        for (const std::string& line : lines)
            audit(r, token, line);
    }
    Response out;
    out.contentType = std::string(kJsonType);
    out.body = settingsJson();
    return out;
}

void PanelHandler::audit(const Request& r, const std::string& token, const std::string& line) const {
    const std::string when = m_s.wallClockText ? m_s.wallClockText() : std::string();
    LogFile(m_s.auditLog).append(when + " " + r.addressText + " " + token.substr(0, 6) + " " + line);
}

void PanelHandler::signOutAll() {
    const std::lock_guard lock(m_mutex);
    m_sessions.closeAll();
}

} // namespace tavrola::panel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/panel/PanelHandler.h"

#include "core/files/IniFile.h"
#include "core/files/LogFile.h"
#include "core/announce/Announcements.h"
#include "core/panel/PanelAnnouncements.h"
#include "core/panel/PanelReplies.h"
#include "core/panel/PanelSettings.h"
#include "core/prayerdata/Zones.h"
#include "core/settingsmodel/SettingsModel.h"

#include <algorithm>

namespace tavrola::panel {

namespace {

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

// A reply whose JSON is already written.
Response jsonText(std::string body) {
    Response r;
    r.contentType = std::string(kJsonType);
    r.body = std::move(body);
    return r;
}

std::string identity(std::string_view s) {
    return std::string(s);
}

} // namespace

Response jsonReply(int status, const Json& body) {
    Response r;
    r.status = status;
    r.contentType = std::string(kJsonType);
    r.body = body.dump(-1, ' ', false, Json::error_handler_t::replace);
    return r;
}

Response errorReply(int status, std::string_view text) {
    return jsonReply(status, Json{{"error", text}});
}

std::optional<Json> parseJsonBody(std::string_view body) {
    if (nestedTooDeep(body, 4))
        return std::nullopt;
    Json j = Json::parse(body.begin(), body.end(), nullptr, false);
    if (j.is_discarded())
        return std::nullopt;
    return j;
}

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
    if (!m_s.announcementsFolder.empty())
        m_announcements = std::make_unique<AnnouncementRoutes>(m_s.announcementsFolder, m_s.addPicture,
                                                               m_s.toLocal, m_s.fromLocal);
}

PanelHandler::~PanelHandler() = default;

std::size_t PanelHandler::bodyLimit(std::string_view path) {
    if (path == "/api/announcements/gambar")
        return kPictureBodyLimit;
    return isApi(path) ? kJsonBodyLimit : 0;
}

std::optional<Response> PanelHandler::screen(const RequestHead& head) {
    std::optional<Response> r;
    Response refusal;
    if (!isLocalNetworkAddress(head.address))
        r = errorReply(403, "Hanya untuk rangkaian tempatan");
    else if (head.transformedBody)
        r = errorReply(415, "Badan permintaan mesti dihantar biasa, dengan panjangnya");
    else if (head.contentLength && *head.contentLength > bodyLimit(head.path))
        r = errorReply(413, "Permintaan terlalu besar");
    // Only a signed-in phone makes the server take in more than a small request.
    else if (head.contentLength && *head.contentLength > kJsonBodyLimit && signedIn(head, &refusal).empty())
        r = std::move(refusal);
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
        r = errorReply(413, "Permintaan terlalu besar");
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
        Response out = errorReply(405, "Kaedah tidak dibenarkan");
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
    if (m_announcements && AnnouncementRoutes::handles(r.path)) {
        Response refusal;
        const std::string token = signedIn(r, &refusal);
        if (token.empty())
            return refusal;
        Routed routed = m_announcements->handle(r);
        for (const std::string& line : routed.changes)
            audit(r, token, line);
        return std::move(routed.response);
    }
    if (r.path == "/api/funeral") {
        if (!allow({"GET", "PUT", "DELETE"}))
            return wrongMethod("GET, PUT, DELETE");
        Response refusal;
        const std::string token = signedIn(r, &refusal);
        if (token.empty())
            return refusal;
        return funeral(r, token);
    }
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
        if (r.path == "/api/zones")
            return jsonText(zonesJson());
        return jsonText(m_s.statusJson ? m_s.statusJson() : "{}");
    }
    return errorReply(404, "Tiada di sini");
}

Response PanelHandler::login(const Request& r) {
    const std::optional<Json> body = parseJsonBody(r.body);
    if (!body || !body->is_object() || !body->contains("pin") || !(*body)["pin"].is_string())
        return errorReply(400, "Hantar {\"pin\":\"...\"}");
    const std::string pin = (*body)["pin"].get<std::string>();

    // One login at a time: a burst of guesses waits its turn and is counted before the next.
    const std::lock_guard loginLock(m_loginMutex);
    {
        const std::lock_guard lock(m_mutex);
        if (m_guard.locked(r.addressText, m_s.steadySeconds()))
            return errorReply(429, "Terlalu banyak PIN salah. Cuba lagi selepas 10 minit.");
    }
    const std::string stored =
        std::string(ini::trimSpaces(GetFromINI(kPinHash.section, kPinHash.key, "", m_s.settingsFile)));
    if (!parsePinHash(stored))
        return errorReply(401, "PIN belum ditetapkan pada komputer jam");
    const bool right = pinMatches(pin, stored, m_s.derive);

    const std::lock_guard lock(m_mutex);
    const Seconds now = m_s.steadySeconds();
    if (!right) {
        m_guard.wrongPin(r.addressText, now);
        return errorReply(401, "PIN salah");
    }
    const std::string token = m_sessions.open(now);
    const SessionStore::Session* session = token.empty() ? nullptr : m_sessions.use(token, now);
    if (!session)
        return errorReply(500, "Sesi tidak dapat dibuka");
    Response out = jsonReply(200, Json{{"csrf", session->csrf}});
    out.headers.emplace_back("Set-Cookie", cookieFor(token, SessionStore::kLifetime));
    return out;
}

Response PanelHandler::logout(const Request& r) {
    {
        const std::lock_guard lock(m_mutex);
        if (const std::string token = sessionToken(r.cookie); !token.empty())
            m_sessions.close(token);
    }
    Response out = jsonReply(200, Json::object());
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
    Response out = jsonReply(200, Json{{"csrf", csrf}});
    out.headers.emplace_back("Set-Cookie", cookieFor(token, SessionStore::kLifetime));
    return out;
}

std::string PanelHandler::signedIn(const RequestHead& r, Response* refusal) {
    const std::string token = sessionToken(r.cookie);
    const std::lock_guard lock(m_mutex);
    const SessionStore::Session* session = token.empty() ? nullptr : m_sessions.use(token, m_s.steadySeconds());
    if (!session) {
        *refusal = errorReply(401, "Sila log masuk dengan PIN");
        return {};
    }
    if (r.method != "GET" && !csrfMatches(*session, r.csrfToken)) {
        *refusal = errorReply(403, "Token X-CSRF-Token tiada atau salah");
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
    return jsonText(settingsJson());
}

Response PanelHandler::writeSettings(const Request& r, const std::string& token) {
    const std::optional<Json> body = parseJsonBody(r.body);
    if (!body || !body->is_object())
        return errorReply(400, "Hantar {\"BAHAGIAN\":{\"KUNCI\":\"nilai\"}}");
    std::vector<SettingEdit> edits;
    std::map<std::string, std::map<std::string, std::string>> refused;
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
    if (std::optional<Response> failed = applyEdits(r, token, edits, std::move(refused)))
        return *failed;
    return jsonText(settingsJson());
}

namespace {
// The funeral notice's keys in [JENAZAH], by the names the page uses.
constexpr std::pair<std::string_view, std::string_view> kFuneralKeys[] = {
    {"nama", "NAMA"}, {"solat", "SOLAT"}, {"tamat", "TAMAT"}};
} // namespace

std::string PanelHandler::funeralJson() const {
    Json out = Json::object();
    for (const auto& [name, key] : kFuneralKeys)
        out[name] = m_s.fromLocal(
            GetFromINI(std::string(announce::kFuneralSection), std::string(key), "", m_s.settingsFile));
    return out.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Response PanelHandler::funeral(const Request& r, const std::string& token) {
    std::vector<SettingEdit> edits;
    std::map<std::string, std::map<std::string, std::string>> refused;
    const std::string section(announce::kFuneralSection);
    if (r.method == "DELETE") {
        for (const auto& [name, key] : kFuneralKeys)
            edits.push_back({section, std::string(key), ""});
    } else if (r.method == "PUT") {
        const std::optional<Json> body = parseJsonBody(r.body);
        if (!body || !body->is_object())
            return errorReply(400, "Hantar {\"nama\":\"...\",\"solat\":\"...\",\"tamat\":\"yyyy-mm-dd JJ:MM\"}");
        for (const auto& [name, value] : body->items()) {
            const auto* known = std::find_if(std::begin(kFuneralKeys), std::end(kFuneralKeys),
                                             [&](const auto& k) { return k.first == name; });
            if (known == std::end(kFuneralKeys))
                refused[section][name.substr(0, 40)] = "tidak dikenali";
            else if (!value.is_string())
                refused[section][std::string(known->second)] = "mesti teks";
            else
                edits.push_back({section, std::string(known->second), m_s.toLocal(value.get<std::string>())});
        }
    }
    if (std::optional<Response> failed = applyEdits(r, token, edits, std::move(refused)))
        return *failed;
    return jsonText(funeralJson());
}

std::optional<Response>
PanelHandler::applyEdits(const Request& r, const std::string& token, const std::vector<SettingEdit>& edits,
                         std::map<std::string, std::map<std::string, std::string>> refused) {
    const std::lock_guard lock(m_mutex);
    const CheckedEdits checked = checkEdits(edits, Editor::Phone, m_s.settingsFile);
    for (const RefusedEdit& e : checked.refused)
        refused[e.section][e.key] = m_s.fromLocal(e.reason);
    if (!refused.empty())
        return jsonReply(422, Json{{"refused", refused}});

    std::vector<std::string> lines;
    for (const IniChange& c : checked.changes) {
        const std::string old = GetFromINI(c.section, c.key, "", m_s.settingsFile);
        if (old != c.value)
            lines.push_back("[" + c.section + "] " + c.key + ": \"" + old + "\" -> \"" + c.value + "\"");
    }
    if (lines.empty())
        return std::nullopt;
    if (m_s.backupSettings && !m_s.backupSettings())
        return errorReply(500, "Salinan setting.ini tidak dapat dibuat; tiada apa-apa diubah");
    if (!AddToINI(checked.changes, m_s.settingsFile))
        return errorReply(500, "setting.ini tidak dapat ditulis; tiada apa-apa diubah");
    for (const std::string& line : lines)
        audit(r, token, line);
    return std::nullopt;
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

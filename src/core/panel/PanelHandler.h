// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/panel/PanelAccess.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrola {
class AnnouncementStore;
struct AnnouncementFields;
struct SettingEdit;
} // namespace tavrola

namespace tavrola::panel {

class AnnouncementRoutes;

// What the server has read of a request before its body: enough to turn it away unread.
struct RequestHead {
    std::string method;
    std::string path;                       // percent-decoded, without the query
    std::array<std::uint8_t, 16> address{}; // the peer, IPv6 or IPv4-mapped
    std::string addressText;                // the peer as the log shows it
    std::optional<std::uint64_t> contentLength;
    bool transformedBody = false; // chunked or compressed: its size in memory is not known in advance
    std::string cookie;           // the Cookie header
    std::string csrfToken;        // the X-CSRF-Token header
};

struct Request : RequestHead {
    std::string ifMatch; // the If-Match header: the version a change was made on
    std::vector<std::pair<std::string, std::string>> query; // percent-decoded
    std::string body;
};

struct Response {
    int status = 200;
    std::string contentType;
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;

    std::string header(std::string_view name) const;
};

// A file of the page, compiled into the program.
struct StaticFile {
    std::string contentType;
    std::string bytes;
};

inline constexpr std::string_view kSessionCookie = "tavrola_sesi";

// The headers every reply carries (and, under /api/, no caching).
std::vector<std::pair<std::string, std::string>> securityHeaders(std::string_view path);

// The routes of the phone page: sign-in state, lockout, CSRF, the settings through the settings
// model, and one audit line per change. Safe to call from the server's threads at once: a login
// is handled one at a time (the PIN's key derivation is slow on purpose), the rest under one lock.
class PanelHandler {
public:
    struct Services {
        std::filesystem::path settingsFile;
        std::filesystem::path auditLog; // log/panel.log
        DeriveKey derive;
        SessionStore::RandomBytes random;
        std::function<Seconds()> steadySeconds;     // for sessions and lockouts
        std::function<std::string()> wallClockText; // "yyyy-mm-dd hh:mm:ss" for the log
        std::function<bool()> backupSettings;       // a backup before a change is written
        std::function<std::string()> statusJson;    // what the clock shows now
        std::map<std::string, StaticFile> files;    // by request path: "/", "/panel.js", ...
        // setting.ini holds the local 8-bit code page; JSON is UTF-8. Identity when not given.
        std::function<std::string(std::string_view)> toLocal;
        std::function<std::string(std::string_view)> fromLocal;
        // pengumuman/, and how an uploaded picture is checked, decoded and added to it (pictures are
        // decoded outside the core). No folder: no announcements' routes.
        std::filesystem::path announcementsFolder;
        std::function<std::string(AnnouncementStore&, std::string_view, const AnnouncementFields&)> addPicture;
    };

    explicit PanelHandler(Services services);
    ~PanelHandler();

    // Called once the headers are read: a reply when the request is to be turned away without
    // reading its body (an address off the local network, a body over its limit, a picture-sized
    // body from a phone that is not signed in).
    std::optional<Response> screen(const RequestHead& head);
    Response handle(const Request& request);

    // Every phone signs in again: a new PIN, or the committee's button.
    void signOutAll();

    // The body a route may bring: a picture to /api/announcements/gambar, 64 KiB of JSON elsewhere
    // under /api/, nothing outside it.
    static std::size_t bodyLimit(std::string_view path);

private:
    Response route(const Request& r);
    Response login(const Request& r);
    Response logout(const Request& r);
    Response sessionInfo(const Request& r);
    Response readSettings();
    Response writeSettings(const Request& r, const std::string& token);
    Response funeral(const Request& r, const std::string& token);
    // Checks a set of edits with the settings model and writes them in one change, after a backup,
    // with an audit line for each value changed. A reply only when refused or failed.
    std::optional<Response> applyEdits(const Request& r, const std::string& token,
                                       const std::vector<SettingEdit>& edits,
                                       std::map<std::string, std::map<std::string, std::string>> refused);
    std::string funeralJson() const;
    // The signed-in session's token, or empty (the reply says why in *refusal).
    std::string signedIn(const RequestHead& r, Response* refusal);
    std::string settingsJson() const;
    void audit(const Request& r, const std::string& token, const std::string& line) const;

    Services m_s;
    std::mutex m_loginMutex;    // held through a login, key derivation included
    mutable std::mutex m_mutex; // the guard and the sessions
    LoginGuard m_guard;
    SessionStore m_sessions;
    std::unique_ptr<AnnouncementRoutes> m_announcements;
};

// The session token a Cookie header carries, or empty.
std::string sessionToken(std::string_view cookieHeader);

} // namespace tavrola::panel

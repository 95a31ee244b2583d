// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// Who may use the clock's own page on the mosque's network, and how a phone signs in: the rules
// behind the page's routes, kept apart from the HTTP server so that they are tested without one.
// Times are whole seconds of a steady clock that the caller reads.
namespace tavrola::panel {

using Seconds = std::int64_t;

// Whether a request from an address may be served at all: loopback, private IPv4 (10/8, 172.16/12,
// 192.168/16), link-local (169.254/16, fe80::/10) and IPv6 unique-local (fc00::/7). The address is
// IPv6's 16 bytes; an IPv4 address comes IPv4-mapped (::ffff:a.b.c.d), as the network layer gives it.
bool isLocalNetworkAddress(const std::array<std::uint8_t, 16>& address);

// The committee's PIN: 6 to 12 digits.
bool isValidPin(std::string_view pin);

// A stored PIN: "pbkdf2-sha256$ITERATIONS$SALT$HASH", salt (16 bytes) and hash (32 bytes) in
// standard base64. Never the PIN itself.
struct PinHash {
    int iterations = 0;
    std::string salt; // bytes
    std::string hash; // bytes
};
inline constexpr int kMinIterations = 100000;
std::optional<PinHash> parsePinHash(std::string_view stored);
std::string formatPinHash(const PinHash& pin);

// PBKDF2-HMAC-SHA256 of the PIN with the salt, 32 bytes; the platform supplies it.
using DeriveKey = std::function<std::string(std::string_view pin, std::string_view salt, int iterations)>;
// The stored form of a new PIN with a fresh 16-byte salt.
std::string makePinHash(std::string_view pin, std::string_view salt, const DeriveKey& derive,
                        int iterations = 200000);
// Whether `pin` is the one `stored` was made from; false for a stored text that is not a PIN hash
// (no PIN set signs nobody in). The comparison takes the same time wherever the bytes differ.
bool pinMatches(std::string_view pin, std::string_view stored, const DeriveKey& derive);
bool equalInConstantTime(std::string_view a, std::string_view b);

std::string toBase64(std::string_view bytes);
std::optional<std::string> fromBase64(std::string_view text);

// Wrong PINs: five from one address within ten minutes lock that address out for ten minutes,
// twenty from all addresses together lock everyone out; a right PIN does not open a lock.
class LoginGuard {
public:
    static constexpr Seconds kWindow = 600;
    static constexpr int kPerAddress = 5;
    static constexpr int kInAll = 20;

    bool locked(std::string_view address, Seconds now) const;
    void wrongPin(std::string_view address, Seconds now);

private:
    struct Count {
        std::deque<Seconds> recent; // the wrong PINs of the last window, oldest first
        Seconds lockedUntil = 0;
    };
    static void add(Count& c, Seconds now, int limit);
    void forgetOld(Seconds now);

    std::unordered_map<std::string, Count> m_byAddress;
    Count m_all;
};

// Signed-in phones: a random token in the session cookie and a second one the page sends back as
// X-CSRF-Token. A session lasts 30 days from its last use.
class SessionStore {
public:
    static constexpr Seconds kLifetime = 30LL * 24 * 3600;
    static constexpr std::size_t kMaxSessions = 64;

    struct Session {
        std::string csrf;
        Seconds lastUse = 0;
    };
    using RandomBytes = std::function<std::string(std::size_t count)>;

    explicit SessionStore(RandomBytes random) : m_random(std::move(random)) {}

    // A new session; returns its token (hex of 32 random bytes), or empty when the random source failed.
    std::string open(Seconds now);
    // The live session of a token, its last use moved to now; nullptr when unknown or expired.
    const Session* use(std::string_view token, Seconds now);
    void close(std::string_view token);
    // Every phone signed out (a new PIN, or the committee's button).
    void closeAll() { m_sessions.clear(); }

private:
    std::string hexToken();

    RandomBytes m_random;
    std::unordered_map<std::string, Session> m_sessions;
};

// Whether a request that changes something carries its session's CSRF token.
bool csrfMatches(const SessionStore::Session& session, std::string_view header);

} // namespace tavrola::panel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/panel/PanelAccess.h"

#include <algorithm>
#include <charconv>

namespace tavrola::panel {

bool isLocalNetworkAddress(const std::array<std::uint8_t, 16>& a) {
    const bool mapped = std::all_of(a.begin(), a.begin() + 10, [](std::uint8_t b) { return b == 0; }) &&
                        a[10] == 0xff && a[11] == 0xff;
    if (mapped) {
        const std::uint8_t b0 = a[12], b1 = a[13];
        return b0 == 127 || b0 == 10 || (b0 == 172 && (b1 & 0xf0) == 16) || (b0 == 192 && b1 == 168) ||
               (b0 == 169 && b1 == 254);
    }
    const bool loopback =
        std::all_of(a.begin(), a.begin() + 15, [](std::uint8_t b) { return b == 0; }) && a[15] == 1;
    return loopback || (a[0] & 0xfe) == 0xfc || (a[0] == 0xfe && (a[1] & 0xc0) == 0x80);
}

bool isValidPin(std::string_view pin) {
    return pin.size() >= 6 && pin.size() <= 12 &&
           std::all_of(pin.begin(), pin.end(), [](char c) { return c >= '0' && c <= '9'; });
}

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::string_view kScheme = "pbkdf2-sha256";

} // namespace

std::string toBase64(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t v = 0;
        for (std::size_t k = 0; k < 3; ++k)
            v = (v << 8) | (k < n ? static_cast<std::uint8_t>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? kAlphabet[(v >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

std::optional<std::string> fromBase64(std::string_view text) {
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 4) {
        std::uint32_t v = 0;
        int pads = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            // Padding only at the very end, and at most two.
            if (c == '=' && i + 4 == text.size() && k >= 2) {
                ++pads;
                v <<= 6;
                continue;
            }
            const auto at = kAlphabet.find(c);
            if (at == std::string_view::npos || c == '\0' || pads > 0)
                return std::nullopt;
            v = (v << 6) | static_cast<std::uint32_t>(at);
        }
        for (int k = 0; k < 3 - pads; ++k)
            out += static_cast<char>((v >> (16 - 8 * k)) & 0xff);
    }
    return out;
}

std::optional<PinHash> parsePinHash(std::string_view stored) {
    std::string_view parts[4];
    for (std::size_t i = 0; i < 4; ++i) {
        const auto dollar = stored.find('$');
        if ((dollar == std::string_view::npos) != (i == 3))
            return std::nullopt;
        parts[i] = stored.substr(0, dollar);
        stored.remove_prefix(i == 3 ? stored.size() : dollar + 1);
    }
    PinHash out;
    const auto [end, ec] = std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), out.iterations);
    const auto salt = fromBase64(parts[2]);
    const auto hash = fromBase64(parts[3]);
    if (parts[0] != kScheme || ec != std::errc() || end != parts[1].data() + parts[1].size() ||
        out.iterations < kMinIterations || !salt || salt->size() != 16 || !hash || hash->size() != 32)
        return std::nullopt;
    out.salt = *salt;
    out.hash = *hash;
    return out;
}

std::string formatPinHash(const PinHash& pin) {
    return std::string(kScheme) + "$" + std::to_string(pin.iterations) + "$" + toBase64(pin.salt) + "$" +
           toBase64(pin.hash);
}

std::string makePinHash(std::string_view pin, std::string_view salt, const DeriveKey& derive, int iterations) {
    return formatPinHash(PinHash{iterations, std::string(salt), derive(pin, salt, iterations)});
}

bool equalInConstantTime(std::string_view a, std::string_view b) {
    unsigned diff = a.size() == b.size() ? 0u : 1u;
    const std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = i < a.size() ? static_cast<unsigned char>(a[i]) : 0u;
        const auto y = i < b.size() ? static_cast<unsigned char>(b[i]) : 0u;
        diff |= x ^ y;
    }
    return diff == 0;
}

bool pinMatches(std::string_view pin, std::string_view stored, const DeriveKey& derive) {
    const std::optional<PinHash> hash = parsePinHash(stored);
    if (!hash || !isValidPin(pin))
        return false;
    return equalInConstantTime(derive(pin, hash->salt, hash->iterations), hash->hash);
}

void LoginGuard::add(Count& c, Seconds now, int limit) {
    while (!c.recent.empty() && now - c.recent.front() >= kWindow)
        c.recent.pop_front();
    c.recent.push_back(now);
    if (static_cast<int>(c.recent.size()) >= limit) {
        c.lockedUntil = now + kWindow;
        c.recent.clear();
    }
}

bool LoginGuard::locked(std::string_view address, Seconds now) const {
    if (now < m_all.lockedUntil)
        return true;
    const auto it = m_byAddress.find(std::string(address));
    return it != m_byAddress.end() && now < it->second.lockedUntil;
}

void LoginGuard::forgetOld(Seconds now) {
    // Addresses with nothing left to count go, so that the table stays as small as the attack.
    std::erase_if(m_byAddress, [now](const auto& entry) {
        const Count& c = entry.second;
        return now >= c.lockedUntil && (c.recent.empty() || now - c.recent.back() >= kWindow);
    });
}

void LoginGuard::wrongPin(std::string_view address, Seconds now) {
    forgetOld(now);
    add(m_byAddress[std::string(address)], now, kPerAddress);
    add(m_all, now, kInAll);
}

std::string SessionStore::hexToken() {
    const std::string bytes = m_random(32);
    if (bytes.size() != 32)
        return {};
    constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char b : bytes) {
        out += kHex[static_cast<unsigned char>(b) >> 4];
        out += kHex[static_cast<unsigned char>(b) & 15];
    }
    return out;
}

std::string SessionStore::open(Seconds now) {
    std::erase_if(m_sessions, [now](const auto& entry) { return now - entry.second.lastUse >= kLifetime; });
    if (m_sessions.size() >= kMaxSessions) {
        // The phone unused the longest signs in again.
        const auto oldest =
            std::min_element(m_sessions.begin(), m_sessions.end(),
                             [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
        m_sessions.erase(oldest);
    }
    std::string token = hexToken();
    std::string csrf = hexToken();
    if (token.empty() || csrf.empty())
        return {};
    m_sessions[token] = Session{std::move(csrf), now};
    return token;
}

const SessionStore::Session* SessionStore::use(std::string_view token, Seconds now) {
    const auto it = m_sessions.find(std::string(token));
    if (it == m_sessions.end())
        return nullptr;
    if (now - it->second.lastUse >= kLifetime) {
        m_sessions.erase(it);
        return nullptr;
    }
    it->second.lastUse = now;
    return &it->second;
}

void SessionStore::close(std::string_view token) {
    m_sessions.erase(std::string(token));
}

bool csrfMatches(const SessionStore::Session& session, std::string_view header) {
    return !session.csrf.empty() && equalInConstantTime(session.csrf, header);
}

} // namespace tavrola::panel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/panel/PanelAccess.h"

#include <gtest/gtest.h>

using namespace tavrola::panel;

namespace {

std::array<std::uint8_t, 16> v4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff, a, b, c, d};
}
std::array<std::uint8_t, 16> v6(std::uint8_t first, std::uint8_t second, std::uint8_t last) {
    return {first, second, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, last};
}

// Stands in for PBKDF2: what matters here is that salt, iterations and PIN all reach it.
std::string derive(std::string_view pin, std::string_view salt, int iterations) {
    std::string out = std::string(pin) + "|" + std::string(salt) + "|" + std::to_string(iterations);
    out.resize(32, '.');
    return out;
}

} // namespace

TEST(PanelAccess, OnlyTheLocalNetworkIsServed) {
    for (const auto& a :
         {v4(127, 0, 0, 1), v4(10, 1, 2, 3), v4(172, 16, 0, 1), v4(172, 31, 255, 255), v4(192, 168, 1, 20),
          v4(169, 254, 7, 7), v6(0, 0, 1), v6(0xfd, 0x12, 1), v6(0xfe, 0x80, 1), v6(0xfe, 0xbf, 9)})
        EXPECT_TRUE(isLocalNetworkAddress(a)) << int(a[0]) << "." << int(a[12]) << "." << int(a[13]);
    for (const auto& a : {v4(8, 8, 8, 8), v4(172, 32, 0, 1), v4(172, 15, 0, 1), v4(192, 169, 0, 1),
                          v4(169, 253, 0, 1), v6(0x20, 0x01, 1), v6(0, 0, 0), v6(0xfe, 0xc0, 1), v6(0, 0, 2)})
        EXPECT_FALSE(isLocalNetworkAddress(a)) << int(a[0]) << "." << int(a[12]) << "." << int(a[13]);
    // Only ::ffff:a.b.c.d is an IPv4 address; a public IPv6 address ending in 192.168.1.20 is not.
    for (std::uint8_t b10 : {0x00, 0xff}) {
        auto a = v4(192, 168, 1, 20);
        a[10] = b10;
        a[11] = static_cast<std::uint8_t>(0xff - b10);
        EXPECT_FALSE(isLocalNetworkAddress(a)) << int(b10);
    }
}

TEST(PanelAccess, APinIsStoredOnlyAsItsHashAndCheckedAgainstIt) {
    for (const char* pin : {"123456", "123456789012"})
        EXPECT_TRUE(isValidPin(pin)) << pin;
    for (const char* pin : {"12345", "1234567890123", "12345a", "", "123 456"})
        EXPECT_FALSE(isValidPin(pin)) << pin;

    const std::string salt = "0123456789abcdef";
    const std::string stored = makePinHash("246810", salt, derive, 120000);
    EXPECT_EQ(stored.rfind("pbkdf2-sha256$120000$MDEyMzQ1Njc4OWFiY2RlZg==$", 0), 0u) << stored;
    EXPECT_EQ(stored.find("246810"), std::string::npos);
    EXPECT_TRUE(pinMatches("246810", stored, derive));
    EXPECT_FALSE(pinMatches("246811", stored, derive));
    EXPECT_FALSE(pinMatches("246810", "", derive)) << "no PIN set signs nobody in";
    ASSERT_TRUE(parsePinHash(stored));
    EXPECT_EQ(formatPinHash(*parsePinHash(stored)), stored);

    const std::string hash = toBase64(std::string(32, 'h'));
    for (const std::string& bad : {"pbkdf2-sha1$120000$" + toBase64(salt) + "$" + hash,
                                   "pbkdf2-sha256$99999$" + toBase64(salt) + "$" + hash,
                                   "pbkdf2-sha256$120000$" + toBase64(salt.substr(1)) + "$" + hash,
                                   "pbkdf2-sha256$120000$" + toBase64(salt) + "$" + hash.substr(4),
                                   "pbkdf2-sha256$12e4$" + toBase64(salt) + "$" + hash,
                                   "pbkdf2-sha256$120000$" + toBase64(salt) + "$" + hash + "$",
                                   "pbkdf2-sha256$120000$" + toBase64(salt) + "$" + hash.substr(0, 43) + "*"})
        EXPECT_FALSE(parsePinHash(bad)) << bad;
    EXPECT_EQ(fromBase64("TWE="), "Ma");
    EXPECT_FALSE(fromBase64("T=E="));
    EXPECT_FALSE(fromBase64("TWE"));
    EXPECT_FALSE(equalInConstantTime("abc", "abcd"));
    EXPECT_FALSE(equalInConstantTime("abd", "abc"));
}

TEST(PanelAccess, WrongPinsLockTheAddressThenEveryone) {
    LoginGuard guard;
    for (int i = 0; i < 4; ++i)
        guard.wrongPin("192.168.1.5", 100 + i * 100);
    EXPECT_FALSE(guard.locked("192.168.1.5", 450));
    guard.wrongPin("192.168.1.5", 720); // the first of the four is more than ten minutes old
    EXPECT_FALSE(guard.locked("192.168.1.5", 720));
    guard.wrongPin("192.168.1.5", 730);
    EXPECT_TRUE(guard.locked("192.168.1.5", 731));
    EXPECT_FALSE(guard.locked("192.168.1.6", 731));
    EXPECT_TRUE(guard.locked("192.168.1.5", 1329));
    EXPECT_FALSE(guard.locked("192.168.1.5", 1330));

    LoginGuard all;
    for (int i = 0; i < 20; ++i)
        all.wrongPin("10.0.0." + std::to_string(i), 5000 + i);
    EXPECT_TRUE(all.locked("10.0.0.99", 5020));
    EXPECT_FALSE(all.locked("10.0.0.99", 5619 + 1));
}

TEST(PanelAccess, SessionsLastThirtyDaysFromTheirLastUse) {
    int calls = 0;
    SessionStore sessions([&](std::size_t n) { return std::string(n, static_cast<char>(++calls)); });
    const std::string token = sessions.open(0);
    ASSERT_EQ(token.size(), 64u);
    const SessionStore::Session* s = sessions.use(token, SessionStore::kLifetime - 1);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(csrfMatches(*s, s->csrf));
    EXPECT_FALSE(csrfMatches(*s, ""));
    EXPECT_FALSE(csrfMatches(*s, token));
    EXPECT_NE(sessions.use(token, 2 * SessionStore::kLifetime - 2), nullptr) << "kept alive by its use";
    EXPECT_EQ(sessions.use(token, 3 * SessionStore::kLifetime), nullptr);
    EXPECT_EQ(sessions.use(token, 0), nullptr) << "an expired session is gone";

    const std::string other = sessions.open(10);
    sessions.closeAll();
    EXPECT_EQ(sessions.use(other, 10), nullptr);
    EXPECT_EQ(SessionStore([](std::size_t) { return std::string(); }).open(0), "") << "no randomness, no session";
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/announce/AnnouncementStore.h"
#include "core/panel/PanelHandler.h"
#include "core/panel/PanelSettings.h"
#include "fakes/TempDir.h"
#include "fakes/TestDatabase.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <memory>

namespace tavrola::fakes {

using namespace tavrola::panel;
using Json = nlohmann::json;

inline std::array<std::uint8_t, 16> v4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    return {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff, a, b, c, d};
}

inline std::string derive(std::string_view pin, std::string_view salt, int iterations) {
    std::string out = std::string(pin) + "|" + std::string(salt) + "|" + std::to_string(iterations);
    out.resize(32, '.');
    return out;
}

inline constexpr const char* kPin = "246810";

// A handler over a settings file in a fresh folder, with a steady clock the test moves.
struct PanelRig {
    fakes::TempDir dir;
    Seconds now = 1000;
    int backups = 0;
    int counter = 0;
    int pictures = 0; // uploads that reached the decoder
    std::unique_ptr<PanelHandler> handler;
    // Sent with the next request only.
    std::string ifMatch;
    std::vector<std::pair<std::string, std::string>> query;

    explicit PanelRig(bool withPin = true) {
        std::string ini = "[IQAMAH]\r\nZOHOR=5\r\nPESAN=Luruskan saf\r\n";
        if (withPin)
            ini += "[PANEL]\r\nAKTIF=ON\r\nPIN_HASH=" + makePinHash(kPin, std::string(16, 's'), derive) + "\r\n";
        writeBytes(settings(), ini);
        PanelHandler::Services s;
        s.settingsFile = settings();
        s.auditLog = dir / "log/panel.log";
        s.derive = derive;
        // Distinct bytes every time, as the system's generator gives.
        s.random = [this](std::size_t n) { return std::string(n, static_cast<char>('a' + counter++ % 26)); };
        s.steadySeconds = [this] { return now; };
        s.wallClockText = [] { return std::string("2026-05-01 13:10:00"); };
        s.backupSettings = [this] { return ++backups > 0; };
        s.statusJson = [] { return std::string(R"({"time":"13:10:00"})"); };
        s.files["/"] = {"text/html; charset=utf-8", "<!doctype html>"};
        s.files["/panel.js"] = {"text/javascript", "// page"};
        s.announcementsFolder = announcements();
        // The decoder's stand-in: a PNG signature is a picture, written as it came.
        s.addPicture = [this](AnnouncementStore& store, std::string_view bytes, const AnnouncementFields& fields) {
            ++pictures;
            if (!bytes.starts_with("\x89PNG"))
                return std::string("Bukan gambar PNG atau JPEG");
            AnnouncementFields f = fields;
            f.file = store.newPictureName(DateTime{{2026, 5, 1}, 13, 10, 0}, "png");
            writeBytes(store.folder() / f.file, std::string(bytes));
            std::string why = store.add(f);
            if (!why.empty())
                store.removeUnusedPicture(f.file);
            return why;
        };
        handler = std::make_unique<PanelHandler>(std::move(s));
    }
    std::filesystem::path settings() const { return dir / "setting.ini"; }
    std::filesystem::path announcements() const { return dir / "pengumuman"; }

    Response send(std::string method, std::string path, std::string body = {}, std::string cookie = {},
                  std::string csrf = {}, std::array<std::uint8_t, 16> from = v4(192, 168, 1, 20)) {
        Request r;
        r.method = std::move(method);
        r.path = std::move(path);
        r.address = from;
        r.addressText = std::to_string(from[12]) + "." + std::to_string(from[13]) + "." +
                        std::to_string(from[14]) + "." + std::to_string(from[15]);
        r.contentLength = body.size();
        r.body = std::move(body);
        r.cookie = std::move(cookie);
        r.csrfToken = std::move(csrf);
        r.ifMatch = std::exchange(ifMatch, {});
        r.query = std::exchange(query, {});
        return handler->handle(r);
    }
    Response login(const std::string& pin, std::array<std::uint8_t, 16> from = v4(192, 168, 1, 20)) {
        return send("POST", "/api/login", Json{{"pin", pin}}.dump(), {}, {}, from);
    }
    // Signs in: the cookie to send back and the CSRF token.
    std::pair<std::string, std::string> signIn() {
        const Response r = login(kPin);
        EXPECT_EQ(r.status, 200) << r.body;
        const std::string setCookie = r.header("Set-Cookie");
        return {setCookie.substr(0, setCookie.find(';')), Json::parse(r.body)["csrf"].get<std::string>()};
    }
};

} // namespace tavrola::fakes

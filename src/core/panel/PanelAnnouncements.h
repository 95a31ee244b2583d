// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/announce/AnnouncementStore.h"
#include "core/panel/PanelHandler.h"
#include "core/panel/PanelReplies.h"

#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace tavrola::panel {

// What a route did: its reply, and a line for the audit log for each change it made.
struct Routed {
    Response response;
    std::vector<std::string> changes;
};

// The announcements' list from the phone, under /api/announcements:
//   GET    /api/announcements              the list and its version ("versi")
//   POST   /api/announcements              a text: {"tajuk","teks","mula","tamat","saat"}
//   POST   /api/announcements/gambar       a picture: the file's bytes as the body; mula, tamat,
//                                          saat in the query
//   PUT    /api/announcements/N            the entry's text, dates and seconds (kind stays)
//   DELETE /api/announcements/N            the entry, and its picture when nothing else names it
//   POST   /api/announcements/N/naik|turun one place earlier or later
//   GET    /api/announcements/N/gambar     the entry's picture
// A change to entry N names the list it was made on: If-Match carries "versi". A list changed in
// between (by the window, another phone or a hand edit) is refused with 412, never half-applied.
// The caller has checked the session and the CSRF token.
class AnnouncementRoutes {
public:
    // Checks, decodes and writes an uploaded picture again, then adds its entry (the reason when
    // refused, empty on success). Pictures are decoded outside the core.
    using AddPicture = std::function<std::string(AnnouncementStore& store, std::string_view bytes,
                                                 const AnnouncementFields& fields)>;
    using Convert = std::function<std::string(std::string_view)>;

    AnnouncementRoutes(std::filesystem::path folder, AddPicture addPicture, Convert toLocal, Convert fromLocal);

    static bool handles(std::string_view path);
    Routed handle(const Request& r);

private:
    Json listJson(const AnnouncementStore& store) const;
    Routed list(const AnnouncementStore& store, int status = 200) const;
    Routed addText(const Request& r, AnnouncementStore& store);
    Routed addPicture(const Request& r, AnnouncementStore& store);
    Routed change(const Request& r, AnnouncementStore& store, std::size_t index, std::string_view action);
    Routed picture(const AnnouncementStore& store, std::size_t index) const;
    // The reply for a store's refusal.
    Routed refused(const std::string& reason) const;

    std::filesystem::path m_folder;
    AddPicture m_addPicture;
    Convert m_toLocal, m_fromLocal;
    std::mutex m_mutex; // one change at a time; a picture's decoding included
};

} // namespace tavrola::panel

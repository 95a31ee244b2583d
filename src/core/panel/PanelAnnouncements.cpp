// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/panel/PanelAnnouncements.h"

#include "core/files/AtomicFile.h"
#include "core/files/IniLines.h"
#include "core/panel/PanelReplies.h"

#include <charconv>

namespace tavrola::panel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kRoot = "/api/announcements";

std::string dayText(const std::optional<Date>& d) {
    return d ? pad(d->year, 4) + "-" + pad(d->month, 2) + "-" + pad(d->day, 2) : std::string();
}

bool isPictureEntry(const StoredAnnouncement& e) {
    return ini::equalsIgnoreCase(ini::trimSpaces(e.value("JENIS")), "GAMBAR");
}

// An entry's fields as a person would edit them: as the clock reads it, or (for an entry the clock
// skips) as the file holds it.
AnnouncementFields fieldsOf(const StoredAnnouncement& e) {
    AnnouncementFields f;
    if (e.shown) {
        f.kind = e.shown->kind;
        f.file = e.shown->file;
        f.title = e.shown->title;
        f.text = e.shown->text;
        f.from = dayText(e.shown->from);
        f.until = dayText(e.shown->until);
        f.seconds = e.shown->seconds;
        return f;
    }
    f.kind = isPictureEntry(e) ? Announcement::Kind::Picture : Announcement::Kind::Text;
    f.file = std::string(ini::trimSpaces(e.value("FAIL")));
    f.title = e.value("TAJUK");
    f.text = e.value("TEKS");
    f.from = std::string(ini::trimSpaces(e.value("MULA")));
    f.until = std::string(ini::trimSpaces(e.value("TAMAT")));
    int seconds = 0;
    const std::string s(ini::trimSpaces(e.value("SAAT")));
    if (std::from_chars(s.data(), s.data() + s.size(), seconds).ec == std::errc())
        f.seconds = seconds;
    return f;
}

// SAAT from the page: a whole number, or its digits as text.
std::optional<int> secondsFrom(const Json& v) {
    if (v.is_number_integer()) {
        const auto n = v.get<std::int64_t>();
        return n >= 0 && n <= 100000 ? std::optional<int>(static_cast<int>(n)) : std::optional<int>(100001);
    }
    if (!v.is_string())
        return std::nullopt;
    const std::string s = v.get<std::string>();
    int n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (s.empty() || s.size() > 6 || ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return n;
}

// The fields a body names, on top of `f`; the reason for the first that cannot be read.
std::string readFields(const Json& body, AnnouncementFields& f, bool withText,
                       const AnnouncementRoutes::Convert& toLocal) {
    for (const auto& [key, value] : body.items()) {
        if (key == "saat") {
            const std::optional<int> n = secondsFrom(value);
            if (!n)
                return "saat mesti nombor bulat";
            f.seconds = *n;
            continue;
        }
        const bool known = key == "mula" || key == "tamat" || (withText && (key == "tajuk" || key == "teks"));
        if (!known)
            return "Medan " + key.substr(0, 40) + " tidak dikenali";
        if (!value.is_string())
            return key + " mesti teks";
        const std::string text = value.get<std::string>();
        if (key == "mula")
            f.from = text;
        else if (key == "tamat")
            f.until = text;
        else if (key == "tajuk")
            f.title = toLocal(text);
        else
            f.text = toLocal(text);
    }
    return {};
}

// "N", "N/naik", ... after the list's path: the entry's index and what follows it.
std::optional<std::pair<std::size_t, std::string_view>> entryPath(std::string_view rest) {
    if (!rest.starts_with('/'))
        return std::nullopt;
    rest.remove_prefix(1);
    const std::size_t slash = rest.find('/');
    const std::string_view number = rest.substr(0, slash);
    std::size_t n = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
    if (number.empty() || number.size() > 6 || ec != std::errc() || end != number.data() + number.size() || n < 1)
        return std::nullopt;
    return std::pair{n - 1, slash == std::string_view::npos ? std::string_view() : rest.substr(slash)};
}

std::string unquoted(std::string_view tag) {
    tag = ini::trimSpaces(tag);
    if (tag.size() >= 2 && tag.front() == '"' && tag.back() == '"')
        tag = tag.substr(1, tag.size() - 2);
    return std::string(tag);
}

bool methodAllowed(std::string_view allowed, std::string_view method) {
    while (!allowed.empty()) {
        const std::size_t comma = allowed.find(", ");
        if (allowed.substr(0, comma) == method)
            return true;
        allowed.remove_prefix(comma == std::string_view::npos ? allowed.size() : comma + 2);
    }
    return false;
}

Response wrongMethod(std::string_view allowed) {
    Response out = errorReply(405, "Kaedah tidak dibenarkan");
    out.headers.emplace_back("Allow", std::string(allowed));
    return out;
}

std::string_view pictureType(std::string_view bytes) {
    if (bytes.starts_with("\x89PNG\r\n\x1a\n"))
        return "image/png";
    if (bytes.starts_with("\xff\xd8\xff"))
        return "image/jpeg";
    return {};
}

} // namespace

AnnouncementRoutes::AnnouncementRoutes(fs::path folder, AddPicture addPicture, Convert toLocal, Convert fromLocal)
    : m_folder(std::move(folder)), m_addPicture(std::move(addPicture)), m_toLocal(std::move(toLocal)),
      m_fromLocal(std::move(fromLocal)) {}

bool AnnouncementRoutes::handles(std::string_view path) {
    return path == kRoot || (path.starts_with(kRoot) && path[kRoot.size()] == '/');
}

Routed AnnouncementRoutes::handle(const Request& r) {
    const std::lock_guard lock(m_mutex);
    AnnouncementStore store(m_folder);
    const std::string_view rest = std::string_view(r.path).substr(kRoot.size());
    if (rest.empty()) {
        if (r.method != "GET" && r.method != "POST")
            return {wrongMethod("GET, POST"), {}};
        if (std::string why = store.load(); !why.empty())
            return refused(why);
        return r.method == "GET" ? list(store) : addText(r, store);
    }
    if (rest == "/gambar") {
        if (r.method != "POST")
            return {wrongMethod("POST"), {}};
        if (std::string why = store.load(); !why.empty())
            return refused(why);
        return addPicture(r, store);
    }
    const auto entry = entryPath(rest);
    std::string_view allowed;
    if (entry && entry->second.empty())
        allowed = "PUT, DELETE";
    else if (entry && (entry->second == "/naik" || entry->second == "/turun"))
        allowed = "POST";
    else if (entry && entry->second == "/gambar")
        allowed = "GET";
    else
        return {errorReply(404, "Tiada di sini"), {}};
    if (!methodAllowed(allowed, r.method))
        return {wrongMethod(allowed), {}};
    if (std::string why = store.load(); !why.empty())
        return refused(why);
    if (entry->first >= store.entries().size())
        return {errorReply(404, "Tiada pengumuman nombor " + std::to_string(entry->first + 1)), {}};
    if (r.method == "GET")
        return picture(store, entry->first);
    return change(r, store, entry->first, entry->second);
}

Json AnnouncementRoutes::listJson(const AnnouncementStore& store) const {
    Json items = Json::array();
    std::size_t n = 0;
    for (const StoredAnnouncement& e : store.entries()) {
        const AnnouncementFields f = fieldsOf(e);
        const bool picture = f.kind == Announcement::Kind::Picture;
        items.push_back(Json{{"no", ++n},
                             {"jenis", picture ? "GAMBAR" : "TEKS"},
                             {"fail", picture ? f.file : std::string()},
                             {"tajuk", m_fromLocal(f.title)},
                             {"teks", m_fromLocal(f.text)},
                             {"mula", f.from},
                             {"tamat", f.until},
                             {"saat", f.seconds},
                             {"masalah", m_fromLocal(e.shown ? std::string() : e.problem)}});
    }
    return Json{{"versi", store.version()}, {"senarai", std::move(items)}};
}

Routed AnnouncementRoutes::list(const AnnouncementStore& store, int status) const {
    Response out = jsonReply(status, listJson(store));
    out.headers.emplace_back("ETag", "\"" + store.version() + "\"");
    return {std::move(out), {}};
}

Routed AnnouncementRoutes::refused(const std::string& reason) const {
    // The store's own failures to read or write begin so; everything else is the request's fault.
    const int status = reason.starts_with("Ralat:") ? 500 : 422;
    return {errorReply(status, m_fromLocal(reason)), {}};
}

Routed AnnouncementRoutes::addText(const Request& r, AnnouncementStore& store) {
    const std::optional<Json> body = parseJsonBody(r.body);
    if (!body || !body->is_object())
        return {errorReply(400, "Hantar {\"tajuk\":\"...\",\"teks\":\"...\"}"), {}};
    AnnouncementFields f;
    f.kind = Announcement::Kind::Text;
    if (std::string why = readFields(*body, f, true, m_toLocal); !why.empty())
        return {errorReply(422, why), {}};
    if (ini::trimSpaces(f.title).empty() && ini::trimSpaces(f.text).empty())
        return {errorReply(422, "Tulis tajuk atau teks"), {}};
    if (std::string why = store.add(f); !why.empty())
        return refused(why);
    Routed out = list(store, 201);
    out.changes.push_back("pengumuman [" + std::to_string(store.entries().size()) + "] ditambah: TEKS");
    return out;
}

Routed AnnouncementRoutes::addPicture(const Request& r, AnnouncementStore& store) {
    if (r.body.empty())
        return {errorReply(400, "Hantar gambar PNG atau JPEG"), {}};
    AnnouncementFields f;
    f.kind = Announcement::Kind::Picture;
    Json fields = Json::object();
    for (const auto& [key, value] : r.query)
        fields[key] = value;
    if (std::string why = readFields(fields, f, false, m_toLocal); !why.empty())
        return {errorReply(422, why), {}};
    if (!m_addPicture)
        return {errorReply(500, "Gambar tidak dapat diterima di sini"), {}};
    if (std::string why = m_addPicture(store, r.body, f); !why.empty())
        return refused(why);
    Routed out = list(store, 201);
    out.changes.push_back("pengumuman [" + std::to_string(store.entries().size()) + "] ditambah: GAMBAR " +
                          store.entries().back().value("FAIL"));
    return out;
}

Routed AnnouncementRoutes::change(const Request& r, AnnouncementStore& store, std::size_t index,
                                  std::string_view action) {
    if (r.ifMatch.empty())
        return {errorReply(428, "Hantar If-Match dengan versi senarai"), {}};
    if (unquoted(r.ifMatch) != store.version()) {
        Json current = listJson(store);
        current["error"] =
            "Senarai pengumuman telah diubah di tempat lain. Senarai dimuat semula; sila cuba lagi.";
        return {jsonReply(412, current), {}};
    }
    const std::string place = "pengumuman [" + std::to_string(index + 1) + "]";
    if (action == "/naik" || action == "/turun") {
        const int step = action == "/naik" ? -1 : 1;
        if (std::string why = store.move(index, step); !why.empty())
            return refused(why);
        Routed out = list(store);
        out.changes.push_back(place + " dialih ke [" + std::to_string(index + 1 + step) + "]");
        return out;
    }
    if (r.method == "DELETE") {
        const std::string what = isPictureEntry(store.entries()[index])
                                     ? "GAMBAR " + store.entries()[index].value("FAIL")
                                     : std::string("TEKS");
        if (std::string why = store.remove(index); !why.empty())
            return refused(why);
        Routed out = list(store);
        out.changes.push_back(place + " dipadam: " + what);
        return out;
    }
    const std::optional<Json> body = parseJsonBody(r.body);
    if (!body || !body->is_object())
        return {errorReply(400, "Hantar {\"mula\":\"...\",\"tamat\":\"...\",\"saat\":10}"), {}};
    AnnouncementFields f = fieldsOf(store.entries()[index]);
    if (std::string why = readFields(*body, f, f.kind == Announcement::Kind::Text, m_toLocal); !why.empty())
        return {errorReply(422, why), {}};
    if (std::string why = store.update(index, f); !why.empty())
        return refused(why);
    Routed out = list(store);
    out.changes.push_back(place + " diubah");
    return out;
}

Routed AnnouncementRoutes::picture(const AnnouncementStore& store, std::size_t index) const {
    const StoredAnnouncement& e = store.entries()[index];
    const std::string file(ini::trimSpaces(e.value("FAIL")));
    if (!isPictureEntry(e) || !isPictureFileName(file))
        return {errorReply(404, "Pengumuman ini tiada gambar"), {}};
    // Only a plain file of the folder's own: a link in the folder is not followed.
    std::error_code ec;
    std::string bytes;
    if (!fs::is_regular_file(fs::symlink_status(m_folder / file, ec)) ||
        !readWholeFile(m_folder / file, bytes, ec, announce::kMaxPictureBytes) || pictureType(bytes).empty())
        return {errorReply(404, "Gambar " + file + " tiada atau tidak boleh dibaca"), {}};
    Response out;
    out.contentType = std::string(pictureType(bytes));
    out.body = std::move(bytes);
    return {std::move(out), {}};
}

} // namespace tavrola::panel

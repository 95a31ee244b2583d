// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/announce/AnnouncementStore.h"

#include "core/files/AtomicFile.h"
#include "core/files/IniLines.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <unordered_map>

namespace tavrola {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxTitleBytes = 200;
constexpr std::size_t kMaxTextBytes = 2000;
// The keys the clock reads, in the order they are written.
constexpr std::string_view kKnownKeys[] = {"JENIS", "FAIL", "TAJUK", "TEKS", "MULA", "TAMAT", "SAAT"};

bool isKnownKey(std::string_view key) {
    return std::any_of(std::begin(kKnownKeys), std::end(kKnownKeys),
                       [&](std::string_view k) { return ini::equalsIgnoreCase(k, key); });
}

// A section's place in the showing order, read as the clock reads it.
std::optional<int> placeOf(std::string_view section) {
    if (section.empty() || section.front() == '+' || section.front() == ' ')
        return std::nullopt;
    const std::string_view t = ini::trimSpaces(section);
    if (t.empty() || t.size() > 9)
        return std::nullopt;
    int n = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (ec != std::errc() || end != t.data() + t.size() || n < 1)
        return std::nullopt;
    return n;
}

std::string versionOf(const std::string& bytes, bool exists) {
    if (!exists)
        return "tiada";
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return std::to_string(bytes.size()) + "-" + std::to_string(h);
}

// A value as one INI line holds it: line breaks become "\n", tabs spaces; other control bytes
// cannot be stored.
std::optional<std::string> storedForm(std::string_view text) {
    // Blank lines before or after the text show as nothing.
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\\n";
        } else if (c == '\t') {
            out += ' ';
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            return std::nullopt;
        } else {
            out += c;
        }
    }
    return out;
}

void setKey(std::vector<std::pair<std::string, std::string>>& keys, std::string_view key, std::string value) {
    const auto it = std::find_if(keys.begin(), keys.end(),
                                 [&](const auto& kv) { return ini::equalsIgnoreCase(kv.first, key); });
    if (value.empty()) {
        if (it != keys.end())
            keys.erase(it);
    } else if (it != keys.end()) {
        it->second = std::move(value);
    } else {
        keys.emplace_back(std::string(key), std::move(value));
    }
}

void appendSection(std::string& out, std::string_view name,
                   const std::vector<std::pair<std::string, std::string>>& keys, bool canonical) {
    out += "[";
    out += name;
    out += "]\r\n";
    const auto line = [&](const std::string& key, const std::string& value) {
        out += key;
        out += "=";
        out += value;
        out += "\r\n";
    };
    if (canonical) {
        for (std::string_view known : kKnownKeys)
            for (const auto& [key, value] : keys)
                if (ini::equalsIgnoreCase(key, known))
                    line(std::string(known), value);
        for (const auto& [key, value] : keys)
            if (!isKnownKey(key))
                line(key, value);
    } else {
        for (const auto& [key, value] : keys)
            line(key, value);
    }
}

// How the clock takes this entry: the announcement, or why it skips it.
void evaluate(StoredAnnouncement& entry) {
    std::string text;
    appendSection(text, "1", entry.keys, true);
    AnnouncementList list = parseAnnouncements(text);
    entry.shown.reset();
    entry.problem.clear();
    if (!list.items.empty()) {
        entry.shown = std::move(list.items.front());
        entry.shown->section = entry.section;
    } else {
        const std::string& why = list.skipped.empty() ? std::string("tidak dapat dibaca") : list.skipped.front();
        entry.problem = why.rfind("[1]: ", 0) == 0 ? why.substr(5) : why;
    }
}

} // namespace

std::string StoredAnnouncement::value(std::string_view key) const {
    for (const auto& [k, v] : keys)
        if (ini::equalsIgnoreCase(k, key))
            return v;
    return {};
}

AnnouncementStore::AnnouncementStore(fs::path folder) : m_folder(std::move(folder)) {}

fs::path AnnouncementStore::listFile() const {
    return m_folder / std::string(announce::kListFile);
}

std::string AnnouncementStore::readFile(std::string& bytes) const {
    bytes.clear();
    std::error_code ec;
    if (!fs::exists(listFile(), ec))
        return ec ? "Ralat: " + ec.message() : std::string();
    if (!readWholeFile(listFile(), bytes, ec))
        return "Ralat: senarai.ini tidak dapat dibaca (" + ec.message() + ")";
    return {};
}

std::string AnnouncementStore::load() {
    std::string bytes;
    if (std::string why = readFile(bytes); !why.empty())
        return why;
    std::error_code ec;
    m_version = versionOf(bytes, fs::exists(listFile(), ec));
    parse(bytes);
    return {};
}

void AnnouncementStore::parse(const std::string& bytes) {
    // Sections merge and the first of each key wins, as the clock's reader has it.
    std::vector<Section> sections;
    std::unordered_map<std::string, std::size_t> byName; // upper-cased
    ini::LineReader lines(bytes);
    std::string_view line;
    constexpr std::size_t kNone = SIZE_MAX; // outside any section
    std::size_t current = kNone;
    while (lines.next(line)) {
        std::string_view name;
        switch (ini::classify(line, name)) {
        case ini::LineKind::Blank:
            break;
        case ini::LineKind::BadHeader:
            current = kNone;
            break;
        case ini::LineKind::Header: {
            const auto [it, added] = byName.try_emplace(ini::toUpper(name), sections.size());
            if (added)
                sections.push_back({std::string(name), {}});
            current = it->second;
            break;
        }
        case ini::LineKind::Other:
            if (std::string_view k, v; current != kNone && ini::splitKeyLine(line, k, v) && !k.empty()) {
                auto& keys = sections[current].keys;
                if (std::none_of(keys.begin(), keys.end(),
                                 [&](const auto& kv) { return ini::equalsIgnoreCase(kv.first, k); }))
                    keys.emplace_back(std::string(k), std::string(v));
            }
            break;
        }
    }

    struct Numbered {
        int place;
        Section section;
    };
    std::vector<Numbered> numbered;
    m_other.clear();
    for (Section& s : sections) {
        if (const auto place = placeOf(s.name))
            numbered.push_back({*place, std::move(s)});
        else
            m_other.push_back(std::move(s));
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const Numbered& a, const Numbered& b) { return a.place < b.place; });
    m_entries.clear();
    std::size_t counted = 0;
    for (std::size_t i = 0; i < numbered.size(); ++i) {
        StoredAnnouncement e{numbered[i].section.name, std::move(numbered[i].section.keys), std::nullopt, {}};
        if (i > 0 && numbered[i - 1].place == numbered[i].place)
            e.problem = "nombor giliran berulang";
        else if (++counted > announce::kMaxAnnouncements)
            e.problem = "selepas " + std::to_string(announce::kMaxAnnouncements) + " pengumuman pertama";
        else
            evaluate(e);
        m_entries.push_back(std::move(e));
    }
}

std::string AnnouncementStore::reload() {
    const std::string before = m_version;
    if (std::string why = load(); !why.empty())
        return why;
    if (!before.empty() && before != m_version)
        return "Senarai pengumuman telah diubah di tempat lain. Senarai dimuat semula; sila cuba lagi.";
    return {};
}

std::string AnnouncementStore::check(const StoredAnnouncement& entry, const AnnouncementFields& f) const {
    if (f.seconds < announce::kMinSeconds || f.seconds > announce::kMaxSeconds)
        return "SAAT mesti 3 hingga 120";
    std::optional<Date> days[2];
    for (int i = 0; i < 2; ++i) {
        const std::string_view text = ini::trimSpaces(i == 0 ? f.from : f.until);
        if (text.empty())
            continue;
        days[i] = parseDay(text);
        if (!days[i])
            return std::string(i == 0 ? "MULA" : "TAMAT") + " mesti tarikh yyyy-mm-dd";
    }
    if (days[0] && days[1] && *days[1] < *days[0])
        return "TAMAT sebelum MULA";
    if (f.kind == Announcement::Kind::Picture) {
        if (!isPictureFileName(f.file))
            return "FAIL mesti nama fail PNG atau JPEG dalam folder pengumuman";
        std::error_code ec;
        if (!fs::is_regular_file(m_folder / f.file, ec))
            return "Fail gambar " + f.file + " tiada dalam folder pengumuman";
    } else {
        if (f.title.size() > kMaxTitleBytes)
            return "TAJUK paling panjang " + std::to_string(kMaxTitleBytes) + " aksara";
        if (f.text.size() > kMaxTextBytes)
            return "TEKS paling panjang " + std::to_string(kMaxTextBytes) + " aksara";
    }
    // Last, the clock's own reading of the finished entry.
    StoredAnnouncement probe = entry;
    evaluate(probe);
    return probe.shown ? std::string() : probe.problem;
}

bool AnnouncementStore::named(const std::string& file, const std::vector<StoredAnnouncement>& entries) const {
    const auto same = [&](const std::string& v) { return ini::equalsIgnoreCase(ini::trimSpaces(v), file); };
    for (const StoredAnnouncement& e : entries)
        if (same(e.value("FAIL")))
            return true;
    for (const Section& s : m_other)
        for (const auto& [k, v] : s.keys)
            if (ini::equalsIgnoreCase(k, "FAIL") && same(v))
                return true;
    return false;
}

std::string AnnouncementStore::write(std::vector<StoredAnnouncement> entries) {
    std::string bytes;
    for (std::size_t i = 0; i < entries.size(); ++i)
        appendSection(bytes, std::to_string(i + 1), entries[i].keys, true);
    for (const Section& s : m_other)
        appendSection(bytes, s.name, s.keys, false);
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    if (ec || !replaceFileAtomically(listFile(), temporaryPathFor(listFile()), bytes, ec))
        return "Ralat: senarai.ini tidak dapat ditulis (" + ec.message() + ")";
    m_version = versionOf(bytes, true);
    parse(bytes);
    return {};
}

namespace {

// The fields in the form the file holds them, on top of what the entry already has.
std::string applyFields(StoredAnnouncement& e, const AnnouncementFields& f) {
    const bool picture = f.kind == Announcement::Kind::Picture;
    setKey(e.keys, "JENIS", picture ? "GAMBAR" : "TEKS");
    setKey(e.keys, "FAIL", picture ? std::string(ini::trimSpaces(f.file)) : std::string());
    const auto title = storedForm(picture ? std::string_view() : f.title);
    const auto text = storedForm(picture ? std::string_view() : f.text);
    if (!title || !text)
        return std::string(!title ? "TAJUK" : "TEKS") + " mengandungi aksara kawalan";
    setKey(e.keys, "TAJUK", *title);
    setKey(e.keys, "TEKS", *text);
    setKey(e.keys, "MULA", std::string(ini::trimSpaces(f.from)));
    setKey(e.keys, "TAMAT", std::string(ini::trimSpaces(f.until)));
    setKey(e.keys, "SAAT", std::to_string(f.seconds));
    return {};
}

} // namespace

std::string AnnouncementStore::add(const AnnouncementFields& fields) {
    if (std::string why = reload(); !why.empty())
        return why;
    if (m_entries.size() >= announce::kMaxAnnouncements)
        return "Senarai penuh: paling banyak " + std::to_string(announce::kMaxAnnouncements) + " pengumuman";
    StoredAnnouncement e;
    if (std::string why = applyFields(e, fields); !why.empty())
        return why;
    if (std::string why = check(e, fields); !why.empty())
        return why;
    std::vector<StoredAnnouncement> next = m_entries;
    next.push_back(std::move(e));
    return write(std::move(next));
}

std::string AnnouncementStore::update(std::size_t index, const AnnouncementFields& fields) {
    if (std::string why = reload(); !why.empty())
        return why;
    if (index >= m_entries.size())
        return "Tiada pengumuman nombor " + std::to_string(index + 1);
    StoredAnnouncement e = m_entries[index];
    const bool wasPicture = ini::equalsIgnoreCase(ini::trimSpaces(e.value("JENIS")), "GAMBAR");
    if (wasPicture != (fields.kind == Announcement::Kind::Picture))
        return "Jenis pengumuman tidak boleh ditukar";
    const std::string oldFile(ini::trimSpaces(e.value("FAIL")));
    if (std::string why = applyFields(e, fields); !why.empty())
        return why;
    if (std::string why = check(e, fields); !why.empty())
        return why;
    std::vector<StoredAnnouncement> next = m_entries;
    next[index] = std::move(e);
    if (std::string why = write(std::move(next)); !why.empty())
        return why;
    removeUnusedPicture(oldFile);
    return {};
}

std::string AnnouncementStore::remove(std::size_t index) {
    if (std::string why = reload(); !why.empty())
        return why;
    if (index >= m_entries.size())
        return "Tiada pengumuman nombor " + std::to_string(index + 1);
    const std::string file(ini::trimSpaces(m_entries[index].value("FAIL")));
    std::vector<StoredAnnouncement> next = m_entries;
    next.erase(next.begin() + static_cast<std::ptrdiff_t>(index));
    // The list first: a crash in between leaves a picture nobody names, never a name without a picture.
    if (std::string why = write(std::move(next)); !why.empty())
        return why;
    removeUnusedPicture(file);
    return {};
}

std::string AnnouncementStore::move(std::size_t index, int step) {
    if (step != -1 && step != 1)
        return "Pengumuman hanya boleh dialih satu tempat";
    if (std::string why = reload(); !why.empty())
        return why;
    if (index >= m_entries.size())
        return "Tiada pengumuman nombor " + std::to_string(index + 1);
    if ((step < 0 && index == 0) || (step > 0 && index + 1 == m_entries.size()))
        return "Pengumuman ini sudah di hujung senarai";
    std::vector<StoredAnnouncement> next = m_entries;
    std::swap(next[index], next[step < 0 ? index - 1 : index + 1]);
    return write(std::move(next));
}

std::string AnnouncementStore::newPictureName(const DateTime& now, std::string_view extension) const {
    const std::string ext =
        ini::equalsIgnoreCase(extension, "jpg") || ini::equalsIgnoreCase(extension, "jpeg") ? "jpg" : "png";
    const std::string stem = "gambar-" + pad(now.date.year, 4) + pad(now.date.month, 2) + pad(now.date.day, 2) +
                             "-" + pad(now.hour, 2) + pad(now.minute, 2) + pad(now.second, 2) + "-";
    for (int n = 1;; ++n) {
        std::string name = stem + std::to_string(n) + "." + ext;
        std::error_code ec;
        if (!fs::exists(m_folder / name, ec) && !fs::exists(temporaryPathFor(m_folder / name), ec) &&
            !named(name, m_entries))
            return name;
    }
}

void AnnouncementStore::removeUnusedPicture(const std::string& name) const {
    if (!isPictureFileName(name) || named(name, m_entries))
        return;
    std::error_code ec;
    fs::remove(m_folder / name, ec);
}

} // namespace tavrola

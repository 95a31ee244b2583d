// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/IniCache.h"

#include "core/files/AtomicFile.h"
#include "core/files/IniLines.h"

#include <chrono>
#include <mutex>

namespace tavrola {

namespace fs = std::filesystem;

IniDocument::IniDocument(std::string_view text) {
    ini::LineReader lines(text);
    std::string_view line;
    std::unordered_map<std::string, std::string>* section = nullptr;
    while (lines.next(line)) {
        std::string_view name;
        switch (ini::classify(line, name)) {
        case ini::LineKind::Blank:
            break;
        case ini::LineKind::BadHeader:
            m_unreadable = true;
            return; // nothing below it can be read
        case ini::LineKind::Header: {
            std::string upper = ini::toUpper(name);
            const auto [it, added] = m_sections.try_emplace(upper);
            if (added)
                m_order.push_back(std::move(upper));
            section = &it->second;
            break;
        }
        case ini::LineKind::Other:
            if (std::string_view k, v; section && ini::splitKeyLine(line, k, v))
                section->try_emplace(ini::toUpper(k), v);
            break;
        }
    }
}

IniDocument::Find IniDocument::find(std::string_view section, std::string_view key, std::string& value) const {
    const auto s = m_sections.find(ini::toUpper(section));
    if (s != m_sections.end()) {
        const auto k = s->second.find(ini::toUpper(key));
        if (k != s->second.end()) {
            value = k->second;
            return Find::Found;
        }
    }
    return m_unreadable ? Find::Unreadable : Find::NotFound;
}

namespace {

struct Entry {
    fs::file_time_type modified;
    std::uintmax_t size = 0;
    bool settled = false; // modified long enough before it was read for the time to be trusted
    std::shared_ptr<const IniDocument> document;
};

// The program reads a handful of files; tests make many.
constexpr std::size_t kMaxEntries = 16;

std::mutex& cacheMutex() {
    static std::mutex m;
    return m;
}

std::unordered_map<fs::path::string_type, Entry>& entries() {
    static std::unordered_map<fs::path::string_type, Entry> e;
    return e;
}

struct Stamp {
    fs::file_time_type modified;
    std::uintmax_t size = 0;
    friend bool operator==(const Stamp&, const Stamp&) = default;
};

bool stampOf(const fs::path& file, Stamp& out) {
    std::error_code ec;
    out.modified = fs::last_write_time(file, ec);
    if (!ec)
        out.size = fs::file_size(file, ec);
    return !ec;
}

std::unordered_map<fs::path::string_type, Stamp>& ownWrites() {
    static std::unordered_map<fs::path::string_type, Stamp> w;
    return w;
}

} // namespace

std::shared_ptr<const IniDocument> IniCache::load(const fs::path& file, std::error_code& ec) {
    ec.clear();
    const fs::file_time_type modified = fs::last_write_time(file, ec);
    if (ec)
        return nullptr;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec)
        return nullptr;

    const std::lock_guard lock(cacheMutex());
    auto& cache = entries();
    const auto it = cache.find(file.native());
    if (it != cache.end() && it->second.settled && it->second.modified == modified && it->second.size == size)
        return it->second.document;

    std::string text;
    if (!readWholeFile(file, text, ec)) {
        if (it != cache.end())
            cache.erase(it);
        return nullptr;
    }
    if (cache.size() >= kMaxEntries && it == cache.end())
        cache.clear();
    Entry& e = cache[file.native()];
    e.modified = modified;
    e.size = size;
    e.settled = !changedLately(modified);
    e.document = std::make_shared<const IniDocument>(text);
    return e.document;
}

bool IniCache::changedLately(fs::file_time_type modified) {
    const auto now = fs::file_time_type::clock::now();
    return modified > now - kQuietTime && modified < now + kQuietTime;
}

void IniCache::noteOwnWrite(const fs::path& file) {
    Stamp stamp;
    if (!stampOf(file, stamp))
        return;
    const std::lock_guard lock(cacheMutex());
    auto& writes = ownWrites();
    if (writes.size() >= kMaxEntries)
        writes.clear();
    writes[file.native()] = stamp;
}

bool IniCache::mayWriteBack(const fs::path& file) {
    Stamp stamp;
    if (!stampOf(file, stamp))
        return true;
    if (!changedLately(stamp.modified))
        return true;
    const std::lock_guard lock(cacheMutex());
    const auto it = ownWrites().find(file.native());
    return it != ownWrites().end() && it->second == stamp;
}

void IniCache::forget() {
    const std::lock_guard lock(cacheMutex());
    entries().clear();
}

} // namespace tavrola

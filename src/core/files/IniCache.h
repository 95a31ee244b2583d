// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <vector>

namespace tavrola {

// One INI file parsed into memory: for each section and key (matched without regard to case) the
// value of the first key line, as a reader scanning from the top would find it.
class IniDocument {
public:
    explicit IniDocument(std::string_view text);

    enum class Find { Found, NotFound, Unreadable };
    // Unreadable when a header line the file cannot be read past ("[" alone) stands above the key.
    Find find(std::string_view section, std::string_view key, std::string& value) const;
    // The sections' names, upper-cased, in the order they first stand in the file.
    const std::vector<std::string>& sectionNames() const { return m_order; }

private:
    std::vector<std::string> m_order;
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> m_sections; // upper-cased
    bool m_unreadable = false; // a "[" alone ended the reading
};

// The parsed files the program reads, kept while their size and modification time stay the same.
// The clock reads setting.ini and the database every second; this turns each of those reads into a
// look at the file's attributes, while a change by hand still shows at the next read. A file whose
// modification time is within a few seconds of its reading may change again within the file
// system's time resolution, so it is read again until it has been quiet for that long.
class IniCache {
public:
    // Coarser than any file system's time stamps (FAT keeps two seconds).
    static constexpr std::chrono::seconds kQuietTime{3};
    // Whether a file's modification time lies within the quiet time of the present (either side: a
    // clock set back makes a file look modified in the future). Such a file may still be changing,
    // in the middle of an edit by hand.
    static bool changedLately(std::filesystem::file_time_type modified);

    // The parsed file; nullptr with ec set when it is missing or cannot be read.
    static std::shared_ptr<const IniDocument> load(const std::filesystem::path& file, std::error_code& ec);
    // Our own writes call this, so they show at once whatever the time resolution. It forgets every
    // file: writes are rare, and one file may be named by more than one path.
    static void forget();

    // Our own writes call this too: a file as we left it is not in the middle of anyone's edit.
    static void noteOwnWrite(const std::filesystem::path& file);
    // Whether a file may take a default written back now: missing, quiet for a while, or exactly as
    // our own last write left it.
    static bool mayWriteBack(const std::filesystem::path& file);
};

// A value worked out from one file's settings, and worked out again only when IniCache parses that
// file anew (a change on disk, our own write, or a file still inside its quiet time). Whatever the
// clock derives from setting.ini every second goes through this, so no reader repeats the file checks.
template <class T>
class IniDerived {
public:
    // `make` reads the file (through GetFromINI and friends, which see the same parsed document).
    const T& get(const std::filesystem::path& file, const std::function<T()>& make) {
        std::error_code ec;
        std::shared_ptr<const IniDocument> document = IniCache::load(file, ec);
        if (!m_value || document != m_document || !document) {
            m_value = make();
            m_document = std::move(document);
        }
        return *m_value;
    }

private:
    std::shared_ptr<const IniDocument> m_document; // the parse m_value was made from
    std::optional<T> m_value;
};

} // namespace tavrola

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/announce/Announcements.h"
#include "core/calendar/DateTime.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrola {

// One section of senarai.ini as it stands in the file.
struct StoredAnnouncement {
    std::string section; // its name in the file
    // Its key lines in file order, the first of each key only (as the clock reads them). Keys the
    // program does not know are written back as they were.
    std::vector<std::pair<std::string, std::string>> keys;
    // As the clock shows it, or nothing when the clock skips it (and `problem` says why).
    std::optional<Announcement> shown;
    std::string problem;

    std::string value(std::string_view key) const; // empty when absent
};

// What a person sets for an announcement. Text keeps its real line breaks; dates are "yyyy-mm-dd"
// or empty.
struct AnnouncementFields {
    Announcement::Kind kind = Announcement::Kind::Text;
    std::string file; // a picture: its name in the folder, as newPictureName made it
    std::string title;
    std::string text;
    std::string from;
    std::string until;
    int seconds = announce::kDefaultSeconds;
};

// The announcements' list in pengumuman/senarai.ini, as the windows and the phone page change it.
// Every change reads the file again, is checked as the clock will read it, and is written whole in
// one replace, renumbered [1], [2], ... in showing order. A change that the clock would skip is
// refused with its reason, so the list never holds an entry of ours the wall does not show.
// Each call returns an empty string on success, or the reason in the words the user is shown.
class AnnouncementStore {
public:
    explicit AnnouncementStore(std::filesystem::path folder); // the pengumuman folder

    // Reads the list; a missing file or folder is an empty list.
    std::string load();
    const std::vector<StoredAnnouncement>& entries() const { return m_entries; }
    // A token of the file's content at the last load or write. A change is refused when the file no
    // longer matches it (another editor changed the list in between), and the list is read again.
    const std::string& version() const { return m_version; }

    std::string add(const AnnouncementFields& fields);
    // Kind stays as it is; a picture no other entry names any more is removed.
    std::string update(std::size_t index, const AnnouncementFields& fields);
    // Its picture goes too, unless another entry names it.
    std::string remove(std::size_t index);
    // One place earlier (-1) or later (+1).
    std::string move(std::size_t index, int step);

    // A name for a new picture, never one in use: gambar-yyyymmdd-hhmmss-n.<extension>.
    std::string newPictureName(const DateTime& now, std::string_view extension) const;
    const std::filesystem::path& folder() const { return m_folder; }
    std::filesystem::path listFile() const;
    // Removes a picture in the folder that no entry names (an import whose entry was refused).
    void removeUnusedPicture(const std::string& name) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
    };

    std::string readFile(std::string& bytes) const;
    void parse(const std::string& bytes);
    // Reads the list again before a change; the reason when it changed behind the caller's back.
    std::string reload();
    std::string check(const StoredAnnouncement& entry, const AnnouncementFields& fields) const;
    std::string write(std::vector<StoredAnnouncement> entries);
    bool named(const std::string& file, const std::vector<StoredAnnouncement>& entries) const;

    std::filesystem::path m_folder;
    std::vector<StoredAnnouncement> m_entries;
    std::vector<Section> m_other; // sections not numbered: kept as they are, after the list
    std::string m_version;
};

} // namespace tavrola

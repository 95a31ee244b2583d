// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/calendar/DateTime.h"
#include "core/calendar/Prayer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrola {

struct CongregationState;
class IniDocument;

// What the committee puts on the wall besides the times: announcements (a picture or a text) in
// the data folder's pengumuman/senarai.ini, and the funeral notice in setting.ini's [JENAZAH].
namespace announce {
inline constexpr std::string_view kFolder = "pengumuman";
inline constexpr std::string_view kListFile = "senarai.ini";
inline constexpr std::string_view kFuneralSection = "JENAZAH";
inline constexpr std::string_view kRoundSection = "PENGUMUMAN";
inline constexpr std::string_view kRoundKey = "PENUH";
inline constexpr int kMinSeconds = 3;
inline constexpr int kMaxSeconds = 120;
inline constexpr int kDefaultSeconds = 10;
// More than any hall shows in a day; a list beyond it is cut there.
inline constexpr std::size_t kMaxAnnouncements = 100;
// Pictures the clock will decode.
inline constexpr int kMaxPictureSide = 8000;
inline constexpr std::uintmax_t kMaxPictureBytes = 20u * 1024 * 1024;
// No full-screen round starts this close before a time on the strip.
inline constexpr int kQuietMinutesBeforePrayer = 10;
} // namespace announce

struct Announcement {
    enum class Kind { Picture, Text };
    Kind kind = Kind::Text;
    std::string file;  // GAMBAR: a file name inside pengumuman/
    std::string title; // TEKS: TAJUK
    std::string text;  // TEKS: TEKS, its "\n" turned into line breaks
    std::optional<Date> from;  // MULA: shown from the start of this day
    std::optional<Date> until; // TAMAT: to the end of this day
    int seconds = announce::kDefaultSeconds;
    std::string section; // its section's name, for the log

    friend bool operator==(const Announcement&, const Announcement&) = default;
};

struct AnnouncementList {
    std::vector<Announcement> items; // in showing order
    std::vector<std::string> skipped; // one line for each entry that could not be used, and why

    friend bool operator==(const AnnouncementList&, const AnnouncementList&) = default;
};

// senarai.ini's text: one section per announcement, named by its place in the order ("[1]", "[2]",
// ...; sections with other names are skipped). An entry that cannot be used is skipped alone.
AnnouncementList parseAnnouncements(std::string_view text);
AnnouncementList readAnnouncements(const IniDocument& list);

// Whether it is shown on this day.
bool inForce(const Announcement& a, const Date& today);

// A picture's name as the list may hold it: a plain name (no folder, no "..") ending in .png, .jpg
// or .jpeg, of letters, digits, "-", "_" and ".".
bool isPictureFileName(std::string_view name);

// "yyyy-mm-dd", a real date.
std::optional<Date> parseDay(std::string_view text);
// "yyyy-mm-dd HH:MM", a real moment.
std::optional<DateTime> parseMoment(std::string_view text);

// The funeral notice as it stands at `now`: shown while its name is set and TAMAT lies ahead.
struct FuneralNotice {
    std::string name;
    std::string prayer; // SOLAT: "selepas solat Zohor"
    DateTime until;

    friend bool operator==(const FuneralNotice&, const FuneralNotice&) = default;
};
std::optional<FuneralNotice> funeralNotice(std::string_view name, std::string_view prayer, std::string_view until,
                                           const DateTime& now);

// PENUH: minutes between full-screen rounds, 0 (off) for anything but a whole number 1 to 1440.
int roundEveryMinutes(std::string_view text);

// Whether a full-screen round may run now: not within ten minutes before any time on the strip, not
// while the congregation screens show, not while the azan plays.
bool roundAllowed(const DateTime& now, const DayTimes& today, const CongregationState& congregation,
                  bool azanPlaying);

// The card turns through its pages, each for its own seconds, round and round: the page showing
// `elapsed` seconds after the turning began, and the seconds it has left.
struct CardPage {
    std::size_t index = 0;
    int secondsLeft = 0;
};
CardPage cardPageAt(const std::vector<int>& seconds, std::int64_t elapsed);

} // namespace tavrola

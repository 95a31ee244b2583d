#include "core/prayerdata/MalayNames.h"

#include <array>

namespace tavrola::prayerdata {

std::string_view malayMonthName(int month) {
    static constexpr std::array<std::string_view, 12> kNames{"Januari",   "Februari", "Mac",      "April",
                                                             "Mei",       "Jun",      "Julai",    "Ogos",
                                                             "September", "Oktober",  "November", "Disember"};
    return month >= 1 && month <= 12 ? kNames[static_cast<std::size_t>(month - 1)] : std::string_view{};
}

std::string_view malayWeekdayName(int weekday) {
    static constexpr std::array<std::string_view, 7> kNames{"Ahad",   "Isnin",  "Selasa", "Rabu",
                                                            "Khamis", "Jumaat", "Sabtu"};
    return weekday >= 0 && weekday <= 6 ? kNames[static_cast<std::size_t>(weekday)] : std::string_view{};
}

} // namespace tavrola::prayerdata

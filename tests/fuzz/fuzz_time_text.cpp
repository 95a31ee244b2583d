// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the time picker's typed-text reading. The input is read as pasted text, then typed into
// the box byte by byte through the key filter. Whatever is accepted is a time of day that formats
// as "HH:MM" and reads back unchanged; the box only ever holds digits and colons.
#include "core/controls/TimePickerText.h"
#include "fuzz/FuzzCheck.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace tavrola;
using fuzz::require;

namespace {

void checkRead(std::string_view text) {
    const auto t = parseTypedTime(text);
    if (!t)
        return;
    require(t->hour >= 0 && t->hour <= 23 && t->minute >= 0 && t->minute <= 59);
    const std::string shown = formatHourMinute(*t);
    require(shown.size() == 5 && shown[2] == ':' && parseTypedTime(shown) == t);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkRead(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string box;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = static_cast<char>(data[i]);
        switch (filterTimeKey(static_cast<char32_t>(data[i]))) {
        case TimeKey::Pass:
            require((c >= '0' && c <= '9') || c == '\b');
            if (c != '\b')
                box.push_back(c);
            else if (!box.empty())
                box.pop_back();
            break;
        case TimeKey::EnterColon:
            box.push_back(':');
            break;
        case TimeKey::Discard:
            require(!(c >= '0' && c <= '9') && c != '\b');
            break;
        }
    }
    checkRead(box);
    return 0;
}

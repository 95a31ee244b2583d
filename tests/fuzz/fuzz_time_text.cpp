// Fuzzes the time picker's typed-text reading. The input is first read as pasted text, then typed
// into the box byte by byte through the key filter. Whatever is accepted is a time of day that
// formats as "HH:MM" and reads back unchanged; text with a separator always gives a time.
#include "core/widgets/TimePickerText.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace tavrola;

namespace {

void require(bool ok) {
    if (!ok)
        std::abort();
}

bool isSeparator(char c) {
    return c == ':' || c == '.' || c == ' ' || c == '-' || c == '/';
}

void checkRead(std::string_view text) {
    const auto t = parseTypedTime(text);
    const auto first = text.find_first_not_of(' ');
    const std::string_view inner = first == std::string_view::npos
                                       ? std::string_view{}
                                       : text.substr(first, text.find_last_not_of(' ') - first + 1);
    bool separated = false;
    for (char c : inner)
        separated |= isSeparator(c);
    require(t.has_value() == separated);
    if (!t)
        return;
    require(t->hour >= 0 && t->hour <= 23 && t->minute >= 0 && t->minute <= 59);
    const std::string shown = formatHourMinute(*t);
    require(shown.size() == 5 && shown[2] == ':');
    for (std::size_t i : {0u, 1u, 3u, 4u})
        require(shown[i] >= '0' && shown[i] <= '9');
    require(parseTypedTime(shown) == t);

    // Every separator reads as a colon.
    std::string colons(text);
    for (std::size_t i = first; i < first + inner.size(); ++i)
        if (isSeparator(colons[i]))
            colons[i] = ':';
    require(parseTypedTime(colons) == t);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkRead(text);

    // Typed key by key: the box only ever holds digits and colons.
    std::string box;
    for (std::size_t i = 0; i < size; ++i) {
        // Wide characters too: four bytes from here read as one code point.
        if (i + 4 <= size) {
            const char32_t wide = static_cast<char32_t>(data[i]) | static_cast<char32_t>(data[i + 1]) << 8 |
                                  static_cast<char32_t>(data[i + 2]) << 16 |
                                  static_cast<char32_t>(data[i + 3]) << 24;
            if (wide > 0x7F)
                require(filterTimeKey(wide) == TimeKey::Discard);
        }
        switch (filterTimeKey(static_cast<char32_t>(data[i]))) {
        case TimeKey::Pass:
            if (data[i] == '\b') {
                if (!box.empty())
                    box.pop_back();
            } else {
                require(data[i] >= '0' && data[i] <= '9');
                box.push_back(static_cast<char>(data[i]));
            }
            break;
        case TimeKey::EnterColon:
            require(isSeparator(static_cast<char>(data[i])) && data[i] != ' ');
            box.push_back(':');
            break;
        case TimeKey::Discard:
            require(!(data[i] >= '0' && data[i] <= '9') && data[i] != '\b');
            break;
        }
    }
    checkRead(box);
    return 0;
}

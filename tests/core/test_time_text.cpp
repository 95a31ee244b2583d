#include "core/widgets/TimePickerText.h"

#include <gtest/gtest.h>

using namespace tavrola;

namespace {
std::string typed(std::string_view text) {
    const auto t = parseTypedTime(text);
    return t ? formatHourMinute(*t) : std::string("(kept)");
}
} // namespace

TEST(TimeText, LooseFormsAreReadAndClamped) {
    EXPECT_EQ(typed("7:5"), "07:05");
    EXPECT_EQ(typed("7.5"), "07:05");
    EXPECT_EQ(typed("25:70"), "23:59");
    EXPECT_EQ(typed("12 30"), "12:30");
    EXPECT_EQ(typed("  12 30  "), "12:30");
    EXPECT_EQ(typed("-5/3"), "00:05"); // parts "", "5", "3": the third is ignored
    EXPECT_EQ(typed("6:"), "06:00");
    EXPECT_EQ(typed(":"), "00:00");
    EXPECT_EQ(typed("99999:1"), "23:01");
    EXPECT_EQ(typed("99999999999999999999999:99999999999999999"), "23:59"); // no overflow
    EXPECT_EQ(typed("9x:3y"), "09:03");
    EXPECT_EQ(typed("ab:cd"), "00:00");
}

TEST(TimeText, WithoutSeparatorTheValueIsKept) {
    EXPECT_EQ(typed("2200"), "(kept)");
    EXPECT_EQ(typed(""), "(kept)");
    EXPECT_EQ(typed("    "), "(kept)");
    EXPECT_EQ(typed("abc"), "(kept)");
}

TEST(TimeText, KeyFilter) {
    for (char32_t c : {U'-', U':', U'.', U'/'})
        EXPECT_EQ(filterTimeKey(c), TimeKey::EnterColon);
    for (char32_t c = U'0'; c <= U'9'; ++c)
        EXPECT_EQ(filterTimeKey(c), TimeKey::Pass);
    EXPECT_EQ(filterTimeKey(U'\b'), TimeKey::Pass);
    for (char32_t c : {U' ', U'a', U'+', U'\r', U'\x0663' /* Arabic-Indic three */})
        EXPECT_EQ(filterTimeKey(c), TimeKey::Discard);
}

#include "core/widgets/MessageWatch.h"

#include <gtest/gtest.h>

using namespace tavrola;
using When = MessageWatch::When;

namespace {
// Runs f and returns "source|description" of the error it raises, or "" when none.
template <typename F> std::string errorOf(F f) {
    try {
        f();
    } catch (const MessageWatchError& e) {
        return e.source() + "|" + e.what();
    }
    return {};
}
} // namespace

TEST(MessageWatch, WatchesOnlyTheListedNumbersOnTheirSideOrAll) {
    int window = 0;
    MessageWatch w("CandyButton1");
    w.sc_Subclass(&window);
    w.zAddMsg(&window, 15, When::Before);
    w.zAddMsg(&window, 512, When::After);
    w.zAddMsg(&window, 675, When::After);
    w.zAddMsg(&window, 675, When::After); // a repeat takes no second entry
    EXPECT_TRUE(w.watches(15, When::Before));
    EXPECT_FALSE(w.watches(15, When::After));
    EXPECT_TRUE(w.watches(675, When::After));
    w.zDelMsg(&window, 512, When::After);
    EXPECT_FALSE(w.watches(512, When::After));
    EXPECT_TRUE(w.watches(675, When::After));
    // All messages never overflows the table.
    w.zAddMsg(&window, MessageWatch::ALL_MESSAGES, When::Before);
    for (unsigned m = 0; m < 100; ++m)
        w.zAddMsg(&window, m, When::Before);
    EXPECT_TRUE(w.watches(12345, When::Before));
    w.zDelMsg(&window, MessageWatch::ALL_MESSAGES, When::Before);
    EXPECT_FALSE(w.watches(12345, When::Before));
    w.sc_UnSubclass(&window);
    EXPECT_FALSE(w.watches(15, When::Before));
}

TEST(MessageWatch, MisuseRaisesTheKnownTexts) {
    int window = 0, other = 0;
    MessageWatch w("CandyButton1");
    EXPECT_EQ(errorOf([&] { w.zAddMsg(&window, 15, When::Before); }),
              "Error in CandyButton1.zMap_hWnd: |Subclassing hasn't been started");
    EXPECT_EQ(errorOf([&] { w.sc_Subclass(nullptr); }),
              "Error in CandyButton1.sc_Subclass: |Invalid window handle");
    w.sc_Subclass(&window);
    EXPECT_EQ(errorOf([&] { w.sc_Subclass(&window); }),
              "Error in CandyButton1.sc_Subclass: |Window handle is already subclassed");
    EXPECT_EQ(errorOf([&] { w.zAddMsg(&other, 15, When::Before); }),
              "Error in CandyButton1.zMap_hWnd: |Window handle isn't subclassed");
    EXPECT_EQ(errorOf([&] { w.zDelMsg(&window, 675, When::After); }),
              "Error in CandyButton1.zDelMsg: |Message &H2A3 not found in table");
    for (unsigned m = 1; m <= MessageWatch::MSG_ENTRIES; ++m)
        w.zAddMsg(&window, m, When::After);
    const std::string overflow = errorOf([&] { w.zAddMsg(&window, 999, When::After); });
    EXPECT_EQ(overflow, std::string("Error in CandyButton1.zAddMsg: |") + watchtext::kOverflow);
    EXPECT_NE(overflow.find("MSG_ENTRIES"), std::string::npos);
    EXPECT_EQ(errorOf([&] { w.sc_UnSubclass(&other); }),
              "Error in CandyButton1.sc_UnSubclass: |Window handle isn't subclassed");
}

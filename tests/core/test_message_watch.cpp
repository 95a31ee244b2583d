// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/controls/MessageWatch.h"

#include <gtest/gtest.h>

using namespace tavrola;
using When = MessageWatch::When;

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

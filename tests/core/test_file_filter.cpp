// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/controls/FileFilter.h"

#include <gtest/gtest.h>

using namespace tavrola;
using namespace std::string_literals;

namespace {
const char* kLogoFilter = "Images Files(*.jpg;*.png;*.gif)|*.jpg;*.png;*.gif|All Files (*.*)|*.*|";
}

TEST(FileFilter, WindowsAndQtFormsOfTheSameList) {
    // The Windows form ends with one NUL of its own.
    EXPECT_EQ(toWindowsFilter("A|*.a|B|*.b|"), "A\0*.a\0B\0*.b\0"s);
    EXPECT_EQ(toWindowsFilter("A|*.a|B|*.b"), "A\0*.a\0B\0*.b\0"s);
    EXPECT_EQ(toWindowsFilter(""), "\0"s);

    // A trailing bar makes no difference to the list.
    const FilterPairs expected{{"Images Files(*.jpg;*.png;*.gif)", "*.jpg;*.png;*.gif"},
                               {"All Files (*.*)", "*.*"}};
    EXPECT_EQ(filterPairs(kLogoFilter), expected);
    std::string noBar = kLogoFilter;
    noBar.pop_back();
    EXPECT_EQ(filterPairs(noBar), expected);
    // A description without patterns and an empty list give nothing to offer.
    EXPECT_EQ(filterPairs("A|*.a|Lonely"), (FilterPairs{{"A", "*.a"}}));
    EXPECT_TRUE(filterPairs("").empty());
    // The Qt form has space-separated patterns in the last parentheses.
    EXPECT_EQ(toQtNameFilter(filterPairs(kLogoFilter)),
              "Images Files(*.jpg;*.png;*.gif) (*.jpg *.png *.gif);;All Files (*.*) (*)");
    EXPECT_EQ(toQtNameFilter({{"Text", " *.txt ; ;*.ini"}, {"Nothing", ";"}}), "Text (*.txt *.ini)");
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/desktop/MMonitors.h"

#include "fakes/FakeScreens.h"

#include <gtest/gtest.h>

using tavrola::MMonitors;
using tavrola::Rect;
using tavrola::fakes::FakeScreens;

namespace {

// Three monitors: 1920x1080 primary, 1280x1024 to its right, 1024x768 to the left and above.
FakeScreens threeMonitors() {
    FakeScreens s;
    s.add("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, true);
    s.add("\\\\.\\DISPLAY2", {1920, 0, 3200, 1024});
    s.add("\\\\.\\DISPLAY3", {-1024, -200, 0, 568});
    return s;
}

} // namespace

TEST(MMonitors, ListHasTheVirtualDesktopFirstAndUnknownIndexesGiveZeros) {
    FakeScreens screens = threeMonitors();
    MMonitors m(screens);
    ASSERT_EQ(m.Monitors().size(), 4u);
    EXPECT_EQ(m.MonitorCount(), 3);
    EXPECT_EQ(m.MonitorRect(0), (Rect{-1024, -200, 3200, 1080}));
    EXPECT_EQ(m.MonitorWorkRect(2), (Rect{1920, 0, 3200, 984}));
    EXPECT_EQ(m.monitor(3)->Device(), "\\\\.\\DISPLAY3");
    // Not in the list: zeros, no fault.
    EXPECT_EQ(m.MonitorRect(4), Rect{});
    EXPECT_EQ(m.MonitorWorkRect(-1), Rect{});
    EXPECT_FALSE(m.CoverRect(7).has_value());
}

TEST(MMonitors, PointsAndWindowsFindTheirMonitorOrTheNearestOne) {
    FakeScreens screens = threeMonitors();
    MMonitors m(screens);
    screens.cursor = {2000, 500};
    EXPECT_EQ(m.MonitorUnderCursor(), 2);
    EXPECT_EQ(m.MonitorFromPointIndex({-1, -200}), 3);
    EXPECT_EQ(m.MonitorFromPointIndex({1919, 1079}), 1);
    EXPECT_EQ(m.MonitorFromPointIndex({3000, 1060}), 2) << "below the short monitor: the one above";
    // The monitor holding most of the window wins; a zero-sized window still belongs somewhere.
    EXPECT_EQ(m.MonitorOfWindow({1800, 100, 2600, 600}), 2);
    EXPECT_EQ(m.MonitorOfWindow({1500, 100, 2000, 600}), 1);
    EXPECT_EQ(m.MonitorOfWindow({-5000, 0, -4000, 100}), 3);
    EXPECT_EQ(m.MonitorOfWindow({2500, 500, 2500, 500}), 2);
    // Moving keeps size and offset from the corner; an unknown index acts as a monitor at (0, 0).
    const Rect w{100, 50, 900, 650};
    EXPECT_EQ(m.MoveToMonitor(w, 2), (Rect{2020, 50, 2820, 650}));
    EXPECT_EQ(m.MoveToMonitor(w, 3), (Rect{-924, -150, -124, 450}));
    EXPECT_EQ(m.MoveToMonitor({2020, 50, 2820, 650}, 1), w);
    EXPECT_EQ(m.MoveToMonitor(w, 9), w);
}

TEST(MMonitors, NextMonitorCyclesAndReadsABadTagAsZero) {
    FakeScreens screens = threeMonitors();
    MMonitors m(screens);
    const std::pair<const char*, int> cases[] = {
        {"1", 2}, {"2", 3}, {"3", 1}, {"", 1}, {"x", 1}, {"-7", 1}, {"99999999999999999999", 1}};
    for (const auto& [tag, next] : cases)
        EXPECT_EQ(m.NextMonitor(tag), next) << tag;
    // A monitor unplugged while the Tag still names it: back to the first.
    screens.list.pop_back();
    EXPECT_EQ(m.NextMonitor("2"), 1);
    EXPECT_EQ(m.NextMonitor("3"), 1);
}

TEST(MMonitors, EnsureOnscreenPullsWindowsBackOntoTheDesktop) {
    FakeScreens screens;
    screens.add("A", {0, 0, 1920, 1080}, true);
    screens.add("B", {1920, 0, 3840, 1080});
    MMonitors m(screens);
    struct Case {
        Rect window;
        bool partlyOk;
        std::optional<Rect> moved;
    };
    const Case cases[] = {
        {{100, 100, 500, 500}, false, std::nullopt},
        {{0, 0, 3840, 1080}, false, std::nullopt},
        {{3600, 100, 4000, 500}, true, std::nullopt},
        {{3600, 100, 4000, 500}, false, Rect{3440, 100, 3840, 500}},
        {{-50, -20, 350, 380}, false, Rect{0, 0, 400, 400}},
        {{5000, 2000, 5400, 2400}, true, Rect{3440, 680, 3840, 1080}}, // wholly off: pulled in anyway
        {{100, 100, 4100, 1300}, false, Rect{0, 0, 4000, 1200}},       // larger: left and top edges meet
        {{0, 0, 4000, 1200}, false, std::nullopt},
        {{9000, 9000, 9000, 9000}, false, std::nullopt}, // zero-sized counts as inside
    };
    for (const Case& c : cases)
        EXPECT_EQ(m.EnsureOnscreen(c.window, c.partlyOk), c.moved) << c.window.left << "," << c.window.top;

    FakeScreens none;
    MMonitors empty(none);
    EXPECT_FALSE(empty.EnsureOnscreen({100, 100, 500, 500}, false));
    EXPECT_EQ(empty.MonitorUnderCursor(), 0);
    EXPECT_EQ(empty.NextMonitor(""), 1);
    EXPECT_FALSE(empty.ResolutionText().has_value());
}

TEST(MMonitors, MonitorUnpluggedSinceTheListWasBuilt) {
    FakeScreens screens = threeMonitors();
    MMonitors m(screens);
    m.RefreshMonitors();
    screens.list.erase(screens.list.begin() + 1);
    m.monitor(2)->Refresh();
    EXPECT_EQ(m.MonitorRect(2), Rect{}) << "zeros rather than stale numbers";
    screens.cursor = {-500, 0};
    EXPECT_EQ(m.MonitorUnderCursor(), 3);
    m.RefreshMonitors();
    EXPECT_EQ(m.MonitorUnderCursor(), 2);
    EXPECT_EQ(m.Monitors().size(), 3u);
}

TEST(MMonitors, ReportListsEveryEntryAndResolutionIsTheMonitorAtTheOrigin) {
    FakeScreens screens;
    screens.add("LEFT", {-1280, 0, 0, 1024});
    screens.add("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, true);
    auto& second = screens.add("\\\\.\\DISPLAY2", {1920, 0, 2944, 768});
    second.vgaCompatible = false;
    second.mirroring = true;
    screens.cursor = {2000, 10};
    MMonitors m(screens);
    EXPECT_EQ(m.MonitorReport({1920, 0, 2944, 768}),
              "MultiMonitor Support: True\r\n"
              "Number of monitors: 3\r\n"
              "This window is over monitor: 3\r\n"
              "The mouse is over monitor: 3\r\n"
              "Absolute window coordinates: 1920, 0, 2944, 768  Relative window coordinates: 0, 0, 1024, 768\r\n"
              "0: \"Virtual\", Desktop: False, VGA: False, Visible: True\r\n"
              "1: \"LEFT\", Desktop: True, VGA: True, Visible: True\r\n"
              "2: \"\\\\.\\DISPLAY1\", Desktop: True, VGA: True, Visible: True, Primary\r\n"
              "3: \"\\\\.\\DISPLAY2\", Desktop: True, VGA: False, Visible: False\r\n");
    EXPECT_EQ(*m.ResolutionText(), "Display Resolution: 1920 x 1080");
}

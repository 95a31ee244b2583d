// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/desktop/ProportionalLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

using tavrola::LayoutNode;
using tavrola::LayoutProperty;
using tavrola::ProportionalLayout;

namespace {

constexpr auto L = LayoutProperty::Left;
constexpr auto T = LayoutProperty::Top;
constexpr auto W = LayoutProperty::Width;
constexpr auto H = LayoutProperty::Height;
constexpr auto F = LayoutProperty::FontSize;

// A control with whichever properties the test gives it (none: a timer); writes to a missing one fail.
struct FakeControl : LayoutNode {
    FakeControl() = default;
    FakeControl(double l, double t, double w, double h, std::optional<double> font = std::nullopt)
        : props{{L, l}, {T, t}, {W, w}, {H, h}} {
        if (font)
            props[F] = *font;
    }
    std::optional<double> read(LayoutProperty p) const override {
        const auto it = props.find(p);
        return it == props.end() ? std::nullopt : std::optional<double>(it->second);
    }
    void write(LayoutProperty p, float v) override {
        // A self-sizing label keeps the size of its text whatever it is told.
        if (props.contains(p) && !(autoSize && (p == W || p == H)))
            props[p] = v;
    }
    std::size_t controlCount() const override { return kids.size(); }
    LayoutNode* control(std::size_t i) override { return kids[i].get(); }
    FakeControl* add(double l, double t, double w, double h, std::optional<double> font = std::nullopt) {
        kids.push_back(std::make_unique<FakeControl>(l, t, w, h, font));
        return kids.back().get();
    }
    double get(LayoutProperty p) const { return props.at(p); }
    double centreX() const { return get(L) + get(W) / 2; }

    std::map<LayoutProperty, double> props;
    std::vector<std::unique_ptr<FakeControl>> kids;
    bool autoSize = false;
};

// A window of 800 x 600 with a panel holding a label, a loose title, a timer and a font-less picture.
struct Window {
    FakeControl window{0, 0, 800, 600};
    FakeControl* panel = window.add(100, 300, 400, 200, 8);
    FakeControl* inner = panel->add(50, 20, 100, 40, 12);
    FakeControl* title = window.add(200, 10, 400, 60, 24);
    FakeControl* timer = (window.kids.push_back(std::make_unique<FakeControl>()), window.kids.back().get());
    FakeControl* picture = window.add(0, 500, 80, 80);
    ProportionalLayout layout;

    Window() { layout.recordWindow(window, 800, 600); }
    void resizeTo(double w, double h, bool minimised = false) {
        window.props[W] = w;
        window.props[H] = h;
        layout.resizeWindow(window, minimised, w, h);
    }
};

} // namespace

TEST(ProportionalLayout, ScalesSizesAndFontsByHeightAndKeepsCentres) {
    Window w;
    w.resizeTo(1600, 1200);
    EXPECT_EQ(w.title->get(W), 800);
    EXPECT_EQ(w.title->get(H), 120);
    EXPECT_EQ(w.title->get(F), 48);
    EXPECT_NEAR(w.title->centreX(), 800, 1e-4);
    EXPECT_NEAR(w.title->get(T), 20, 1e-4);
    EXPECT_EQ(w.inner->get(F), 24);
    EXPECT_NEAR(w.inner->centreX() / w.panel->get(W), 100.0 / 400, 1e-6);
    EXPECT_EQ(w.picture->get(T), 1000) << "a control without a font is moved all the same";
    EXPECT_TRUE(w.timer->props.empty());

    // Wider only: heights and fonts stay.
    w.resizeTo(1600, 600);
    EXPECT_EQ(w.title->get(H), 60);
    EXPECT_EQ(w.title->get(F), 24);
    EXPECT_NEAR(w.title->get(L), 400, 1e-4);
    // Always from the design, never from the last size.
    w.resizeTo(333, 250);
    w.resizeTo(800, 600);
    EXPECT_NEAR(w.title->get(L), 200, 1e-3);
    EXPECT_NEAR(w.inner->get(T), 20, 1e-3);
    EXPECT_NEAR(w.inner->get(F), 12, 1e-3);
}

TEST(ProportionalLayout, MinimisedCollapsedOrUnrecordedWindowsAreLeftAlone) {
    Window w;
    w.resizeTo(1600, 1200, true);
    EXPECT_EQ(w.title->get(W), 400);
    w.resizeTo(0, 600); // no factor to scale by
    EXPECT_EQ(w.title->get(W), 400);
    w.resizeTo(1600, 1200);
    EXPECT_EQ(w.title->get(W), 800);

    Window unrecorded;
    unrecorded.layout = ProportionalLayout();
    unrecorded.resizeTo(1600, 1200);
    EXPECT_EQ(unrecorded.title->get(W), 400);

    // Designed at no size: no centres, never rescaled.
    Window flat;
    flat.window.props[W] = 0;
    flat.layout.recordWindow(flat.window, 0, 600);
    EXPECT_EQ(flat.layout.table()[3].CentreX, 0);
    flat.resizeTo(800, 600);
    EXPECT_EQ(flat.title->get(W), 400);
}

TEST(ProportionalLayout, SelfSizingAndLateControls) {
    Window w;
    w.title->autoSize = true;
    FakeControl* late = w.window.add(1, 2, 3, 4, 5); // added after recording: left alone
    w.resizeTo(1600, 1200);
    EXPECT_EQ(w.title->get(W), 400);
    EXPECT_NEAR(w.title->centreX(), 800, 1e-4) << "centred on its real size";
    EXPECT_EQ(late->get(W), 3);
    EXPECT_EQ(w.picture->get(W), 160);
}

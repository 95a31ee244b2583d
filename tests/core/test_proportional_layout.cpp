#include "core/desktop/ProportionalLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <vector>

using tavrola::LayoutNode;
using tavrola::LayoutProperty;
using tavrola::ProportionalLayout;

namespace {

// A control with whichever properties the test gives it; writes to a missing one fail.
class FakeControl : public LayoutNode {
public:
    FakeControl(double l, double t, double w, double h, std::optional<double> font = std::nullopt) {
        props[LayoutProperty::Left] = l;
        props[LayoutProperty::Top] = t;
        props[LayoutProperty::Width] = w;
        props[LayoutProperty::Height] = h;
        if (font)
            props[LayoutProperty::FontSize] = *font;
    }
    FakeControl() = default; // a timer: no properties at all

    std::optional<double> read(LayoutProperty p) const override {
        auto it = props.find(p);
        if (it == props.end())
            return std::nullopt;
        return it->second;
    }
    void write(LayoutProperty p, float v) override {
        auto it = props.find(p);
        if (it == props.end())
            return;
        // A self-sizing label keeps the size of its text whatever it is told.
        if (autoSize && (p == LayoutProperty::Width || p == LayoutProperty::Height))
            return;
        it->second = v;
    }
    std::size_t controlCount() const override { return kids.size(); }
    LayoutNode* control(std::size_t i) override { return kids[i].get(); }

    FakeControl& add(std::unique_ptr<FakeControl> c) {
        kids.push_back(std::move(c));
        return *kids.back();
    }
    double get(LayoutProperty p) const { return props.at(p); }
    double centreX() const { return get(LayoutProperty::Left) + get(LayoutProperty::Width) / 2; }
    double centreY() const { return get(LayoutProperty::Top) + get(LayoutProperty::Height) / 2; }

    std::map<LayoutProperty, double> props;
    std::vector<std::unique_ptr<FakeControl>> kids;
    bool autoSize = false;
};

// A window of 800 x 600 with a panel holding a label, a loose label, a timer and a font-less picture.
struct Window {
    FakeControl window{0, 0, 800, 600};
    FakeControl* panel;
    FakeControl* inner;
    FakeControl* title;
    FakeControl* timer;
    FakeControl* picture;

    Window() {
        panel = &window.add(std::make_unique<FakeControl>(100, 300, 400, 200, 8));
        inner = &panel->add(std::make_unique<FakeControl>(50, 20, 100, 40, 12));
        title = &window.add(std::make_unique<FakeControl>(200, 10, 400, 60, 24));
        timer = &window.add(std::make_unique<FakeControl>());
        picture = &window.add(std::make_unique<FakeControl>(0, 500, 80, 80));
    }
    void resizeTo(ProportionalLayout& layout, double w, double h, bool minimised = false) {
        window.props[LayoutProperty::Width] = w;
        window.props[LayoutProperty::Height] = h;
        layout.resizeWindow(window, minimised, w, h);
    }
};

constexpr auto L = LayoutProperty::Left;
constexpr auto T = LayoutProperty::Top;
constexpr auto W = LayoutProperty::Width;
constexpr auto H = LayoutProperty::Height;
constexpr auto F = LayoutProperty::FontSize;

} // namespace

TEST(ProportionalLayout, RecordsDepthFirstWithCentresAsFractionsOfTheContainer) {
    Window w;
    ProportionalLayout layout;
    layout.recordWindow(w.window, 800, 600);
    const auto& t = layout.table();
    ASSERT_EQ(t.size(), 6u); // window, panel, its label, title, timer, picture
    EXPECT_EQ(t[0].Width, 800);
    EXPECT_EQ(t[0].Height, 600);
    EXPECT_EQ(t[1].FontSize, 8);
    EXPECT_FLOAT_EQ(t[1].CentreX, 300.0f / 800);
    // The panel's own label is next, centred within the panel rather than the window.
    EXPECT_EQ(t[2].Left, 50);
    EXPECT_FLOAT_EQ(t[2].CentreX, 100.0f / 400);
    EXPECT_FLOAT_EQ(t[2].CentreY, 40.0f / 200);
    EXPECT_EQ(t[3].FontSize, 24);
    // What cannot be read stays 0.
    EXPECT_EQ(t[4].Width, 0);
    EXPECT_EQ(t[4].CentreX, 0);
    EXPECT_EQ(t[5].FontSize, 0);
}

TEST(ProportionalLayout, DoublingScalesSizesAndFontsAndKeepsCentres) {
    Window w;
    ProportionalLayout layout;
    layout.recordWindow(w.window, 800, 600);
    w.resizeTo(layout, 1600, 1200);
    EXPECT_EQ(w.title->get(W), 800);
    EXPECT_EQ(w.title->get(H), 120);
    EXPECT_EQ(w.title->get(F), 48);
    EXPECT_NEAR(w.title->centreX() / 1600, 400.0 / 800, 1e-6);
    EXPECT_NEAR(w.title->centreY() / 1200, 40.0 / 600, 1e-6);
    EXPECT_EQ(w.inner->get(W), 200);
    EXPECT_EQ(w.inner->get(F), 24);
    EXPECT_NEAR(w.inner->centreX() / w.panel->get(W), 100.0 / 400, 1e-6);
    // A control without a font size is sized and moved all the same.
    EXPECT_EQ(w.picture->get(W), 160);
    EXPECT_EQ(w.picture->get(T), 1000);
    EXPECT_TRUE(w.timer->props.empty());
}

TEST(ProportionalLayout, WidthOnlyKeepsHeightsAndFonts) {
    Window w;
    ProportionalLayout layout;
    layout.recordWindow(w.window, 800, 600);
    w.resizeTo(layout, 1600, 600);
    EXPECT_EQ(w.title->get(W), 800);
    EXPECT_EQ(w.title->get(H), 60);
    EXPECT_EQ(w.title->get(F), 24);
    EXPECT_NEAR(w.title->get(T), 10, 1e-4);
    EXPECT_NEAR(w.title->get(L), 400, 1e-4);
    EXPECT_EQ(w.inner->get(F), 12);
}

TEST(ProportionalLayout, RescalingAlwaysStartsFromTheDesignNotTheLastSize) {
    Window w;
    ProportionalLayout layout;
    layout.recordWindow(w.window, 800, 600);
    w.resizeTo(layout, 1000, 700);
    w.resizeTo(layout, 333, 250);
    w.resizeTo(layout, 800, 600);
    EXPECT_NEAR(w.title->get(L), 200, 1e-3);
    EXPECT_NEAR(w.inner->get(T), 20, 1e-3);
    EXPECT_NEAR(w.inner->get(F), 12, 1e-3);
}

TEST(ProportionalLayout, MinimisedOrUnrecordedOrCollapsedWindowIsLeftAlone) {
    Window w;
    ProportionalLayout layout;
    // Nothing recorded yet.
    w.resizeTo(layout, 1600, 1200);
    EXPECT_EQ(w.title->get(W), 400);

    layout.recordWindow(w.window, 800, 600);
    w.resizeTo(layout, 1600, 1200, true);
    EXPECT_EQ(w.title->get(W), 400);
    EXPECT_EQ(w.title->get(F), 24);
    // A window squeezed to nothing gives no factor to scale by.
    w.resizeTo(layout, 0, 600);
    EXPECT_EQ(w.title->get(W), 400);
    // Restored: rescaled at once.
    w.resizeTo(layout, 1600, 1200);
    EXPECT_EQ(w.title->get(W), 800);

    // A window designed at no size at all records no centres and never rescales.
    Window flat;
    flat.window.props[W] = 0;
    ProportionalLayout none;
    none.recordWindow(flat.window, 0, 600);
    EXPECT_EQ(none.table()[3].CentreX, 0);
    flat.resizeTo(none, 800, 600);
    EXPECT_EQ(flat.title->get(W), 400);
}

TEST(ProportionalLayout, SelfSizingControlIsCentredOnItsRealSize) {
    Window w;
    w.title->autoSize = true;
    ProportionalLayout layout;
    layout.recordWindow(w.window, 800, 600);
    w.resizeTo(layout, 1600, 1200);
    // The label stayed 400 wide; it is centred on that, not on the 800 it was asked for.
    EXPECT_EQ(w.title->get(W), 400);
    EXPECT_NEAR(w.title->centreX(), 800, 1e-4);
}

TEST(ProportionalLayout, ControlsAddedAfterRecordingAreLeftAlone) {
    Window w;
    ProportionalLayout layout;
    layout.recordWindow(w.window, 800, 600);
    FakeControl& late = w.window.add(std::make_unique<FakeControl>(1, 2, 3, 4, 5));
    w.resizeTo(layout, 1600, 1200);
    EXPECT_EQ(late.get(W), 3);
    EXPECT_EQ(w.picture->get(W), 160);
}

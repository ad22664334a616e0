#include "docking/core/AutoHideLabels.h"
#include "docking/core/AutoHideLayout.h"

#include <gtest/gtest.h>

using namespace dockwins;

TEST(AutoHideLayout, StripsAndBounds) {
    EXPECT_EQ(AutoHideStripThickness(13, 13, 16), 24);
    EXPECT_EQ(AutoHideStripThickness(20, 18, 16), 28);

    // Labels on the top and the left.
    const auto sides = LayOutAutoHideSides({0, 0, 600, 400}, {false, false, true, true}, 24);
    EXPECT_EQ(sides.strips[AUTOHIDE_TOP], (RECT{24, 0, 600, 24}));
    EXPECT_EQ(sides.strips[AUTOHIDE_LEFT], (RECT{0, 24, 24, 400}));
    EXPECT_TRUE(sides.strips[AUTOHIDE_BOTTOM].IsEmpty());
    EXPECT_TRUE(sides.strips[AUTOHIDE_RIGHT].IsEmpty());
    EXPECT_EQ(sides.bounds, (RECT{24, 24, 600, 400}));
    EXPECT_EQ(AutoHideStripFill(sides, AUTOHIDE_TOP), (RECT{0, 0, 600, 24}));

    // All four: the left and right strips run between the top and bottom ones.
    const auto all = LayOutAutoHideSides({10, 10, 610, 410}, {true, true, true, true}, 24);
    EXPECT_EQ(all.strips[AUTOHIDE_TOP], (RECT{34, 10, 586, 34}));
    EXPECT_EQ(all.strips[AUTOHIDE_BOTTOM], (RECT{34, 386, 586, 410}));
    EXPECT_EQ(all.strips[AUTOHIDE_LEFT], (RECT{10, 34, 34, 386}));
    EXPECT_EQ(all.strips[AUTOHIDE_RIGHT], (RECT{586, 34, 610, 386}));
    EXPECT_EQ(all.bounds, (RECT{34, 34, 586, 386}));

    // Too small a rectangle: nothing negative.
    const auto tiny = LayOutAutoHideSides({0, 0, 30, 20}, {true, true, true, true}, 24);
    for (const auto& strip : tiny.strips) {
        EXPECT_GE(strip.Width(), 0);
        EXPECT_GE(strip.Height(), 0);
    }
    EXPECT_GE(tiny.bounds.Width(), 0);
    EXPECT_GE(tiny.bounds.Height(), 0);

    const auto growth = AutoHideMinimumGrowth({false, true, true, true}, 24);
    EXPECT_EQ(growth.width, 48);
    EXPECT_EQ(growth.height, 24);
}

TEST(AutoHideLayout, PanePlacementAndSizingBar) {
    const RECT bounds{24, 0, 324, 400};  // 300 wide
    EXPECT_EQ(AutoHidePaneRect(bounds, AUTOHIDE_LEFT, 400), (RECT{24, 0, 319, 400}));  // 295
    EXPECT_EQ(AutoHidePaneRect(bounds, AUTOHIDE_LEFT, 200), (RECT{24, 0, 229, 400}));
    EXPECT_EQ(AutoHidePaneRect(bounds, AUTOHIDE_RIGHT, 200), (RECT{119, 0, 324, 400}));
    EXPECT_EQ(AutoHidePaneRect(bounds, AUTOHIDE_TOP, 100), (RECT{24, 0, 324, 105}));
    EXPECT_EQ(AutoHidePaneRect(bounds, AUTOHIDE_BOTTOM, 100), (RECT{24, 295, 324, 400}));
    EXPECT_EQ(AutoHidePaneRect({0, 0, 7, 100}, AUTOHIDE_LEFT, 50), (RECT{0, 0, 5, 100}));
    EXPECT_EQ(AutoHidePaneRect({0, 0, 3, 100}, AUTOHIDE_LEFT, 50), (RECT{0, 0, 3, 100}));

    const RECT pane{24, 0, 229, 400};
    EXPECT_EQ(AutoHideSizingBar(pane, AUTOHIDE_LEFT), (RECT{224, 0, 229, 400}));
    EXPECT_EQ(AutoHidePaneInside(pane, AUTOHIDE_LEFT), (RECT{24, 0, 224, 400}));
    EXPECT_EQ(AutoHideSizingBar({0, 295, 300, 400}, AUTOHIDE_BOTTOM), (RECT{0, 295, 300, 300}));
    EXPECT_EQ(AutoHidePaneInside({0, 295, 300, 400}, AUTOHIDE_BOTTOM), (RECT{0, 300, 300, 400}));

    EXPECT_EQ(AutoHideWidthToStore(205, 23), 200);
    EXPECT_FALSE(AutoHideWidthToStore(28, 23).has_value());
}

TEST(AutoHideLayout, SizeTrackerLimits) {
    const RECT bounds{24, 0, 324, 400};
    const RECT pane{24, 0, 229, 400};
    CAutoHideSizeTracker tracker(pane, bounds, AUTOHIDE_LEFT, {227, 50});  // grab 2 px left of the edge
    EXPECT_EQ(tracker.OnMove({252, 50}).right, 254);
    EXPECT_EQ(tracker.OnMove({0, 50}).right, 29);      // near + 5
    EXPECT_EQ(tracker.OnMove({900, 50}).right, 319);   // far - 5

    CAutoHideSizeTracker bottom({0, 295, 300, 400}, {0, 0, 300, 400}, AUTOHIDE_BOTTOM, {10, 296});
    EXPECT_EQ(bottom.OnMove({10, 201}).top, 200);
    EXPECT_EQ(bottom.OnMove({10, -50}).top, 5);

    // The resized pane's width is what the next show uses.
    const RECT resized = tracker.OnMove({152, 50});
    const auto stored = AutoHideWidthToStore(resized.Width(), 23);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(*stored, 125);
    EXPECT_EQ(AutoHidePaneRect(bounds, AUTOHIDE_LEFT, *stored), resized);

    // Bounds 8 px wide: the edge stays inside them.
    CAutoHideSizeTracker narrow({0, 0, 6, 100}, {0, 0, 8, 100}, AUTOHIDE_LEFT, {6, 10});
    for (const int x : {-100, 0, 3, 7, 8, 100}) {
        const int edge = narrow.OnMove({x, 10}).right;
        EXPECT_GE(edge, 0) << x;
        EXPECT_LE(edge, 8) << x;
    }
}

TEST(AutoHideLayout, SlideStepsAndHideTest) {
    const RECT pane{24, 0, 229, 400};  // 205 wide: step 20
    const auto in = AutoHideSlideSteps(pane, AUTOHIDE_LEFT, true);
    ASSERT_EQ(in.size(), 11u);
    EXPECT_EQ(in.front().right, 29);
    EXPECT_EQ(in[1].right, 49);
    EXPECT_EQ(in.back(), pane);
    const auto out = AutoHideSlideSteps(pane, AUTOHIDE_LEFT, false);
    ASSERT_EQ(out.size(), 10u);
    EXPECT_EQ(out.front().right, 209);
    EXPECT_EQ(out.back().right, 29);
    const auto down = AutoHideSlideSteps({0, 0, 300, 100}, AUTOHIDE_TOP, true);
    EXPECT_EQ(down.front().bottom, 0);
    const auto up = AutoHideSlideSteps({0, 300, 300, 400}, AUTOHIDE_BOTTOM, true);
    EXPECT_EQ(up.front().top, 400);
    EXPECT_EQ(up[1].top, 390);
    const auto fromRight = AutoHideSlideSteps({100, 0, 300, 400}, AUTOHIDE_RIGHT, false);
    EXPECT_EQ(fromRight.back().left, 300);

    const RECT label{0, 3, 22, 83};
    EXPECT_TRUE(AutoHideShouldHide({400, 10}, pane, label, false));
    EXPECT_FALSE(AutoHideShouldHide({100, 10}, pane, label, false));  // on the pane
    EXPECT_FALSE(AutoHideShouldHide({10, 10}, pane, label, false));   // on the label
    EXPECT_FALSE(AutoHideShouldHide({400, 10}, pane, label, true));   // focus inside
}

namespace {

using Labels = CAutoHideLabels<int>;

std::vector<Labels::Entry> Entries(std::initializer_list<std::pair<int, std::u16string>> windows) {
    std::vector<Labels::Entry> entries;
    for (const auto& [window, text] : windows)
        entries.push_back({window, 0, text, true});
    return entries;
}

int Measure(const std::u16string& text) {
    return static_cast<int>(text.size()) * 7;
}

}  // namespace

TEST(AutoHideLabels, PinPositionAndRemove) {
    Labels labels;
    const auto first = labels.PinUp(AUTOHIDE_LEFT, Entries({{1, u"History"}}), 1, 200);
    EXPECT_TRUE(first.sideWasEmpty);
    EXPECT_EQ(labels.HasLabels(), (std::array<bool, 4>{false, false, false, true}));
    const auto position = labels.PositionOf(1);
    EXPECT_TRUE(position.found);
    EXPECT_EQ(position.sideFlags, 39);
    EXPECT_EQ(position.barIndex, 0);
    EXPECT_EQ(position.width, 200);

    // A box of two on the same side: label 1, the active entry flagged.
    const auto second = labels.PinUp(AUTOHIDE_LEFT | 4, Entries({{2, u"Variables"}, {3, u"Keys"}}), 3, 150);
    EXPECT_FALSE(second.sideWasEmpty);
    EXPECT_EQ(second.where.label, 1);
    EXPECT_EQ(labels.PositionOf(3).sideFlags, 39 | 16);
    EXPECT_EQ(labels.PositionOf(3).barIndex, 1);
    EXPECT_EQ(labels.PositionOf(3).tabIndex, 1);
    EXPECT_EQ(labels.PositionOf(2).sideFlags, 39);

    // Removing one window of the two leaves a single label with the other's text.
    auto removed = labels.Remove(3);
    EXPECT_TRUE(removed.found);
    EXPECT_FALSE(removed.labelGone);
    EXPECT_EQ(labels.LabelAt(AUTOHIDE_LEFT, 1).Count(), 1);
    EXPECT_TRUE(labels.LabelAt(AUTOHIDE_LEFT, 1).At(0).text == u"Variables");
    removed = labels.Remove(1);
    EXPECT_TRUE(removed.labelGone);
    EXPECT_FALSE(removed.sideEmptied);
    EXPECT_EQ(labels.PositionOf(2).barIndex, 0);
    removed = labels.Remove(2);
    EXPECT_TRUE(removed.sideEmptied);
    EXPECT_FALSE(labels.Remove(2).found);
    EXPECT_EQ(labels.HasLabels(), (std::array<bool, 4>{}));
}

TEST(AutoHideLabels, RepinningMovesTheWindowAndUnpinTakesTheLabel) {
    Labels labels;
    labels.PinUp(AUTOHIDE_LEFT, Entries({{1, u"A"}, {2, u"B"}}), 1, 100);
    // Window 2 pinned again on the right: it leaves the left label first.
    labels.PinUp(AUTOHIDE_RIGHT, Entries({{2, u"B"}}), 2, 100);
    EXPECT_EQ(labels.Find(2).side, AUTOHIDE_RIGHT);
    EXPECT_EQ(labels.LabelAt(AUTOHIDE_LEFT, 0).Count(), 1);

    labels.PinUp(AUTOHIDE_TOP, Entries({{5, u"A"}, {6, u"B"}, {7, u"C"}}), 6, 120);
    bool emptied = false;
    auto label = labels.Unpin(7, &emptied);
    ASSERT_TRUE(label.has_value());
    EXPECT_TRUE(emptied);
    EXPECT_EQ(label->UnpinOrder(), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(label->Active(), 1);  // B is selected after the unpin
    EXPECT_FALSE(labels.IsPinned(5));
    EXPECT_FALSE(labels.Unpin(7).has_value());
    EXPECT_FALSE(labels.PinUp(AUTOHIDE_BOTTOM, {}, 0, 100).where.Found());
    EXPECT_EQ(labels.LabelCount(AUTOHIDE_BOTTOM), 0);
}

TEST(AutoHideLabels, LayoutAndHover) {
    Labels labels;
    labels.PinUp(AUTOHIDE_LEFT, Entries({{1, u"History"}, {2, u"Variables"}, {3, u"Keys"}}), 1, 100);
    labels.PinUp(AUTOHIDE_LEFT, Entries({{4, u"Other"}}), 4, 100);
    std::array<std::vector<RECT>, 4> rects;
    rects[AUTOHIDE_LEFT] = labels.LayOutSide(AUTOHIDE_LEFT, {0, 0, 24, 400}, Measure, 16);
    // Desired: 63 + 6 + 19 + 44 = 132 and 35 + 6 + 19 = 60; they fit.
    ASSERT_EQ(rects[AUTOHIDE_LEFT].size(), 2u);
    EXPECT_EQ(rects[AUTOHIDE_LEFT][0], (RECT{0, 3, 22, 135}));
    EXPECT_EQ(rects[AUTOHIDE_LEFT][1], (RECT{0, 140, 22, 200}));

    const auto onActive = labels.EntryAt(rects, {10, 3 + 30}, false);
    EXPECT_EQ(onActive.entry, 0);
    const auto onLast = labels.EntryAt(rects, {10, 3 + 120}, true);
    EXPECT_EQ(onLast.label, 0);
    EXPECT_EQ(onLast.entry, 2);
    EXPECT_EQ(labels.LabelAt(AUTOHIDE_LEFT, 0).Active(), 2);
    EXPECT_FALSE(labels.EntryAt(rects, {10, 137}, false).Found());  // in the gap
    EXPECT_EQ(labels.EntryAt(rects, {10, 150}, false).label, 1);
    EXPECT_FALSE(labels.EntryAt(rects, {100, 150}, false).Found());
}

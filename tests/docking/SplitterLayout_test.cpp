#include "docking/core/SplitterLayout.h"

#include <gtest/gtest.h>

namespace {
CSplitterLayout MakeLayout(int total, unsigned style, int firstMin = 0, int secondMin = 0) {
    CSplitterLayout layout;
    layout.SetTotal(total);
    layout.SetBarWidth(4);
    layout.SetExtendedStyle(style);
    layout.SetFirstPaneMinimum(firstMin);
    layout.SetSecondPaneMinimum(secondMin);
    return layout;
}
}  // namespace

TEST(SplitterLayout, MinusOneCentresThenAppliesMinimums) {
    auto layout = MakeLayout(404, SPLIT_PROPORTIONAL);
    EXPECT_TRUE(layout.SetSplitterPos(-1));
    EXPECT_EQ(layout.Position(), 200);
    EXPECT_FALSE(layout.SetSplitterPos(-1));  // unchanged

    auto narrow = MakeLayout(404, SPLIT_PROPORTIONAL, 250);
    narrow.SetSplitterPos(-1);
    EXPECT_EQ(narrow.Position(), 250);
}

TEST(SplitterLayout, PerPaneMinimumsClampDrags) {
    struct Case { int requested; int expected; } cases[] = {
        {0, 100}, {99, 100}, {100, 100}, {300, 300}, {346, 346}, {347, 346}, {1000, 346},
    };
    for (const auto& c : cases) {
        auto layout = MakeLayout(400, SPLIT_PROPORTIONAL, 100, 50);
        layout.SetSplitterPos(c.requested);
        EXPECT_EQ(layout.Position(), c.expected) << "requested " << c.requested;
    }
}

TEST(SplitterLayout, CrossingLimitsFavourTheFirstTestOnly) {
    // First minimum 300, second 300 in a 400 span: below 300 -> 300; above the
    // second limit (96) -> 96, since the first test did not catch it.
    auto layout = MakeLayout(400, SPLIT_PROPORTIONAL, 300, 300);
    layout.SetSplitterPos(200);
    EXPECT_EQ(layout.Position(), 300);
    layout.SetSplitterPos(350);
    EXPECT_EQ(layout.Position(), 96);
}

TEST(SplitterLayout, ProportionalKeepsTheFraction) {
    auto layout = MakeLayout(404, SPLIT_PROPORTIONAL);
    layout.SetSplitterPos(100);  // a quarter of the 400 span
    layout.Resize(804);
    EXPECT_EQ(layout.Position(), 200);
    layout.Resize(404);
    EXPECT_EQ(layout.Position(), 100);
}

TEST(SplitterLayout, RightAlignedKeepsTheFarEdgeDistance) {
    auto layout = MakeLayout(404, SPLIT_RIGHTALIGNED);
    layout.SetSplitterPos(300);  // 100 from the far edge of the span
    layout.Resize(804);
    EXPECT_EQ(layout.Position(), 700);
    layout.Resize(204);
    EXPECT_EQ(layout.Position(), 100);
}

TEST(SplitterLayout, ResizeAppliesMinimumsWithoutLosingTheProportion) {
    auto layout = MakeLayout(404, SPLIT_PROPORTIONAL, 150);
    layout.SetSplitterPos(200);  // half
    layout.Resize(204);          // half would be 100: the minimum holds it at 150
    EXPECT_EQ(layout.Position(), 150);
    layout.Resize(804);          // the stored half comes back
    EXPECT_EQ(layout.Position(), 400);
}

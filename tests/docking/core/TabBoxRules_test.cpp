#include "docking/core/TabBoxRules.h"
#include "docking/core/TabLayout.h"

#include <gtest/gtest.h>

using namespace dockwins;

TEST(TabBoxRules, StripBandAndWindow) {
    const RECT client{0, 0, 200, 300};
    struct Case { unsigned style; RECT strip; RECT window; } cases[] = {
        {TAB_BOTTOM, {0, 276, 200, 300}, {0, 0, 200, 276}},  // as the box makes it
        {0, {0, 0, 200, 24}, {0, 24, 200, 300}},
        {TAB_VERTICAL, {0, 0, 24, 300}, {24, 0, 200, 300}},
        {TAB_VERTICAL | TAB_BOTTOM, {176, 0, 200, 300}, {0, 0, 176, 300}},
    };
    for (const auto& c : cases) {
        const auto rects = LayOutTabBox(client, c.style, 24);
        EXPECT_EQ(rects.strip, c.strip) << c.style;
        EXPECT_EQ(rects.window, c.window) << c.style;
    }
    const auto squeezed = LayOutTabBox({0, 0, 200, 10}, TAB_BOTTOM, 24);
    EXPECT_EQ(squeezed.strip, (RECT{0, 0, 200, 10}));
    EXPECT_TRUE(squeezed.window.IsEmpty());
}

TEST(TabBoxRules, IndexesOfInsertPreviewAndClose) {
    EXPECT_EQ(TabBoxInsertIndex(99, 3), 3);
    EXPECT_EQ(TabBoxInsertIndex(-1, 3), 3);
    EXPECT_EQ(TabBoxInsertIndex(1, 3), 1);
    EXPECT_EQ(TabBoxInsertIndex(3, 3), 3);

    EXPECT_EQ(TabBoxPreviewIndex(1, 3, 50, 200), 1);
    EXPECT_EQ(TabBoxPreviewIndex(-1, 3, 250, 200), 3);  // beyond the last tab: the end
    EXPECT_EQ(TabBoxPreviewIndex(-1, 3, 2, 200), 0);
    EXPECT_EQ(TabBoxPreviewIndex(-1, 0, 250, 5), 0);

    struct Case { int active; int count; int next; } cases[] = {
        {0, 3, 1}, {1, 3, 2}, {2, 3, 1}, {0, 2, 1}, {1, 2, 0}, {0, 1, -1}, {-1, 3, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TabBoxNextAfterClose(c.active, c.count), c.next) << c.active << "/" << c.count;
}

TEST(TabBoxRules, PositionAndClose) {
    const auto ofTwo = TabBoxPositionOf(0, 1, 2);
    EXPECT_TRUE(ofTwo.targetIsOtherWindow);
    EXPECT_EQ(ofTwo.otherIndex, 1);
    EXPECT_FALSE(ofTwo.active);
    const auto ofThree = TabBoxPositionOf(2, 2, 3);
    EXPECT_FALSE(ofThree.targetIsOtherWindow);
    EXPECT_EQ(ofThree.tabIndex, 2);
    EXPECT_TRUE(ofThree.active);

    struct Case { bool dissolve; int count; bool active; TabBoxClose action; } cases[] = {
        {true, 3, true, TabBoxClose::Nothing},
        {true, 1, true, TabBoxClose::DissolveIntoLast},
        {true, 0, false, TabBoxClose::Destroy},
        {false, 3, true, TabBoxClose::CloseActive},
        {false, 2, false, TabBoxClose::HideBox},
        {false, 1, true, TabBoxClose::DissolveIntoLast},  // a user's close of a one-window box
        {false, 0, false, TabBoxClose::Destroy},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseTabBoxClose(c.dissolve, c.count, c.active), c.action) << c.dissolve << " " << c.count;
}

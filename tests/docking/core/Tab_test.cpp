#include "docking/core/TabColours.h"
#include "docking/core/TabItemList.h"
#include "docking/core/TabLayout.h"
#include "docking/core/TabTracking.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace dockwins;

namespace {

// Records every notification as text; refuses or keeps on demand.
class RecordingOwner : public ITabOwner {
public:
    bool OnSelChanging(int oldIndex, int newIndex) override {
        log.push_back("-552 " + std::to_string(oldIndex) + " " + std::to_string(newIndex));
        return refuseSelection;
    }
    void OnSelChange(int oldIndex, int newIndex) override {
        log.push_back("-551 " + std::to_string(oldIndex) + " " + std::to_string(newIndex));
    }
    void OnItemInserted(int index) override { log.push_back("-561 " + std::to_string(index)); }
    bool OnDeletingItem(int index) override {
        log.push_back("-562 " + std::to_string(index));
        return keep(index);
    }
    void OnItemMoved(int from, int to) override {
        log.push_back("-563 " + std::to_string(from) + " " + std::to_string(to));
    }
    void OnItemsSwapped(int a, int b) override { log.push_back("-564 " + std::to_string(a) + " " + std::to_string(b)); }

    std::vector<std::string> log;
    bool refuseSelection = false;
    std::function<bool(int)> keep = [](int) { return false; };
};

using Log = std::vector<std::string>;

CTabItemList<char> MakeList(RecordingOwner& owner, const std::string& items, int selected) {
    CTabItemList<char> list(owner);
    for (const char c : items)
        list.InsertItem(-1, c, false);
    list.SetCurSel(selected, false);
    owner.log.clear();
    return list;
}

std::string Items(const CTabItemList<char>& list) {
    std::string s;
    for (int i = 0; i < list.Count(); ++i)
        s += list.Item(i);
    return s;
}

}  // namespace

TEST(TabLayout, NaturalWidthHeightAndOffsets) {
    EXPECT_EQ(TabNaturalWidth(50, true, 0), 3 + 8 + 50 + 3);
    EXPECT_EQ(TabNaturalWidth(50, true, 16), 3 + 16 + 8 + 50 + 3);
    EXPECT_EQ(TabNaturalWidth(0, false, 16), 22);
    EXPECT_EQ(TabNaturalWidth(-4, true, 0), 14);  // never below the insets

    EXPECT_EQ(TabStripHeight(11), 24);
    EXPECT_EQ(TabStripHeight(13), 26);  // integer division would give 24
    EXPECT_EQ(TabStripHeight(std::nullopt), 24);
    EXPECT_EQ(TabStripHeight(0), 12);
    EXPECT_EQ(TabStripHeight(1000), 255);  // kept within a byte

    EXPECT_EQ(TabImageOffset(-13), 1);
    EXPECT_EQ(TabImageOffset(-8), -1);  // toward zero
    EXPECT_EQ(TabScrollRepeatMs(2), 25);
    EXPECT_EQ(TabScrollRepeatMs(1), 100);
    EXPECT_EQ(TabScrollRepeatMs(3), 10);
    EXPECT_EQ(TabScrollRepeatMs(0), 0);
}

TEST(TabLayout, FitLayoutShrinksTheOthersThenSharesEqually) {
    struct Case { std::vector<int> natural; int selected; int width; std::vector<int> expected; } cases[] = {
        {{80, 60, 70}, 0, 200, {80, 51, 59}},   // proportional
        {{80, 60, 70}, 0, 120, {36, 36, 36}},   // not even 22 each: all equal
        {{80, 20, 70}, 0, 150, {80, 30, 30}},   // narrowest below 22: equal shares
        {{80, 60, 70}, 0, 220, {80, 60, 70}},   // fits with margins
        {{80, 60, 70}, -1, 100, {80, 60, 70}},  // no selection: natural
        {{80, 60, 70}, 1, 4, {0, 0, 0}},        // never negative
        {{80}, 0, 50, {40}},
        {{}, -1, 50, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitTabWidths(c.natural, c.selected, c.width), c.expected) << c.width;

    const auto items = PlaceTabs(std::vector<int>{80, 51}, 0, 24);
    EXPECT_EQ(items[0], (RECT{5, 0, 85, 24}));
    EXPECT_EQ(items[1], (RECT{85, 0, 136, 24}));
}

TEST(TabLayout, StripButtons) {
    // The docking box: bottom tabs, no buttons.
    auto box = LayOutTabStrip({0, 0, 200, 24}, 0x4002, true);
    EXPECT_EQ(box.tabArea, (RECT{0, 0, 200, 24}));
    EXPECT_FALSE(box.hasClose);
    EXPECT_FALSE(box.hasScroll);

    auto top = LayOutTabStrip({0, 0, 200, 24}, TAB_CLOSE | TAB_SCROLL, true);
    EXPECT_EQ(top.close, (RECT{181, 4, 196, 19}));
    EXPECT_EQ(top.scrollRight, (RECT{166, 4, 181, 19}));
    EXPECT_EQ(top.scrollLeft, (RECT{151, 4, 166, 19}));
    EXPECT_EQ(top.tabArea, (RECT{2, 0, 151, 24}));

    auto bottom = LayOutTabStrip({0, 0, 200, 24}, TAB_BOTTOM | TAB_CLOSE, true);
    EXPECT_EQ(bottom.close, (RECT{182, 6, 197, 21}));
    EXPECT_EQ(bottom.tabArea, (RECT{0, 0, 182, 24}));
    auto scrollOnly = LayOutTabStrip({0, 0, 200, 24}, TAB_BOTTOM | TAB_SCROLL, true);
    EXPECT_EQ(scrollOnly.scrollRight, (RECT{182, 6, 197, 21}));

    EXPECT_FALSE(LayOutTabStrip({0, 0, 200, 24}, TAB_CLOSE, false).hasClose);  // selected cannot close
    EXPECT_FALSE(LayOutTabStrip({0, 0, 18, 24}, TAB_CLOSE, true).hasClose);    // area under 15
    // No selection: no close button.
    const auto noSelection = ComputeTabLayout({{0, 0, 200, 24}, TAB_CLOSE, {50, 50}, -1, true, 0});
    EXPECT_FALSE(noSelection.strip.hasClose);
}

TEST(TabLayout, ScrollingLeavesNoGapAndNeverPassesHome) {
    // Three 80-px tabs (last right edge 245) in an area ending at 151.
    const int lastRight = 245, areaRight = 151;
    struct Case { int offset; TabScroll expected; } cases[] = {
        {0, {0, false, true}},        {-40, {-40, true, true}},  {-80, {-80, true, true}},
        {-120, {-99, true, false}},   {-99, {-99, true, false}}, {40, {0, false, true}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormaliseTabScroll(lastRight, areaRight, c.offset), c.expected) << c.offset;
    // Tabs that fit never scroll.
    EXPECT_EQ(NormaliseTabScroll(100, 151, -30), (TabScroll{0, false, false}));

    // Any offset and strip: the offset ends at 0 or below, with no gap after
    // the last tab unless the tabs are at home; flags match the offset.
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        const int last = std::uniform_int_distribution(0, 600)(random);
        const int right = std::uniform_int_distribution(0, 400)(random);
        const int offset = std::uniform_int_distribution(-800, 200)(random);
        const auto s = NormaliseTabScroll(last, right, offset);
        EXPECT_LE(s.offset, 0);
        EXPECT_TRUE(s.offset == 0 || last + kTabMargin + s.offset >= right);
        EXPECT_EQ(s.hiddenLeft, s.offset < 0);
        EXPECT_EQ(s.hiddenRight, last + s.offset > right);
    }

    const RECT area{2, 0, 151, 24};
    EXPECT_EQ(TabScrollToShow({165, 0, 245, 24}, area, 0, false), -114);  // ends 94 right of it
    EXPECT_EQ(TabScrollToShow({5, 0, 85, 24}, area, -99, false), -99 + 96 + 20);
    EXPECT_EQ(TabScrollToShow({85, 0, 165, 24}, area, 0, true), 0);  // partly visible stays
    EXPECT_EQ(TabScrollToShow({85, 0, 165, 24}, area, 0, false), -34);

    const auto layout = ComputeTabLayout({{0, 0, 200, 24}, TAB_CLOSE | TAB_SCROLL, {80, 80, 80}, 0, true, -120});
    EXPECT_EQ(layout.scroll, (TabScroll{-99, true, false}));
    EXPECT_EQ(layout.items.back(), (RECT{165, 0, 245, 24}));  // natural widths with scroll buttons
}

TEST(TabLayout, ItemContent) {
    // A natural tab for a 40-px text with a 16-px icon: 3 + 16 + 8 + 40 + 3 = 70.
    const auto natural = LayOutTabItem({5, 0, 75, 24}, 16, 16, 1, true);
    EXPECT_TRUE(natural.showImage);
    EXPECT_EQ(natural.image, (RECT{8, 5, 24, 21}));
    EXPECT_TRUE(natural.showText);
    EXPECT_EQ(natural.text, (RECT{28, 0, 68, 24}));
    // Shrunk to 22: the image, no text.
    const auto narrow = LayOutTabItem({5, 0, 27, 24}, 0, 0, 0, true);
    EXPECT_FALSE(narrow.showImage);
    EXPECT_TRUE(narrow.showText);  // 16 px left
    const auto tight = LayOutTabItem({5, 0, 27, 24}, 10, 10, 0, true);
    EXPECT_TRUE(tight.showImage);
    EXPECT_FALSE(tight.showText);  // 6 px left
    EXPECT_FALSE(LayOutTabItem({5, 0, 25, 24}, 16, 16, 0, false).showImage);  // not narrower than 14
}

TEST(TabLayout, HitTest) {
    const auto layout = ComputeTabLayout({{0, 0, 200, 24}, TAB_CLOSE | TAB_SCROLL, {80, 80, 80}, 0, true, -40});
    struct Case { POINT p; TabHit hit; } cases[] = {
        {{10, 10}, {0, TAB_HIT_ITEM}},   // 5..85 shifted by -40: -35..45
        {{50, 10}, {1, TAB_HIT_ITEM}},
        {{150, 10}, {2, TAB_HIT_ITEM}},  // 125..205
        {{185, 10}, {-1, TAB_HIT_CLOSE}},
        {{170, 10}, {-1, TAB_HIT_SCROLL_RIGHT}},
        {{155, 10}, {-1, TAB_HIT_SCROLL_LEFT}},
        {{1, 10}, {-1, TAB_HIT_NOWHERE}},
        {{185, 2}, {-1, TAB_HIT_NOWHERE}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HitTestTabs(layout.strip, layout.items, layout.scroll.offset, c.p), c.hit) << c.p.x << "," << c.p.y;
}

TEST(TabItemList, InsertSelectsFirstAndShiftsIndexes) {
    RecordingOwner owner;
    CTabItemList<char> list(owner);
    EXPECT_EQ(list.InsertItem(5, 'A', false), 0);
    EXPECT_EQ(owner.log, (Log{"-561 0", "-552 -1 0", "-551 -1 0"}));
    EXPECT_EQ(list.Selected(), 0);

    owner.log.clear();
    list.InsertItem(-1, 'B', false);
    list.SetHot(1);
    EXPECT_EQ(owner.log, (Log{"-561 1"}));
    list.InsertItem(0, 'C', false);  // at the selection: selection and hot follow their items
    EXPECT_EQ(Items(list), "CAB");
    EXPECT_EQ(list.Selected(), 1);
    EXPECT_EQ(list.Hot(), 2);
    list.InsertItem(3, 'D', true);
    EXPECT_EQ(list.Selected(), 3);
}

TEST(TabItemList, DeleteSelectsTheNeighbour) {
    struct Case { std::string items; int selected; int deleted; std::string after; int expected; } cases[] = {
        {"ABC", 2, 2, "AB", 1},   // selected last: its left neighbour
        {"ABC", 1, 1, "AC", 1},   // selected middle: the same index
        {"ABC", 2, 0, "BC", 1},   // before the selection: index - 1
        {"ABC", 0, 2, "AB", 0},   // after it: unchanged
        {"A", 0, 0, "", -1},      // the only item: none
    };
    for (const auto& c : cases) {
        RecordingOwner owner;
        auto list = MakeList(owner, c.items, c.selected);
        EXPECT_TRUE(list.DeleteItem(c.deleted, true, true));
        EXPECT_EQ(Items(list), c.after);
        EXPECT_EQ(list.Selected(), c.expected) << c.items << " " << c.deleted;
    }
    // The neighbour selection notifies, so the owner shows the neighbour.
    RecordingOwner owner;
    auto list = MakeList(owner, "ABC", 1);
    list.DeleteItem(1, true, true);
    EXPECT_EQ(owner.log, (Log{"-562 1", "-552 -1 1", "-551 -1 1"}));
    // A kept item stays; a bad index is refused.
    owner.keep = [](int) { return true; };
    EXPECT_FALSE(list.DeleteItem(0, true, true));
    EXPECT_FALSE(list.DeleteItem(7, true, true));
    EXPECT_EQ(Items(list), "AC");
    // Without neighbour selection nothing stays selected; the hot item follows.
    RecordingOwner quiet;
    auto other = MakeList(quiet, "ABC", 1);
    other.SetHot(2);
    other.DeleteItem(1, false, false);
    EXPECT_EQ(other.Selected(), -1);
    EXPECT_EQ(other.Hot(), 1);
    EXPECT_TRUE(quiet.log.empty());
}

TEST(TabItemList, RefusedSelectionAndKeys) {
    RecordingOwner owner;
    auto list = MakeList(owner, "ABC", 0);
    owner.refuseSelection = true;
    EXPECT_EQ(list.SetCurSel(2, true), -1);
    EXPECT_EQ(owner.log, (Log{"-552 0 2"}));  // no -551
    EXPECT_EQ(list.Selected(), 0);
    owner.refuseSelection = false;
    EXPECT_EQ(list.SetCurSel(9, true), 0);  // past the end keeps the selection
    EXPECT_EQ(list.Selected(), 0);

    list.SelectPrevious();  // at the start: nothing
    EXPECT_EQ(list.Selected(), 0);
    list.SelectNext();
    list.SelectNext();
    list.SelectNext();  // at the end: nothing
    EXPECT_EQ(list.Selected(), 2);
    list.SetCurSel(-5, false);
    EXPECT_EQ(list.Selected(), -1);
    list.SelectNext();
    list.SelectPrevious();
    EXPECT_EQ(list.Selected(), -1);  // no selection: the keys do nothing
}

TEST(TabItemList, AnOwnerThatShrinksTheListWhileAskedLosesNothingElse) {
    RecordingOwner owner;
    auto list = MakeList(owner, "ABC", 0);
    // Against the rules: the owner deletes the last item while asked about it.
    owner.keep = [&list](int index) {
        if (index == list.Count() - 1)
            list.DeleteItem(index, true, false);
        return false;
    };
    EXPECT_FALSE(list.DeleteItem(2, true, true));
    EXPECT_EQ(Items(list), "AB");
    list.DeleteAllItems();
    EXPECT_EQ(Items(list), "");
}

TEST(TabItemList, DeleteAllSkipsKeptItemsMoveAndSwapFollow) {
    RecordingOwner owner;
    auto list = MakeList(owner, "ABCD", 1);
    owner.keep = [&list](int index) { return list.Item(index) == 'C'; };
    list.DeleteAllItems();
    EXPECT_EQ(Items(list), "C");
    EXPECT_EQ(list.Selected(), -1);
    EXPECT_EQ(owner.log, (Log{"-562 0", "-562 0", "-562 0", "-562 1"}));

    RecordingOwner mover;
    auto moving = MakeList(mover, "ABCD", 2);
    moving.MoveItem(0, 3, true);
    EXPECT_EQ(Items(moving), "BCDA");
    EXPECT_EQ(moving.Selected(), 1);  // C followed
    moving.MoveItem(1, 0, false);
    EXPECT_EQ(Items(moving), "CBDA");
    EXPECT_EQ(moving.Selected(), 0);
    moving.SwapItems(0, 3, true);
    EXPECT_EQ(Items(moving), "ABDC");
    EXPECT_EQ(moving.Selected(), 3);
    EXPECT_EQ(mover.log, (Log{"-563 0 3", "-564 0 3"}));
}

TEST(TabTracking, CloseClickNeedsPressAndReleaseOnTheButton) {
    CTabButtonTracker tracker;
    tracker.OnMove(TabElement::Close);
    EXPECT_EQ(tracker.Hot(), TabElement::Close);
    tracker.OnPress(TabElement::Close);
    EXPECT_TRUE(tracker.IsDrawnPressed(TabElement::Close));
    EXPECT_TRUE(tracker.OnRelease());

    tracker.OnPress(TabElement::Close);
    tracker.OnMove(TabElement::TabArea);  // left it
    EXPECT_FALSE(tracker.IsDrawnPressed(TabElement::Close));
    EXPECT_EQ(tracker.Hot(), TabElement::Close);  // nothing new is hot while held
    EXPECT_FALSE(tracker.OnRelease());

    tracker.OnPress(TabElement::Close);
    tracker.OnMove(TabElement::None);
    tracker.OnMove(TabElement::Close);  // back on it
    EXPECT_TRUE(tracker.OnRelease());

    tracker.OnPress(TabElement::Close);
    tracker.OnCaptureLost();
    EXPECT_FALSE(tracker.OnRelease());
    tracker.OnPress(TabElement::ScrollRight);
    EXPECT_TRUE(tracker.Repeats(TabElement::ScrollRight));
    tracker.OnLeave();
    EXPECT_FALSE(tracker.Repeats(TabElement::ScrollRight));
}

TEST(TabTracking, DragSwapsWithoutOscillationAndTearsOutOnce) {
    // Tabs of 30 and 80 px: after a swap the wide tab lies under the pointer.
    std::vector<int> widths{30, 80, 50};
    auto hit = [&widths](int x) {
        int left = 0;
        for (int i = 0; i < static_cast<int>(widths.size()); ++i) {
            if (x >= left && x < left + widths[static_cast<std::size_t>(i)])
                return i;
            left += widths[static_cast<std::size_t>(i)];
        }
        return -1;
    };
    CTabDrag drag;
    drag.Begin(0, 10);
    auto step = drag.OnMove(hit(40), 40);
    ASSERT_EQ(step.action, CTabDrag::Action::Swap);
    EXPECT_EQ(step.first, 0);
    EXPECT_EQ(step.second, 1);
    std::swap(widths[0], widths[1]);
    EXPECT_EQ(drag.Dragged(), 1);
    // The pointer stays, or keeps moving the same way, over the wide tab: no swap back.
    for (const int x : {40, 41, 45, 60})
        EXPECT_EQ(drag.OnMove(hit(x), x).action, CTabDrag::Action::None) << x;
    // Moving back towards it, past where it swapped, swaps back.
    step = drag.OnMove(hit(39), 39);
    EXPECT_EQ(step.action, CTabDrag::Action::Swap);
    std::swap(widths[0], widths[1]);
    EXPECT_EQ(drag.Dragged(), 0);
    // Off every tab: torn out, once.
    EXPECT_EQ(drag.OnMove(-1, 500).action, CTabDrag::Action::TearOut);
    EXPECT_FALSE(drag.Active());
    EXPECT_EQ(drag.OnMove(-1, 600).action, CTabDrag::Action::None);

    CTabDrag cancelled;
    cancelled.Begin(1, 50);
    cancelled.Cancel();
    EXPECT_EQ(cancelled.OnMove(-1, 500).action, CTabDrag::Action::None);
    CTabDrag none;
    none.Begin(-1, 0);  // without a selection there is nothing to drag
    EXPECT_FALSE(none.Active());
}

TEST(TabTracking, ItemDragCrossesMidpoints) {
    const std::vector<RECT> items{{5, 0, 85, 24}, {85, 0, 125, 24}, {125, 0, 205, 24}};
    struct Case { int current; int x; int target; } cases[] = {
        {0, 100, -1}, {0, 105, 1}, {0, 130, -1}, {0, 170, 2}, {2, 110, -1}, {2, 100, 1}, {2, 40, 0}, {1, 100, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TabItemDragTarget(items, c.current, {c.x, 10}), c.target) << c.current << " " << c.x;
    const RECT area{2, 0, 151, 24};
    EXPECT_EQ(TabItemDragEdgeScroll(area, 21), -1);
    EXPECT_EQ(TabItemDragEdgeScroll(area, 22), 0);
    EXPECT_EQ(TabItemDragEdgeScroll(area, 131), 1);
}

TEST(TabColours, GreyTextAndTextRole) {
    struct Case { TabRgb grey; TabRgb expected; } cases[] = {
        {{128, 128, 128}, {84, 84, 84}},
        {{109, 109, 109}, {65, 65, 65}},
        {{128, 40, 10}, {84, 20, 5}},  // channels below 43 halved
        {{0, 0, 0}, {0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DarkenGreyText(c.grey), c.expected);
    EXPECT_EQ(ChooseTabTextRole(true, true, true), TabTextRole::HighlightedText);
    EXPECT_EQ(ChooseTabTextRole(true, true, false), TabTextRole::HotTrack);
    EXPECT_EQ(ChooseTabTextRole(true, false, false), TabTextRole::Selected);
    EXPECT_EQ(ChooseTabTextRole(false, false, false), TabTextRole::Inactive);
}

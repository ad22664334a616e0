#include "docking/core/FocusRules.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace dockwins;

namespace {

// A window tree of ids (0 is null):
//   1 frame
//   +- 2 History (caption)  +- 3 list  +- 4 entry in the list
//   +- 5 Variables (caption) +- 6 table
//   +- 7 entry line
struct Tree {
    std::map<int, int> parent{{2, 1}, {3, 2}, {4, 3}, {5, 1}, {6, 5}, {7, 1}};
    std::set<int> captions{2, 5};
    ParentOf<int> parentOf = [this](const int& w) {
        const auto found = parent.find(w);
        return found == parent.end() ? 0 : found->second;
    };
    std::function<bool(const int&)> hasCaption = [this](const int& w) { return captions.count(w) > 0; };
};

}  // namespace

TEST(FocusRules, ActiveOnlyStrictlyInside) {
    Tree t;
    struct Case { int focus; int window; bool active; } cases[] = {
        {3, 2, true}, {4, 2, true}, {2, 2, false}, {7, 2, false}, {6, 2, false}, {0, 2, false}, {4, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsCaptionActive(c.focus, c.window, t.parentOf), c.active) << c.focus << " in " << c.window;
}

TEST(FocusRules, OwnersAndRepaints) {
    Tree t;
    EXPECT_EQ(FindCaptionOwner(4, t.parentOf, t.hasCaption), 2);
    EXPECT_EQ(FindCaptionOwner(5, t.parentOf, t.hasCaption), 5);
    EXPECT_EQ(FindCaptionOwner(7, t.parentOf, t.hasCaption), 0);
    // From History into Variables: both repaint, the gaining one first.
    EXPECT_EQ(CaptionRepaintsForFocusChange(6, 4, t.parentOf, t.hasCaption), (std::vector<int>{5, 2}));
    EXPECT_EQ(CaptionRepaintsForFocusChange(4, 3, t.parentOf, t.hasCaption), (std::vector<int>{2}));
    EXPECT_EQ(CaptionRepaintsForFocusChange(7, 0, t.parentOf, t.hasCaption), (std::vector<int>{}));
}

TEST(FocusRules, LastFocusMap) {
    Tree t;
    CLastFocusMap<int> map;
    EXPECT_EQ(map.FocusTarget(2, t.parentOf), 2);  // nothing remembered: the window itself
    map.FocusChanged(2, 4, IsStrictDescendant(4, 2, t.parentOf));
    map.FocusChanged(2, 2, IsStrictDescendant(2, 2, t.parentOf));  // the window itself is not remembered
    EXPECT_EQ(map.FocusTarget(2, t.parentOf), 4);
    map.Record(2, 3, true);  // painting never changes an entry
    EXPECT_EQ(map.Remembered(2), 4);
    map.Record(5, 7, false);
    EXPECT_TRUE(map.Has(5));
    EXPECT_EQ(map.Remembered(5), 0);

    // A control moved elsewhere is no longer inside: the window itself.
    t.parent[4] = 6;
    EXPECT_EQ(map.FocusTarget(2, t.parentOf), 2);
    t.parent[4] = 3;
    // A destroyed control is never given the focus back.
    map.Forget(4);
    EXPECT_EQ(map.FocusTarget(2, t.parentOf), 2);
    map.Forget(2);
    EXPECT_FALSE(map.Has(2));
}

TEST(FocusRules, CloseAndActivation) {
    EXPECT_EQ(ChooseFocusAfterClose(7, 7, true), FocusAfterClose::Leave);  // the entry line keeps it
    EXPECT_EQ(ChooseFocusAfterClose(4, 1, true), FocusAfterClose::Restore);
    EXPECT_EQ(ChooseFocusAfterClose(4, 1, false), FocusAfterClose::TopLevel);
    EXPECT_EQ(ChooseFocusAfterClose(0, 1, true), FocusAfterClose::TopLevel);

    Tree t;
    CActivationFocus<int> activation;
    activation.Deactivated(6);
    EXPECT_EQ(activation.Activated(1, t.parentOf), 6);
    activation.Forget(6);
    EXPECT_EQ(activation.Activated(1, t.parentOf), 0);
    activation.Deactivated(42);  // a window outside the frame
    EXPECT_EQ(activation.Activated(1, t.parentOf), 0);
}

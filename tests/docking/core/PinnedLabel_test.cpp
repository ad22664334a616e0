#include "docking/core/PinnedLabel.h"
#include "docking/core/PinnedLabelLayout.h"

#include <gtest/gtest.h>

#include <random>

using namespace dockwins;

namespace {

using Label = CPinnedLabel<int>;

Label MakeLabel(const std::vector<std::u16string>& texts, int active, int width = 200) {
    std::vector<Label::Entry> entries;
    for (std::size_t i = 0; i < texts.size(); ++i)
        entries.push_back({static_cast<int>(i) + 1, 0, texts[i], true});
    return Label(entries, active, width);
}

int Measure(const std::u16string& text) {
    return static_cast<int>(text.size()) * 7;
}

}  // namespace

TEST(PinnedLabelLayout, WidthDistribution) {
    struct Case { std::vector<int> desired; int length; std::vector<int> expected; } cases[] = {
        {{10, 50, 60}, 101, {10, 37, 37}},   // L 100
        {{10, 20, 30}, 101, {10, 20, 30}},   // needs fit: desired widths kept
        {{30, 30, 30}, 21, {1, 1, 1}},       // share 6: the cap is 1, not 0
        {{30, 30, 30}, 10, {0, 0, 0}},
        {{300}, 101, {95}},
        {{}, 50, {}},
        {{40, 40}, 0, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DistributeLabelWidths(c.desired, c.length), c.expected) << c.length;

    // Any strip: shared-out labels and their gaps never exceed the length,
    // and labels that fit keep their widths.
    std::mt19937 random(11);
    for (int run = 0; run < 500; ++run) {
        std::vector<int> desired(std::uniform_int_distribution(1, 6)(random));
        for (int& d : desired)
            d = std::uniform_int_distribution(0, 200)(random);
        const int length = std::uniform_int_distribution(1, 600)(random);
        const auto widths = DistributeLabelWidths(desired, length);
        int total = 0;
        for (std::size_t i = 0; i < widths.size(); ++i) {
            EXPECT_GE(widths[i], 0);
            EXPECT_LE(widths[i], desired[i]);
            total += widths[i] + kPinnedLabelGap;
        }
        if (total > length - 1) {
            // Only when the gaps alone do not fit.
            EXPECT_LT(length - 1, static_cast<int>(widths.size()) * kPinnedLabelGap + static_cast<int>(widths.size()));
        }
    }
}

TEST(PinnedLabelLayout, DesiredWidthsAndEntryFromPoint) {
    EXPECT_EQ(SingleLabelDesiredWidth(40, true, 16), 40 + 6 + 16 + 3);
    EXPECT_EQ(SingleLabelDesiredWidth(40, false, 16), 46);
    EXPECT_EQ(MultiLabelDesiredWidth(40, 3, 16), 40 + 6 + 16 + 3 + 2 * 22);
    EXPECT_EQ(MultiLabelInactiveWidthFor(120, 3, 22), 22);
    EXPECT_EQ(MultiLabelInactiveWidthFor(60, 3, 22), 20);
    EXPECT_EQ(MultiLabelInactiveWidthFor(2, 3, 22), 0);

    struct Case { int offset; int entry; } cases[] = {
        {10, 0}, {21, 0}, {22, 1}, {50, 1}, {98, 1}, {99, 2}, {100, 2}, {119, 2}, {500, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MultiLabelEntryFromPoint(c.offset, 3, 22, 1, 120), c.entry) << c.offset;
    EXPECT_EQ(MultiLabelEntryFromPoint(50, 3, 0, 1, 2), 1);  // no inactive room: no division by zero
    EXPECT_EQ(MultiLabelEntryFromPoint(-5, 3, 22, 2, 120), 0);
}

TEST(PinnedLabelLayout, LabelAndEntryRects) {
    // A left strip (x 0..24) from y 0 to 300: the area is x 0..22, y 3..297.
    const auto left = PinnedLabelRects({0, 0, 24, 300}, 3, std::vector<int>{80, 40});
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0], (RECT{0, 3, 22, 83}));
    EXPECT_EQ(left[1], (RECT{0, 88, 22, 128}));
    const auto bottom = PinnedLabelRects({0, 476, 600, 500}, 0, std::vector<int>{100});
    EXPECT_EQ(bottom[0], (RECT{3, 478, 103, 500}));
    EXPECT_TRUE(PinnedLabelRects({0, 0, 24, 10}, 3, std::vector<int>{5, 5}).empty());  // 4 px for one gap

    EXPECT_EQ(PinnedLabelAt(left, 3, {10, 50}).label, 0);
    EXPECT_EQ(PinnedLabelAt(left, 3, {10, 50}).offset, 47);
    EXPECT_EQ(PinnedLabelAt(left, 3, {10, 85}).label, -1);  // in the gap
    EXPECT_EQ(PinnedLabelAt(left, 3, {10, 90}).label, 1);

    const auto entries = MultiLabelEntryRects({0, 0, 120, 24}, 2, 3, 1, 22);
    EXPECT_EQ(entries[0], (RECT{0, 0, 22, 24}));
    EXPECT_EQ(entries[1], (RECT{22, 0, 98, 24}));
    EXPECT_EQ(entries[2], (RECT{98, 0, 120, 24}));

    const auto full = PinnedEntryLayout({22, 0, 98, 24}, 2, true, 16, true);
    EXPECT_TRUE(full.showIcon);
    EXPECT_EQ(full.icon, (RECT{25, 4, 41, 20}));
    EXPECT_EQ(full.text, (RECT{44, 3, 95, 21}));
    const auto vertical = PinnedEntryLayout({0, 3, 22, 83}, 3, true, 16, true);
    EXPECT_EQ(vertical.icon, (RECT{3, 6, 19, 22}));
    EXPECT_EQ(vertical.text.top, 25);
    const auto iconOnly = PinnedEntryLayout({0, 0, 22, 24}, 2, true, 16, false);
    EXPECT_TRUE(iconOnly.showIcon);
    EXPECT_FALSE(iconOnly.showText);
    const auto textOnly = PinnedEntryLayout({0, 0, 20, 24}, 2, true, 16, false);
    EXPECT_FALSE(textOnly.showIcon);
    EXPECT_TRUE(textOnly.showText);
    // A label under 6 px leaves a negative text room: the text is then skipped
    // by the ellipsis cut.
    EXPECT_LT(PinnedEntryLayout({0, 0, 5, 24}, 2, false, 16, true).text.Width(), 0);

    const auto edge = PinnedLabelOpenEdge({0, 3, 22, 83}, 3);
    EXPECT_EQ(edge.from, (POINT{0, 4}));
    EXPECT_EQ(edge.to, (POINT{0, 82}));
}

TEST(PinnedLabel, PinActiveReferenceAndWidths) {
    auto box = MakeLabel({u"History", u"Variables", u"Keys"}, 2);
    EXPECT_TRUE(box.IsMulti());
    EXPECT_EQ(box.Active(), 1);
    EXPECT_EQ(box.Reference(), 1);  // the longest text
    EXPECT_EQ(box.At(2).width, 200);
    EXPECT_EQ(box.DesiredWidth(Measure, 16), 63 + 6 + 16 + 3 + 2 * 22);
    box.SetWidth(120);
    EXPECT_EQ(box.InactiveWidth(), 22);
    EXPECT_EQ(box.EntryFromPoint(10, false), 0);
    EXPECT_EQ(box.EntryFromPoint(100, true), 2);
    EXPECT_EQ(box.Active(), 2);
    box.SetWidth(30);
    EXPECT_EQ(box.InactiveWidth(), 10);

    // An active window not among the windows: entry 0.
    auto stray = MakeLabel({u"A", u"B"}, 99);
    EXPECT_EQ(stray.Active(), 0);
    // The same window twice is pinned once.
    Label twice({{7, 0, u"A", false}, {7, 0, u"A", false}}, 7, 50);
    EXPECT_EQ(twice.Count(), 1);

    auto single = MakeLabel({u"History"}, 1);
    EXPECT_FALSE(single.IsMulti());
    EXPECT_EQ(single.DesiredWidth(Measure, 16), 49 + 6 + 16 + 3);
    EXPECT_EQ(single.EntryFromPoint(500, true), 0);
}

TEST(PinnedLabel, RemoveKeepsTheActiveEntry) {
    // Windows 1..4 are A..D; `expected` is the active index afterwards.
    struct Case { int active; int removed; int expected; } cases[] = {
        {3, 1, 1},  // C stays active after A leaves (not D)
        {4, 1, 2},  // D stays active
        {4, 4, 2},  // the last, active, leaves: the new last
        {2, 2, 1},  // the active leaves: the next takes its index
        {1, 4, 0},
    };
    for (const auto& c : cases) {
        auto label = MakeLabel({u"A", u"B", u"C", u"D"}, c.active);
        const std::u16string activeText = label.At(label.Active()).text;
        EXPECT_EQ(label.Remove(c.removed), Label::RemoveResult::Reduced);
        EXPECT_EQ(label.Active(), c.expected) << c.active << " " << c.removed;
        if (c.active != c.removed) {
            EXPECT_TRUE(label.At(label.Active()).text == activeText);
        }
    }
    auto label = MakeLabel({u"Longest", u"", u"Mid"}, 1);
    EXPECT_EQ(label.Reference(), 0);
    label.Remove(1);
    EXPECT_EQ(label.Reference(), 1);  // the last entry with a text
    EXPECT_EQ(label.Remove(42), Label::RemoveResult::NotFound);

    // Two windows: the other stays as a single label with its own text.
    auto pair = MakeLabel({u"History", u"Variables"}, 2);
    EXPECT_EQ(pair.Remove(2), Label::RemoveResult::Reduced);
    EXPECT_FALSE(pair.IsMulti());
    EXPECT_TRUE(pair.At(0).text == u"History");
    EXPECT_EQ(pair.Active(), 0);
    EXPECT_EQ(pair.DesiredWidth(Measure, 16), 49 + 6 + 16 + 3);
    EXPECT_EQ(pair.Remove(1), Label::RemoveResult::Empty);
}

TEST(PinnedLabel, PositionsAndUnpinOrder) {
    auto box = MakeLabel({u"A", u"B", u"C"}, 2, 180);
    const auto b = box.PositionOf(2);
    EXPECT_TRUE(b.found);
    EXPECT_EQ(b.width, 180);
    EXPECT_EQ(b.tabIndex, 1);
    EXPECT_TRUE(b.active);
    EXPECT_FALSE(box.PositionOf(1).active);
    EXPECT_FALSE(box.PositionOf(9).found);
    EXPECT_EQ(box.UnpinOrder(), (std::vector<int>{1, 2, 3}));
    auto single = MakeLabel({u"A"}, 1);
    EXPECT_EQ(single.PositionOf(1).tabIndex, 0);
    EXPECT_FALSE(single.PositionOf(1).active);
}

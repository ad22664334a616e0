#include "docking/core/WindowStateRecords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace sstate;
using dockwins::RECT;

namespace {

DockingRecord Docked(std::uint32_t side, int bar, float fraction, int tab, std::uint32_t width = 200,
                     std::uint32_t height = 100)
{
    DockingRecord r;
    r.words[2] = 4;
    r.SetSideFlags(side);
    r.SetBarIndex(bar);
    r.SetFraction(fraction);
    r.SetTabIndex(tab);
    r.SetWidth(width);
    r.SetHeight(height);
    r.SetDocked(true);
    r.SetVisible(true);
    return r;
}

}  // namespace

TEST(WindowStateRecords, BinaryFormsAreLittleEndianWithExactSizes)
{
    WindowPlacement p = PlacementForStore({10, 20, 710, 670}, false);
    const Bytes pb = p.ToBytes();
    ASSERT_EQ(pb.size(), 44u);
    EXPECT_EQ(pb[0], 44);
    EXPECT_EQ(pb[8], 1);            // show command normal
    EXPECT_EQ(pb[28], 10);          // normal rectangle's left
    EXPECT_EQ(pb[36], 710 & 0xFF);  // right, low byte first
    EXPECT_EQ(pb[37], 710 >> 8);
    EXPECT_EQ(WindowPlacement::FromBytes(pb), p);
    const WindowPlacement max = PlacementForStore({10, 20, 710, 670}, true);
    EXPECT_EQ(max.flags, kRestoreToMaximized);
    EXPECT_EQ(max.showCmd, kShowMaximized);

    BandInfo band{0x105, 300, 0xEB01, 250};
    const Bytes bb = band.ToBytes();
    ASSERT_EQ(bb.size(), 80u);
    EXPECT_EQ(bb[0], 80);
    EXPECT_EQ(bb[4], 0x41);
    EXPECT_EQ(bb[5], 0x03);
    EXPECT_EQ(BandInfo::FromBytes(bb), band);

    DockingRecord r = Docked(3, 1, 0.5f, 2);
    const Bytes rb = r.ToBytes();
    ASSERT_EQ(rb.size(), 60u);
    EXPECT_EQ(rb[12], 3);
    EXPECT_EQ(rb[22], 0x00);  // 0.5f = 0x3F000000
    EXPECT_EQ(rb[23], 0x3F);
    EXPECT_EQ(DockingRecord::FromBytes(rb), r);

    // Any other size is no value at all.
    for (std::size_t size : {0u, 1u, 10u, 43u, 45u, 59u, 61u, 79u, 81u, 200u}) {
        const Bytes b(size, 0x11);
        EXPECT_FALSE(WindowPlacement::FromBytes(b)) << size;
        EXPECT_FALSE(BandInfo::FromBytes(b)) << size;
        EXPECT_FALSE(DockingRecord::FromBytes(b)) << size;
    }
}

TEST(WindowStateRecords, ShowCommandsOtherThanMaximisedShowNormally)
{
    for (int cmd : {0, 1, 2, 4, 5, 6, 7, 9, -1, 1000})
        EXPECT_FALSE(RestoresMaximized(cmd)) << cmd;
    EXPECT_TRUE(RestoresMaximized(3));
}

TEST(WindowStateRecords, ScreenRatio)
{
    struct Case {
        std::optional<std::int64_t> stored;
        std::int64_t current;
        float ratio;
    } cases[] = {
        {960, 1920, 2.0f}, {1920, 960, 0.5f}, {1080, 1080, 1.0f}, {std::nullopt, 1920, 1.0f},
        {0, 1920, 1.0f},   {-5, 1920, 1.0f},  {100001, 1920, 1.0f}, {100000, 1000, 0.01f},
        {1, 1, 1.0f},      {1920, 0, 1.0f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(ScreenRatio(c.stored, c.current), c.ratio) << (c.stored ? *c.stored : -1) << " " << c.current;
}

TEST(WindowStateRecords, ScalingFollowsTheBarsAxis)
{
    // Stored on 960 x 1080, restored on 1920 x 1080.
    const float x = ScreenRatio(960, 1920), y = ScreenRatio(1080, 1080);
    DockingRecord left = Docked(3, 0, 0.0f, 0, 200, 100);
    left.SetFloatRect({100, 50, 400, 250});
    ScaleRecord(left, x, y);
    EXPECT_EQ(left.Width(), 400u);
    EXPECT_EQ(left.Height(), 100u);
    EXPECT_EQ(left.FloatRect(), (RECT{200, 50, 800, 250}));

    DockingRecord top = Docked(2, 0, 0.0f, 0, 150, 300);  // outer package, before: a bar above
    ScaleRecord(top, x, 0.5f);
    EXPECT_EQ(top.Width(), 75u);    // across a top bar: the vertical ratio
    EXPECT_EQ(top.Height(), 600u);  // along it: the horizontal one

    DockingRecord floatingBox;
    floatingBox.SetSideFlags(kSideFloating);
    floatingBox.SetDocked(true);
    floatingBox.SetPositionRect({100, 50, 400, 250});
    ScaleRecord(floatingBox, x, y);
    EXPECT_EQ(floatingBox.PositionRect(), (RECT{200, 50, 800, 250}));

    DockingRecord huge = Docked(3, 0, 0.0f, 0, 0xFFFFFFF0u, 100);
    ScaleRecord(huge, 2.0f, 1.0f);
    EXPECT_EQ(huge.Width(), 0xFFFFFFFFu);  // saturated, then clamped below
    ClampRecord(huge);
    EXPECT_EQ(huge.Width(), static_cast<std::uint32_t>(kMaxScreenSize));
}

TEST(WindowStateRecords, ClampingMakesEveryFieldUsable)
{
    struct Case {
        float fraction;
        std::int32_t bar, tab;
        std::uint32_t side, width, height;
        float wantFraction;
        std::int32_t wantBar, wantTab;
        std::uint32_t wantSide, wantWidth, wantHeight;
    } cases[] = {
        {std::nanf(""), 0, 0, 3, 200, 100, 0.0f, 0, 0, 3, 200, 100},
        {-0.5f, 0, 0, 3, 200, 100, 0.0f, 0, 0, 3, 200, 100},
        {7.0f, 0, 0, 3, 200, 100, 1.0f, 0, 0, 3, 200, 100},
        {std::numeric_limits<float>::infinity(), 0, 0, 3, 200, 100, 1.0f, 0, 0, 3, 200, 100},
        {0.25f, 0x7fffffff, -3, 3, 200, 100, 0.25f, kMaxIndex, 0, 3, 200, 100},
        {0.25f, -1, 0x7fffffff, 0xFFFFFFC3u, 200, 100, 0.25f, 0, kMaxIndex, 3, 200, 100},
        // Sizes beyond any frame are kept (the frame keeps them to itself);
        // beyond any screen they are not.
        {0.0f, 0, 0, 3, 5000, 5000, 0.0f, 0, 0, 3, 5000, 5000},
        {0.0f, 0, 0, 2, 100001, 0xFFFFFFFFu, 0.0f, 0, 0, 2, 100000, 100000},
    };
    for (const Case& c : cases) {
        DockingRecord r = Docked(c.side, c.bar, c.fraction, c.tab, c.width, c.height);
        r.words[13] = 77;
        ClampRecord(r);
        EXPECT_FLOAT_EQ(r.Fraction(), c.wantFraction);
        EXPECT_EQ(r.BarIndex(), c.wantBar);
        EXPECT_EQ(r.TabIndex(), c.wantTab);
        EXPECT_EQ(r.SideFlags(), c.wantSide);
        EXPECT_EQ(r.Width(), c.wantWidth);
        EXPECT_EQ(r.Height(), c.wantHeight);
        EXPECT_EQ(r.words[13], 1u);
    }
    // Rectangles off today's screens are kept; beyond any screen's coordinates they are not.
    for (const bool floating : {false, true}) {
        DockingRecord r = Docked(3, 0, 0.0f, 0);
        r.SetFloatRect({-3000, 2500, 4000, 2800});
        if (floating) {
            r.SetSideFlags(kSideFloating);
            r.SetPositionRect({std::numeric_limits<int>::min(), 5, 200000, std::numeric_limits<int>::max()});
        }
        ClampRecord(r);
        EXPECT_EQ(r.FloatRect(), (RECT{-3000, 2500, 4000, 2800}));
        if (floating) {
            EXPECT_EQ(r.PositionRect(), (RECT{-100000, 5, 100000, 100000}));
        }
    }
}

TEST(WindowStateRecords, RecordsComeOutInOrderAndGroupByPlace)
{
    // Two windows on the same left bar place (one box), one further along,
    // one on a right bar, two in a floating box, two pinned to one side, one
    // on a bar below.
    DockingRecord pinA = Docked(36 + 1, 0, 0.0f, 0, 150);
    DockingRecord pinB = Docked(36 + 1, 0, 0.0f, 1, 180);
    pinB.SetSideFlags(pinB.SideFlags() | kSideBoxActive);
    DockingRecord boxA, boxB;
    for (DockingRecord* r : {&boxA, &boxB}) {
        r->SetSideFlags(kSideFloating);
        r->words[4] = 1u << 9;
        r->SetDocked(true);
        r->SetVisible(true);
    }
    boxB.SetTabIndex(1);
    const std::vector<std::pair<int, DockingRecord>> records = {
        {-1, Docked(3, 0, 0.0f, 1)}, {-2, Docked(3, 0, 0.0f, 0)}, {-3, Docked(3, 0, 0.5f, 0)},
        {-4, Docked(1, 1, 0.0f, 0)}, {-5, boxB}, {-6, boxA}, {-7, pinA}, {-8, pinB}, {-9, Docked(0, 0, 0.0f, 0)},
    };
    const auto plan = PlanDockedRecords(records);
    std::vector<int> order;
    std::vector<bool> starts;
    for (const auto& p : plan) {
        order.push_back(p.id);
        starts.push_back(p.startsGroup);
    }
    // Bars below (0) before left (3), then pinned (37) and right (1) by bar, floating boxes last.
    EXPECT_EQ(order, (std::vector<int>{-9, -2, -1, -3, -7, -8, -4, -6, -5}));
    EXPECT_EQ(starts, (std::vector<bool>{true, true, false, true, true, true, true, true, false}));

    const auto pins = GroupPinned(plan);
    ASSERT_EQ(pins.size(), 1u);  // one label, pinned once
    EXPECT_EQ(pins[0].ids, (std::vector<int>{-7, -8}));
    EXPECT_EQ(pins[0].activeId, -8);
    EXPECT_EQ(pins[0].width, 180u);
    EXPECT_EQ(pins[0].widths, (std::vector<std::uint32_t>{150, 180}));  // each pane keeps its own

    // Keys of different bars never join (a fraction that reaches the bar bits).
    const auto apart = PlanDockedRecords({{-1, Docked(3, 1, 0.0f, 0)}, {-2, Docked(3, 0, 1.0f, 0)}});
    EXPECT_TRUE(apart[0].startsGroup);
    EXPECT_TRUE(apart[1].startsGroup);
}

TEST(WindowStateRecords, PinnedOfDifferentSidesMakeSeparateLabels)
{
    const auto plan = PlanDockedRecords({{-1, Docked(36 + 0, 0, 0.0f, 0, 120)}, {-2, Docked(36 + 3, 0, 0.0f, 0, 130)}});
    const auto pins = GroupPinned(plan);
    ASSERT_EQ(pins.size(), 2u);
    EXPECT_EQ(pins[0].ids.size(), 1u);
    EXPECT_EQ(pins[1].ids.size(), 1u);
}

TEST(WindowStateRecords, BandsMoveToTheirStoredPositionAndTheMenuStaysShown)
{
    const std::vector<BandInfo> created = {{0x104, 0, 0xEB00, 0}, {0x105, 0, 0xEB01, 0}};
    struct Case {
        std::vector<std::optional<BandInfo>> stored;
        std::vector<BandInfo> expected;
    } cases[] = {
        {{}, created},
        {{BandInfo{0x10C, 10, 0xEB00, 11}, BandInfo{0x10D, 20, 0xEB01, 21}},
         {{0x104, 10, 0xEB00, 11}, {0x10D, 20, 0xEB01, 21}}},  // the menu's hidden bit dropped
        {{BandInfo{0x105, 30, 0xEB01, 31}, BandInfo{0x104, 40, 0xEB00, 41}},
         {{0x105, 30, 0xEB01, 31}, {0x104, 40, 0xEB00, 41}}},  // order as stored
        {{std::nullopt, BandInfo{0x10D, 5, 0xEB01, 6}}, {{0x104, 0, 0xEB00, 0}, {0x10D, 5, 0xEB01, 6}}},
        {{BandInfo{0x10D, 5, 0x1234, 6}}, created},  // an id that is not there
    };
    for (const Case& c : cases)
        EXPECT_EQ(RestoreBands(created, c.stored, 0xEB00), c.expected);
}

TEST(WindowStateRecords, RandomRecordsSurviveTheRoundTripAndClampIsStable)
{
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        DockingRecord r;
        for (auto& w : r.words)
            w = random();
        EXPECT_EQ(DockingRecord::FromBytes(r.ToBytes()), r);
        ClampRecord(r);
        DockingRecord again = r;
        ClampRecord(again);
        EXPECT_EQ(again, r);
        if (!r.Floating()) {
            EXPECT_GE(r.Fraction(), 0.0f);
            EXPECT_LE(r.Fraction(), 1.0f);
            EXPECT_LE(r.Width(), static_cast<std::uint32_t>(kMaxScreenSize));
        }
        Bytes b(WindowPlacement::kSize);
        for (auto& x : b)
            x = static_cast<std::uint8_t>(random());
        EXPECT_EQ(WindowPlacement::FromBytes(b)->ToBytes(), b);
    }
}

// The frames packages and the docking frame's answers to dock requests, with
// fake frames: client minimum 600 x 450, windows 100 x 100, packages
// (0, 0, 1000, 600).

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "FakeFrames.h"
#include "docking/core/DockingFrameLayout.h"
#include "docking/core/LayoutCheck.h"
#include "docking/core/SplitterMoveTracker.h"

namespace {

using namespace dockwins;
using fakes::FakeBar;
using fakes::FakeFrame;
using fakes::FakeHost;
using fakes::FakeWindow;

struct Frame {
    Frame()
    {
        client.min = {{600, 450}};
        for (FakeWindow* w : {&client, &history, &variables, &other})
            host.Add(*w);
        layout.OnCreate({0, 0, 1000, 600}, std::make_unique<FakeFrame>(client, true));
    }

    std::intptr_t Send(DockRequest& r) { return layout.Handle(r, this, {1000, 600}, metrics); }

    // The frame's DockWindow: a first dock, whose height is the size with the bar.
    bool Dock(FakeWindow& w, unsigned side, int bar, float fraction, unsigned width, unsigned height)
    {
        return Place(w, {side, bar, fraction, width, height, 0, {}}, true);
    }
    // A window going back to a position it reported (code 4).
    bool DockBack(FakeWindow& w, const DockPosition& position) { return Place(w, position, false); }
    bool Place(FakeWindow& w, const DockPosition& position, bool firstDock)
    {
        DockRequest r;
        r.window = &w;
        r.target = this;
        r.code = kSetDockingPosition;
        r.position = position;
        r.heightIncludesBar = firstDock;
        return Send(r) != 0;
    }

    FakeBar* BarOf(const FakeWindow& w)
    {
        for (FakeBar* bar : host.bars)
            if (bar->Package().IndexOf(const_cast<FakeWindow*>(&w)) >= 0)
                return bar;
        return nullptr;
    }

    DockRequest Position(FakeWindow& w)
    {
        DockRequest r;
        r.window = &w;
        r.target = BarOf(w);
        r.code = kGetDockingPosition;
        EXPECT_NE(Send(r), 0);
        return r;
    }

    bool Undock(FakeWindow& w)
    {
        FakeBar* bar = BarOf(w);
        if (!bar || !bar->Package().Remove(&w))
            return false;
        if (bar->Package().Count() == 0) {
            DockRequest r;
            r.window = bar;
            r.code = kUndock;
            EXPECT_NE(Send(r), 0);  // the package deletes the bar
            std::erase(host.bars, bar);
        }
        return true;
    }

    std::vector<std::string> Problems()
    {
        std::vector<std::string> problems;
        CheckPackageLayout(layout.Outer(), "outer", MinimumCheck::All, problems);
        CheckPackageLayout(layout.Inner(), "inner", MinimumCheck::All, problems);
        for (FakeBar* bar : host.bars)
            CheckPackageLayout(bar->Package(), "bar", MinimumCheck::All, problems);
        return problems;
    }

    SystemMetrics metrics;
    FakeHost host;
    FakeWindow client, history, variables, other;
    CDockingFrameLayout layout{host};
};

RECT R(int l, int t, int r, int b) { return {l, t, r, b}; }

TEST(DockingFrameLayout, DockWindowBuildsTheLeftBarAndCode4ReadsItBack)
{
    Frame f;
    ASSERT_TRUE(f.Dock(f.history, 3, 0, 0.0f, 200, 100));
    ASSERT_EQ(f.host.bars.size(), 1u);
    EXPECT_EQ(f.host.bars[0]->placed, R(0, 0, 200, 600));
    EXPECT_EQ(f.client.placed, R(205, 0, 1000, 600));
    EXPECT_EQ(f.history.placed, R(0, 0, 200, 600));
    EXPECT_EQ(f.Position(f.history).position.sideFlags, 7u);  // alone in its bar

    ASSERT_TRUE(f.Dock(f.variables, 3, 0, 0.0f, 200, 100));
    EXPECT_EQ(f.host.bars.size(), 1u);
    EXPECT_EQ(f.variables.placed, R(0, 0, 200, 95));
    EXPECT_EQ(f.history.placed, R(0, 100, 200, 600));

    const DockPosition h = f.Position(f.history).position;
    EXPECT_EQ(h.sideFlags, 3u);
    EXPECT_EQ(h.barIndex, 0);
    EXPECT_EQ(h.width, 200u);
    EXPECT_EQ(h.fraction, static_cast<float>(100.0 / 605.0));
    EXPECT_EQ(h.height, 500u);
    const DockPosition v = f.Position(f.variables).position;
    EXPECT_EQ(v.fraction, 0.0f);
    EXPECT_EQ(v.height, 95u);
    // A first dock takes the size it states with the window's bar: 100 is 5
    // below the minimum, which every later placement gives back.
    EXPECT_EQ(f.Problems(), std::vector<std::string>{"bar frame 0: below its minimum (0,0,200,95)"});
}

TEST(DockingFrameLayout, StoredPositionsComeBackToTheSamePlace)
{
    Frame f;
    ASSERT_TRUE(f.Dock(f.history, 3, 0, 0.0f, 200, 100));
    ASSERT_TRUE(f.Dock(f.variables, 3, 0, 0.0f, 200, 100));
    // Each window of the bar leaves and comes back at its fraction and
    // height, again and again: the top one (moved to 295), the bottom one
    // and one in the middle. The top one at the first dock's 95 (the stated
    // 100 with its bar, 5 below its minimum) comes back at its minimum.
    f.host.bars[0]->Package().MoveBar(1, 295);
    f.host.bars[0]->Package().Arrange();
    ASSERT_EQ(f.variables.placed, R(0, 0, 200, 295));
    const auto cycles = [&](FakeWindow& w, const RECT& place) {
        for (int i = 0; i < 6; ++i) {
            const DockPosition p = f.Position(w).position;
            ASSERT_TRUE(f.Undock(w));
            ASSERT_TRUE(f.DockBack(w, p));
            EXPECT_EQ(w.placed, place) << "cycle " << i;
            // And it tells the same place again.
            const DockPosition again = f.Position(w).position;
            EXPECT_EQ(again.fraction, p.fraction) << "cycle " << i;
            EXPECT_EQ(again.height, p.height) << "cycle " << i;
            EXPECT_EQ(f.Problems(), std::vector<std::string>{});
        }
    };
    cycles(f.variables, R(0, 0, 200, 295));
    cycles(f.history, R(0, 300, 200, 600));
    ASSERT_TRUE(f.Dock(f.other, 3, 0, 0.2f, 200, 100));
    const RECT middle = f.other.placed;
    ASSERT_EQ(middle, R(0, 121, 200, 295));
    cycles(f.other, middle);
    // Resized, the bars stand at fractions of a pixel: each window still
    // comes back to the pixel it was at.
    f.layout.UpdateLayout({0, 0, 1000, 566});
    ASSERT_NE(f.host.bars[0]->Package().Position(2), std::trunc(f.host.bars[0]->Package().Position(2)));
    for (FakeWindow* w : {&f.variables, &f.other, &f.history})
        cycles(*w, RECT(w->placed));
    f.layout.UpdateLayout({0, 0, 1000, 600});
    Frame first;
    ASSERT_TRUE(first.Dock(first.history, 3, 0, 0.0f, 200, 100));
    ASSERT_TRUE(first.Dock(first.variables, 3, 0, 0.0f, 200, 100));
    ASSERT_EQ(first.variables.placed, R(0, 0, 200, 95));
    for (int i = 0; i < 2; ++i) {
        const DockPosition v = first.Position(first.variables).position;
        ASSERT_TRUE(first.Undock(first.variables));
        ASSERT_TRUE(first.DockBack(first.variables, v));
        EXPECT_EQ(first.variables.placed, R(0, 0, 200, 100));
        EXPECT_EQ(first.history.placed, R(0, 105, 200, 600));
        EXPECT_EQ(first.Problems(), std::vector<std::string>{});
    }

    // A window alone in its bar: the bar goes, and a new one of the same width comes back.
    ASSERT_TRUE(f.Undock(f.variables));
    ASSERT_TRUE(f.Undock(f.other));
    const DockPosition h = f.Position(f.history).position;
    ASSERT_TRUE(f.Undock(f.history));
    EXPECT_TRUE(f.host.bars.empty());
    EXPECT_EQ(f.client.placed, R(0, 0, 1000, 600));
    ASSERT_TRUE(f.DockBack(f.history, h));
    EXPECT_EQ(f.history.placed, R(0, 0, 200, 600));
    EXPECT_EQ(f.client.placed, R(205, 0, 1000, 600));
    const DockPosition again = f.Position(f.history).position;
    EXPECT_EQ(again.sideFlags, h.sideFlags);
    EXPECT_EQ(again.width, h.width);
    EXPECT_EQ(again.height, h.height);
    EXPECT_EQ(again.fraction, h.fraction);
}

// A bar package of fake windows at the given positions.
struct Row {
    explicit Row(int minimum, int length = 605)
    {
        for (FakeWindow& w : windows)
            w.min = {{minimum, minimum}};
        package.SetRect({0, 0, 100, length});
    }
    void Put(std::initializer_list<int> positions)
    {
        std::size_t i = 0;
        for (int p : positions) {
            package.Insert(std::make_unique<FakeFrame>(windows[i], false), i, p, 205);
            ++i;
        }
        package.Arrange();
    }
    std::vector<double> Positions() const
    {
        std::vector<double> out;
        for (std::size_t i = 0; i < package.Count(); ++i)
            out.push_back(package.Position(i));
        return out;
    }
    FakeWindow windows[4];
    CWndFramesPackage package{false};
};

TEST(FramesPackage, RescaleKeepsProportionsAndMinimums)
{
    Row row(50);
    row.Put({-5, 200, 400});
    EXPECT_EQ(row.Positions(), (std::vector<double>{-5, 200, 400}));
    row.package.SetRect({0, 0, 100, 300});
    EXPECT_EQ(row.Positions(), (std::vector<double>{-5, 97.5, 197.5}));
    EXPECT_EQ(row.windows[0].placed, R(0, 0, 100, 97));
    EXPECT_EQ(row.windows[1].placed, R(0, 102, 100, 197));
    EXPECT_EQ(row.windows[2].placed, R(0, 202, 100, 300));
    row.package.SetRect({0, 0, 100, 605});
    EXPECT_EQ(row.Positions(), (std::vector<double>{-5, 200, 400}));

    Row tight(100);
    tight.Put({-5, 200, 400});
    tight.package.SetRect({0, 0, 100, 300});
    EXPECT_EQ(tight.Positions(), (std::vector<double>{-5, 100, 205}));
    // Too small for the minimums: the last frame is cut at the edge, never negative.
    tight.package.SetRect({0, 0, 100, 150});
    for (const FakeWindow& w : tight.windows)
        EXPECT_GE(w.placed.Height(), 0);
    EXPECT_EQ(tight.windows[2].placed, R(0, 210, 100, 210));
}

TEST(FramesPackage, ResizedAndBackEveryFrameIsAtItsPixelAgain)
{
    // A bar of two windows, the second at every pixel of a range, made longer
    // or shorter (no minimum reached) and then as long as it was: each
    // window is where it was, to the pixel, also after several such trips.
    int moved = 0;
    for (int at = 150; at <= 450; ++at) {
        Row row(100, 609);
        row.Put({-5, at});
        const RECT before = row.windows[1].placed;
        for (int length = 520; length <= 1300; length += 13) {
            row.package.SetRect({0, 0, 100, length});
            row.package.SetRect({0, 0, 100, 609});
            moved += row.windows[1].placed == before ? 0 : 1;
        }
    }
    EXPECT_EQ(moved, 0);
}

TEST(FramesPackage, CentralFrameGivesRoomFirst)
{
    Frame f;
    ASSERT_TRUE(f.Dock(f.history, 3, 0, 0.0f, 200, 100));
    f.layout.UpdateLayout({0, 0, 900, 600});
    EXPECT_EQ(f.host.bars[0]->placed, R(0, 0, 200, 600));
    EXPECT_EQ(f.client.placed, R(205, 0, 900, 600));
    f.layout.UpdateLayout({0, 0, 800, 600});
    EXPECT_EQ(f.host.bars[0]->placed, R(0, 0, 195, 600));
    EXPECT_EQ(f.client.placed, R(200, 0, 800, 600));
    f.layout.UpdateLayout({0, 0, 1000, 600});
    // Growing, the bar gets back the 5 px the shrink took first; the client the rest.
    EXPECT_EQ(f.host.bars[0]->placed, R(0, 0, 200, 600));
    EXPECT_EQ(f.client.placed, R(205, 0, 1000, 600));
    EXPECT_TRUE(f.Problems().empty());
}

TEST(FramesPackage, BarsASqueezeTookFromGetItBackFirstWhenTheFrameGrows)
{
    // A bar on each side of the client (600 wide at least): made as small as
    // the frame goes and large again, step by step, each bar comes back to
    // its own width before the client grows. Heights too, in the outer
    // package (client 450 high at least).
    Frame f;
    ASSERT_TRUE(f.Dock(f.history, 3, 0, 0.0f, 200, 100));
    ASSERT_TRUE(f.Dock(f.variables, 1, 0, 0.0f, 150, 100));
    ASSERT_TRUE(f.Dock(f.other, 0, 0, 0.0f, 120, 100));
    const auto left = [&] { return f.host.bars[0]->placed; };
    const auto right = [&] { return f.host.bars[1]->placed; };
    const auto bottom = [&] { return f.host.bars[2]->placed; };
    ASSERT_EQ(left(), R(0, 0, 200, 475));
    ASSERT_EQ(right(), R(850, 0, 1000, 475));
    ASSERT_EQ(bottom(), R(0, 480, 1000, 600));
    struct Step {
        RECT rect;
        int leftWidth, rightWidth, clientWidth, bottomHeight;
    } steps[] = {
        {{0, 0, 810, 555}, 100, 100, 600, 100},   // the smallest: every bar at its minimum
        {{0, 0, 900, 555}, 190, 100, 600, 100},   // 90 more: to the bars first, in their order
        {{0, 0, 1000, 600}, 200, 150, 640, 120},  // all back, the client takes the rest
        {{0, 0, 1100, 650}, 200, 150, 740, 120},  // beyond: the client only
    };
    for (const Step& step : steps) {
        f.layout.UpdateLayout(step.rect);
        EXPECT_EQ(left().Width(), step.leftWidth) << step.rect.right;
        EXPECT_EQ(right().Width(), step.rightWidth) << step.rect.right;
        EXPECT_EQ(f.client.placed.Width(), step.clientWidth) << step.rect.right;
        EXPECT_EQ(bottom().Height(), step.bottomHeight) << step.rect.bottom;
        EXPECT_EQ(f.Problems(), std::vector<std::string>{}) << step.rect.right;
    }

    // A bar the user moves after a squeeze keeps the user's place.
    f.layout.UpdateLayout({0, 0, 810, 600});
    CSubWndFramesPackage& inner = f.layout.Inner();
    inner.MoveBar(1, 150);
    inner.Arrange();
    f.layout.UpdateLayout({0, 0, 1100, 600});
    EXPECT_EQ(left().Width(), 150);
    EXPECT_EQ(right().Width(), 100);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(FramesPackage, BarDragPushesNeighboursAndStopsAtTheirMinimums)
{
    Row row(100, 600);
    row.Put({-5, 195, 395});
    double low = 0, high = 0;
    row.package.BarBounds(2, low, high);
    EXPECT_EQ(low, 205);
    EXPECT_EQ(high, 495);
    row.package.MoveBar(2, 250);
    EXPECT_EQ(row.Positions(), (std::vector<double>{-5, 145, 250}));

    struct View : ISplitterDragView {
        void ShowGhost(const RECT& r) override { ghost = r, ++shown; }
        void HideGhost() override { ghost = {}; }
        void Redraw() override { ++redraws; }
        RECT ghost;
        int shown = 0, redraws = 0;
    } view;
    CSplitterMoveTracker tracker(row.package, 2, {50, 252}, false, view);
    tracker.BeginDrag();
    tracker.OnMove(50, 102);
    EXPECT_EQ(row.package.Position(2), 205);  // stops at the minimums before it
    tracker.EndDrag(false);
    // A full drag cancelled puts back every frame it moved, pushed ones too.
    const std::vector<double> before = row.Positions();
    CSplitterMoveTracker cancelled(row.package, 1, {50, 102}, false, view);
    cancelled.BeginDrag();
    cancelled.OnMove(50, 402);
    EXPECT_EQ(row.Positions(), (std::vector<double>{-5, 390, 495}));
    cancelled.OnMove(50, 102);  // back where it began, the pushed frame stays pushed
    EXPECT_EQ(row.Positions(), (std::vector<double>{-5, 100, 495}));
    cancelled.EndDrag(true);
    EXPECT_EQ(row.Positions(), before);
    EXPECT_EQ(row.windows[1].placed, R(0, 105, 100, 205));

    CSplitterMoveTracker ghost(row.package, 2, {50, 207}, true, view);
    ghost.BeginDrag();
    ghost.OnMove(50, 302);
    EXPECT_EQ(row.package.Position(2), 205);  // nothing moves before the end
    EXPECT_EQ(view.ghost, R(0, 300, 100, 305));
    ghost.EndDrag(true);
    EXPECT_EQ(row.package.Position(2), 205);
    EXPECT_EQ(view.ghost, RECT{});
    CSplitterMoveTracker dropped(row.package, 2, {50, 207}, true, view);
    dropped.BeginDrag();
    dropped.OnMove(50, 302);
    dropped.EndDrag(false);
    EXPECT_EQ(row.package.Position(2), 300);

    // The dragged frame leaves the package during the drag: the drag does nothing more.
    CSplitterMoveTracker orphan(row.package, 2, {50, 302}, false, view);
    orphan.BeginDrag();
    ASSERT_TRUE(row.package.Remove(&row.windows[2]));
    orphan.OnMove(50, 402);
    orphan.EndDrag(false);
    EXPECT_EQ(row.package.Count(), 2u);
    EXPECT_EQ(row.package.Position(1), 100);
}

TEST(FramesPackage, DropInTheFirstThirdGoesBefore)
{
    struct Case {
        int top;
        RECT added, existing;
    } const cases[] = {
        {150, R(0, 0, 100, 350), R(0, 355, 100, 600)},
        {250, R(0, 255, 100, 600), R(0, 0, 100, 250)},
    };
    for (const Case& c : cases) {
        Row row(100, 600);
        row.Put({-5});
        row.package.InsertAtOutline(std::make_unique<FakeFrame>(row.windows[1], false), R(0, c.top, 100, c.top + 200));
        EXPECT_EQ(row.windows[1].placed, c.added) << c.top;
        EXPECT_EQ(row.windows[0].placed, c.existing) << c.top;
    }
    // An empty bar puts the frame at its start.
    Row empty(100, 600);
    EXPECT_EQ(empty.package.FindFrame(300), -1);
    empty.package.InsertAtOutline(std::make_unique<FakeFrame>(empty.windows[0], false), R(0, 300, 100, 500));
    EXPECT_EQ(empty.windows[0].placed, R(0, 0, 100, 600));
}

TEST(FramesPackage, RemovingABarGivesItsRoomToTheClient)
{
    Frame f;
    ASSERT_TRUE(f.Dock(f.history, 3, 0, 0.0f, 200, 100));
    ASSERT_TRUE(f.Undock(f.history));
    EXPECT_EQ(f.client.placed, R(0, 0, 1000, 600));

    Frame g;
    ASSERT_TRUE(g.Dock(g.history, 3, 0, 0.0f, 200, 100));                   // A
    ASSERT_TRUE(g.Dock(g.variables, 3 | kSideNewBar, 1, 0.0f, 150, 100));    // B, inside A
    EXPECT_EQ(g.BarOf(g.variables)->placed, R(205, 0, 355, 600));
    EXPECT_EQ(g.client.placed, R(360, 0, 1000, 600));
    ASSERT_TRUE(g.Undock(g.history));
    EXPECT_EQ(g.BarOf(g.variables)->placed, R(0, 0, 150, 600));
    EXPECT_EQ(g.client.placed, R(155, 0, 1000, 600));
    // Lookups never match a null window, and the central frames never leave.
    DockRequest r;
    r.code = kUndock;
    EXPECT_EQ(g.Send(r), 0);
    r.window = &g.client;
    EXPECT_EQ(g.Send(r), 0);
    EXPECT_EQ(g.client.placed, R(155, 0, 1000, 600));
    EXPECT_TRUE(g.Problems().empty());
}

TEST(FramesPackage, Code5CountsBarsFromItsSide)
{
    // [A, B, central, C] in the inner package.
    auto build = [](Frame& f) {
        f.layout.UpdateLayout({0, 0, 1400, 600});
        FakeWindow* a = &f.history;
        ASSERT_TRUE(f.Dock(*a, 3, 0, 0.0f, 110, 100));
        ASSERT_TRUE(f.Dock(f.variables, 3 | kSideNewBar, 1, 0.0f, 120, 100));
        ASSERT_TRUE(f.Dock(f.other, 1, 0, 0.0f, 130, 100));
    };
    struct Case {
        unsigned side;
        int index;
        std::size_t place;  // where the new bar lands in the package
    } const cases[] = {
        {3, 2, 2}, {3, 7, 2}, {3 | kSideNewBar, 0, 0}, {3 | kSideNewBar, 1, 1}, {1, 5, 3}, {1 | kSideNewBar, 0, 4},
    };
    for (const Case& c : cases) {
        Frame f;
        build(f);
        ASSERT_EQ(f.layout.Inner().Count(), 4u);
        FakeWindow added;
        f.host.Add(added);
        ASSERT_TRUE(f.Dock(added, c.side, c.index, 0.0f, 100, 100)) << c.side << " " << c.index;
        ASSERT_EQ(f.layout.Inner().Count(), 5u) << c.side << " " << c.index;
        EXPECT_EQ(f.layout.Inner().IndexOf(f.BarOf(added)), static_cast<int>(c.place)) << c.side << " " << c.index;
        EXPECT_TRUE(f.Problems().empty());
    }
    Frame f;
    build(f);
    EXPECT_EQ(f.Position(f.history).position.barIndex, 0);
    EXPECT_EQ(f.Position(f.history).position.sideFlags, 7u);
    EXPECT_EQ(f.Position(f.variables).position.barIndex, 1);
    EXPECT_EQ(f.Position(f.other).position.barIndex, 0);
    EXPECT_EQ(f.Position(f.other).position.sideFlags, kSideInner | kSideNewBar);
    // Joining an existing bar from the far side: index 0 counted backward is C.
    FakeWindow joined;
    f.host.Add(joined);
    ASSERT_TRUE(f.Dock(joined, 1, 0, 0.5f, 100, 200));
    EXPECT_EQ(f.BarOf(joined), f.BarOf(f.other));
}

TEST(FramesPackage, Code8PutsABoxInTheWindowsPlace)
{
    Frame f;
    ASSERT_TRUE(f.Dock(f.history, 3, 0, 0.0f, 200, 100));
    ASSERT_TRUE(f.Dock(f.variables, 3, 0, 0.0f, 200, 100));
    CWndFramesPackage& bar = f.BarOf(f.history)->Package();
    FakeWindow box;
    EXPECT_FALSE(bar.Replace(&box, std::make_unique<FakeFrame>(box, false)));  // unknown window
    EXPECT_TRUE(bar.Replace(&f.history, std::make_unique<FakeFrame>(box, false)));
    EXPECT_EQ(box.placed, R(0, 100, 200, 600));
    EXPECT_EQ(bar.IndexOf(&f.history), -1);
}

TEST(DockingFrameLayout, Code1OffersTheInnerPackageFirst)
{
    Frame f;
    SystemMetrics m;
    auto drag = [&](int x, int y, int w, int h) {
        DockRequest r;
        r.window = &f.other;
        r.code = kAdjustDragRect;
        r.outline = R(x, y, x + w, y + h);
        const auto answer = f.Send(r);
        return std::make_pair(answer, r);
    };
    auto [a1, r1] = drag(10, 10, 300, 200);
    EXPECT_EQ(a1, 1);
    EXPECT_EQ(r1.target, static_cast<void*>(&f));
    EXPECT_TRUE(r1.placementFlags & kPlacedInInner);
    EXPECT_EQ(r1.outline, R(0, 0, 300, 600));
    r1.code = kAcceptDock;
    EXPECT_EQ(f.Send(r1), 1);
    EXPECT_EQ(f.client.placed, R(305, 0, 1000, 600));
    EXPECT_EQ(f.other.placed, R(0, 0, 300, 600));

    Frame g;
    DockRequest r;
    r.window = &g.other;
    r.code = kAdjustDragRect;
    r.outline = R(500, 10, 800, 210);
    EXPECT_EQ(g.Send(r), 1);
    EXPECT_FALSE(r.placementFlags & kPlacedInInner);
    EXPECT_EQ(r.outline, R(0, 0, 1000, 200));
    r.outline = R(500, 300, 800, 500);
    EXPECT_EQ(g.Send(r), 0);
    EXPECT_EQ(r.target, nullptr);
    // At the package's outer edge (outside it by less than the margin).
    r.outline = R(-10, 200, 290, 400);
    EXPECT_EQ(g.Send(r), 1);
    EXPECT_TRUE(r.placementFlags & kPlacedInInner);
    EXPECT_EQ(r.outline, R(0, 0, 300, 600));
    (void)m;
}

TEST(DockingFrameLayout, ARefusingBarLeavesTheTargetToTheOuterPackage)
{
    Frame f;
    ASSERT_TRUE(f.Dock(f.history, 3, 0, 0.0f, 200, 100));
    DockRequest r;
    r.window = &f.history;  // the bar's only window is the one dragged
    r.code = kAdjustDragRect;
    r.outline = R(100, 10, 300, 110);
    EXPECT_EQ(f.Send(r), 1);
    EXPECT_EQ(r.target, static_cast<void*>(&f));
    EXPECT_FALSE(r.placementFlags & kPlacedInInner);
    EXPECT_EQ(r.outline, R(0, 0, 1000, 100));
}

TEST(DockingFrameLayout, Code7AndUnansweredCodes)
{
    Frame f;
    SystemMetrics m;
    DockRequest r;
    r.code = kClampRectSize;
    r.rect = R(10, 10, 510, 20);
    EXPECT_EQ(f.layout.Handle(r, &f, {900, 600}, m), 1);
    EXPECT_EQ(r.rect, R(10, 10, 310, 37));
    r.rect = R(0, 0, 50, 50);
    EXPECT_EQ(f.layout.Handle(r, &f, {900, 600}, m), 1);
    EXPECT_EQ(r.rect, R(0, 0, 112, 50));
    for (int code : {6, 8, 9, 10, 13, 14, 99, 0, -1}) {
        DockRequest q;
        q.code = code;
        q.window = &f.history;
        EXPECT_EQ(f.Send(q), 0) << code;
    }
}

TEST(DockingFrameLayout, NoRoomRefusesAndChangesNothing)
{
    Frame f;
    f.layout.UpdateLayout({0, 0, 750, 600});
    ASSERT_TRUE(f.Dock(f.history, 3, 0, 0.0f, 200, 100));  // the client gives up to its minimum
    EXPECT_EQ(f.client.placed, R(150, 0, 750, 600));
    EXPECT_EQ(f.host.bars[0]->placed, R(0, 0, 145, 600));
    const RECT before = f.client.placed;
    EXPECT_FALSE(f.Dock(f.variables, 3 | kSideNewBar, 0, 0.0f, 200, 100));
    EXPECT_FALSE(f.Dock(f.variables, 1, 0, 0.0f, 200, 100));
    EXPECT_EQ(f.host.bars.size(), 1u);
    EXPECT_EQ(f.client.placed, before);
    EXPECT_TRUE(f.Problems().empty());
    Frame g;
    g.host.failBars = true;
    EXPECT_FALSE(g.Dock(g.variables, 1, 0, 0.0f, 200, 100));
    EXPECT_EQ(g.client.placed, R(0, 0, 1000, 600));
}

TEST(DockingFrameLayout, HostileStoredPositionsAreClamped)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        unsigned side;
        int index;
        float fraction;
        unsigned width, height;
        RECT bar;
    } const cases[] = {
        {3, -7, nan, 0xFFFFFFFFu, 0xFFFFFFFFu, R(0, 0, 395, 600)},  // width cut to what leaves the client its minimum
        {3, 1 << 30, -5.0f, 0, 0, R(0, 0, 100, 600)},
        {1, -1, 7.0f, 0xFFFFFFFBu, 3, R(605, 0, 1000, 600)},
        {0, 1000, 0.5f, 150, 100000, R(0, 455, 1000, 600)},
    };
    for (const Case& c : cases) {
        Frame f;
        ASSERT_TRUE(f.Dock(f.history, c.side, c.index, c.fraction, c.width, c.height)) << c.side << " " << c.index;
        ASSERT_EQ(f.host.bars.size(), 1u);
        EXPECT_EQ(f.host.bars[0]->placed, c.bar) << c.side << " " << c.index;
        EXPECT_TRUE(f.Problems().empty());
    }
}

TEST(DockingSettings, DerivedColours)
{
    struct Case {
        RGBColour face, highlight;
    } const cases[] = {
        {{212, 208, 200}, {247, 242, 233}},
        {{100, 150, 200}, {118, 176, 235}},
        {{240, 240, 240}, {255, 255, 255}},
        {{0, 0, 0}, {35, 35, 35}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HighlightColour(c.face), c.highlight);
    EXPECT_EQ(ShadowTextColour({0, 0, 0}, {128, 128, 128}), (RGBColour{84, 84, 84}));

    CDockingSettings settings;
    SystemValues values;
    values.metrics.fullWindowDrag = false;
    settings.Refresh(values);
    EXPECT_TRUE(settings.GhostDrag());
    settings.SetFlags(CDockingSettings::kKeepDragMode | CDockingSettings::kFullDrag);
    settings.Refresh(values);
    EXPECT_FALSE(settings.GhostDrag());
}

TEST(LayoutCheck, ABoxIsSoundWithTwoOrMoreTabsAValidSelectionAndOnlyItsWindowShown)
{
    const struct {
        TabBoxState box;
        bool dragging;
        std::size_t problems;
    } cases[] = {
        {{2, 1, 0, true, true, 0}, false, 0},
        {{3, 0, 0, true, true, 0}, false, 0},
        {{1, 0, 0, true, true, 0}, false, 1},   // one window left
        {{2, 2, 0, false, false, 0}, false, 2}, // selection past the end, nothing shown
        {{2, -1, 0, false, false, 0}, false, 2},
        {{3, 1, 1, false, false, 0}, true, 0},  // a preview tab while dragging
        {{3, 1, 1, false, false, 0}, false, 1}, // left over after the drag
        {{3, 0, 0, true, true, 1}, false, 1},   // two windows shown
    };
    for (const auto& c : cases) {
        std::vector<std::string> problems;
        CheckTabBox(c.box, "box", c.dragging, problems);
        EXPECT_EQ(problems.size(), c.problems) << c.box.count << " tabs, selected " << c.box.selected;
    }
}

}  // namespace

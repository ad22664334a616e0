// The docking frame with real widgets: docking, the request codes at the
// frame, splitter drags as event-driven sessions, hide and show.

#include <gtest/gtest.h>

#include "DockingFixture.h"
#include "PaneState.h"
#include "docking/AutoHideManager.h"
#include "docking/DragSession.h"
#include "docking/GhostBar.h"

#include <algorithm>

#include <QMouseEvent>

namespace {

using namespace dockwins;

QRect Q(int l, int t, int r, int b) { return QRect(l, t, r - l, b - t); }

TEST(DockingFrame, PanesDockBeforeTheFirstShowAtTheFramesSize)
{
    DockingFixture f;
    // OnCreate laid the frame out at its size although it was never shown.
    EXPECT_EQ(f.frame.ClientArea()->size(), QSize(1000, 600));
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
    ASSERT_TRUE(f.frame.DockWindow(f.variables, 3, 0, 0.0f, 200, 100));
    ASSERT_EQ(f.frame.Bars().size(), 1u);
    CPackageWindow* bar = f.frame.Bars()[0];
    EXPECT_EQ(f.InClient(bar), Q(0, 0, 200, 600));
    EXPECT_EQ(f.InClient(f.client), Q(205, 0, 1000, 600));
    EXPECT_EQ(f.InClient(f.variables), Q(0, 0, 200, 95));
    EXPECT_EQ(f.InClient(f.history), Q(0, 100, 200, 600));
    EXPECT_EQ(f.history->DockedTo(), bar);
    EXPECT_TRUE(f.history->IsHorizontal());  // a stacked bar: the title runs across the top
    // The size a first dock states counts the window's bar: 100 is 5 below
    // Variables' minimum.
    const std::vector<std::string> firstDock{"bar frame 0: below its minimum (0,0,200,95)"};
    EXPECT_EQ(f.Problems(), firstDock);

    f.Show();
    EXPECT_EQ(f.InClient(bar), Q(0, 0, 200, 600));
    EXPECT_EQ(f.InClient(f.history), Q(0, 100, 200, 600));
    EXPECT_TRUE(f.history->isVisible());
    EXPECT_EQ(f.history->Client()->geometry(), f.history->ClientRect());
    const DockPosition h = f.Position(f.history);
    EXPECT_EQ(h.sideFlags, 3u);
    EXPECT_EQ(h.barIndex, 0);
    EXPECT_EQ(h.width, 200u);
    EXPECT_EQ(h.fraction, static_cast<float>(100.0 / 605.0));
    EXPECT_EQ(h.height, 500u);
    EXPECT_EQ(f.Problems(), firstDock);
}

TEST(DockingFrame, TheFrameNeverGoesBelowWhatItsPackagesNeed)
{
    DockingFixture f;
    f.frame.SetMinimumTrackSize(QSize(700, 650));
    EXPECT_EQ(f.frame.minimumSize(), QSize(700, 650));
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
    // 100 for the bar, 5 for its splitter and 600 for the client.
    EXPECT_EQ(f.frame.minimumSize(), QSize(705, 650));
    f.Show();
    f.frame.resize(f.frame.minimumSize());
    Settle();
    EXPECT_EQ(f.InClient(f.client).width(), 600);
    EXPECT_GE(f.InClient(f.client).left(), 105);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(DockingFrame, RequestsAtTheFrameInScreenCoordinates)
{
    DockingFixture f;
    f.Show();
    CTabbedAutoHideDockingWindow* other = f.MakeWindow("Other");
    const QPoint origin = f.frame.ClientArea()->mapToGlobal(QPoint(0, 0));
    auto screen = [&](int l, int t, int r, int b) { return RECT{l + origin.x(), t + origin.y(), r + origin.x(), b + origin.y()}; };

    DockRequest r;
    r.window = other;
    r.code = kAdjustDragRect;
    r.outline = screen(10, 10, 310, 210);
    EXPECT_EQ(SendDockRequest(&f.frame, r), 1);
    EXPECT_EQ(r.target, static_cast<void*>(&f.frame));
    EXPECT_TRUE(r.placementFlags & kPlacedInInner);
    EXPECT_EQ(r.outline, screen(0, 0, 300, 600));
    r.code = kAcceptDock;
    EXPECT_EQ(SendDockRequest(&f.frame, r), 1);
    EXPECT_EQ(f.InClient(f.client), Q(305, 0, 1000, 600));
    EXPECT_EQ(f.InClient(other), Q(0, 0, 300, 600));
    EXPECT_TRUE(other->isVisible());

    // The dragged window is its bar's only one: the bar refuses, the outer package takes it.
    DockRequest own;
    own.window = other;
    own.code = kAdjustDragRect;
    own.outline = screen(100, 10, 300, 110);
    EXPECT_EQ(SendDockRequest(&f.frame, own), 1);
    EXPECT_EQ(own.target, static_cast<void*>(&f.frame));
    EXPECT_EQ(own.outline, screen(0, 0, 1000, 100));

    f.frame.resize(900, 600);
    Settle();
    DockRequest clamp;
    clamp.code = kClampRectSize;
    clamp.rect = {10, 10, 510, 20};
    EXPECT_EQ(SendDockRequest(&f.frame, clamp), 1);
    EXPECT_EQ(clamp.rect, (RECT{10, 10, 310, 37}));
    for (int code : {6, 8, 9, 10, 13, 14, 99}) {
        DockRequest q;
        q.window = f.history;
        q.code = code;
        EXPECT_EQ(SendDockRequest(&f.frame, q), 0) << code;
    }
    for (int code : {1, 2, 3, 4, 5, 7, 9, 11, 12}) {
        DockRequest q;
        q.window = other;
        q.code = code;
        EXPECT_EQ(SendBoxMessage(&f.frame, q), 0) << code;
        EXPECT_EQ(SendBoxMessage(f.frame.Bars()[0], q), 0) << code;
    }
    EXPECT_TRUE(IsBoxWindow(other));
    EXPECT_FALSE(IsBoxWindow(&f.frame));
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(DockingFrame, SplitterCursorOnlyOverABar)
{
    DockingFixture f;
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
    EXPECT_EQ(f.frame.SplitterCursor({202, 300}), Qt::SplitHCursor);
    EXPECT_EQ(f.frame.SplitterCursor({500, 300}), std::nullopt);
}

struct DragCase : DockingFixture {
    DragCase()
    {
        EXPECT_TRUE(frame.DockWindow(history, 3, 0, 0.0f, 200, 100));
        Show();
    }
    int ClientLeft() const { return InClient(client).left(); }
};

TEST(DockingFrame, FullDragMovesTheBarLiveWithinTheMinimums)
{
    DragCase f;
    f.Press({202, 300});
    EXPECT_NE(CDragSession::Active(), nullptr);
    f.Move({302, 300});
    EXPECT_EQ(f.ClientLeft(), 305);
    f.Move({900, 300});
    EXPECT_EQ(f.ClientLeft(), 400);
    EXPECT_EQ(f.InClient(f.history).width(), 395);
    f.Release({900, 300});
    Settle();
    EXPECT_EQ(CDragSession::Active(), nullptr);
    f.Move({250, 300});  // moves after the release do nothing
    EXPECT_EQ(f.ClientLeft(), 400);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});

    // Escape or the right button: the bar goes back to where the drag began.
    for (const bool escape : {true, false}) {
        f.Press({397, 300});
        f.Move({150, 300});
        ASSERT_EQ(f.ClientLeft(), 153);
        if (escape) {
            QTest::keyClick(f.frame.windowHandle(), Qt::Key_Escape);
        } else {
            f.Press({150, 300}, Qt::RightButton);
            f.Release({150, 300}, Qt::RightButton);
        }
        f.Release({150, 300});
        Settle();
        EXPECT_EQ(CDragSession::Active(), nullptr);
        EXPECT_EQ(f.ClientLeft(), 400) << escape;
        EXPECT_EQ(f.InClient(f.history).width(), 395) << escape;
        EXPECT_EQ(f.Problems(), std::vector<std::string>{});
    }
}

TEST(DockingFrame, ACancelledDragPutsBackTheBarsItResized)
{
    // The bar below the left one is dragged up as far as it goes (the left
    // bar's windows at their minimum) and down again, then cancelled: the
    // left bar's windows are where they were too.
    DockingFixture f;
    CTabbedAutoHideDockingWindow* other = f.MakeWindow("Other");
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
    ASSERT_TRUE(f.frame.DockWindow(f.variables, 3, 0, 0.0f, 200, 105));
    ASSERT_TRUE(f.frame.DockWindow(other, 0, 0, 0.0f, 100, 100));
    f.Show();
    const QRect variables = f.InClient(f.variables);
    const QRect history = f.InClient(f.history);
    const QRect below = f.InClient(other);
    ASSERT_EQ(variables, Q(0, 0, 200, 100));
    ASSERT_EQ(history, Q(0, 105, 200, 495));
    for (const bool escape : {true, false}) {
        f.Press({500, 497});
        f.Move({500, 9});
        f.Move({500, 561});
        ASSERT_NE(f.InClient(f.history), history);
        if (escape) {
            QTest::keyClick(f.frame.windowHandle(), Qt::Key_Escape);
        } else {
            f.Press({500, 561}, Qt::RightButton);
            f.Release({500, 561}, Qt::RightButton);
        }
        f.Release({500, 561});
        Settle();
        EXPECT_EQ(f.InClient(other), below) << escape;
        EXPECT_EQ(f.InClient(f.variables), variables) << escape;
        EXPECT_EQ(f.InClient(f.history), history) << escape;
        EXPECT_EQ(f.Problems(), std::vector<std::string>{});
    }
}

TEST(DockingFrame, GhostDragMovesOnlyAtTheEnd)
{
    DragCase f;
    f.SetGhost(true);
    // Release: the bar goes where the outline was.
    f.Press({202, 300});
    f.Move({302, 300});
    EXPECT_EQ(f.ClientLeft(), 205);
    const auto ghosts = f.frame.findChildren<CGhostBar*>();
    ASSERT_FALSE(ghosts.empty());
    const auto shown = std::find_if(ghosts.begin(), ghosts.end(), [](CGhostBar* g) { return g->isVisible(); });
    ASSERT_NE(shown, ghosts.end());
    EXPECT_EQ((*shown)->geometry(), Q(300, 0, 305, 600));
    EXPECT_FALSE(f.Problems().empty());  // a drag in progress is no idle layout
    f.Release({302, 300});
    Settle();
    EXPECT_EQ(f.ClientLeft(), 305);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});

    // Escape and the right button cancel: nothing changes.
    f.Press({302, 300});
    f.Move({402, 300});
    QTest::keyClick(f.frame.windowHandle(), Qt::Key_Escape);
    Settle();
    EXPECT_EQ(CDragSession::Active(), nullptr);
    EXPECT_EQ(f.ClientLeft(), 305);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
    f.Press({302, 300});
    f.Move({402, 300});
    f.Press({402, 300}, Qt::RightButton);
    f.Release({402, 300}, Qt::RightButton);
    f.Release({402, 300});
    Settle();
    EXPECT_EQ(f.ClientLeft(), 305);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});

    // A deactivation ends the drag without cancelling it.
    f.Press({302, 300});
    f.Move({352, 300});
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&f.frame, &deactivate);
    Settle();
    EXPECT_EQ(CDragSession::Active(), nullptr);
    EXPECT_EQ(f.ClientLeft(), 355);
    f.Release({352, 300});
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});

    // So does a move with no button held: the release went elsewhere.
    f.Press({352, 300});
    f.Move({382, 300});
    const QPoint at = f.ToWindow({390, 300});
    QMouseEvent move(QEvent::MouseMove, at, f.frame.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&f.frame, &move);
    Settle();
    EXPECT_EQ(CDragSession::Active(), nullptr);
    EXPECT_EQ(f.ClientLeft(), 385);
    f.Release({390, 300});
    f.Move({300, 300});
    EXPECT_EQ(f.ClientLeft(), 385);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(DockingFrame, BarsDragTheirOwnSplitters)
{
    DragCase f;
    ASSERT_TRUE(f.frame.DockWindow(f.variables, 3, 0, 0.0f, 200, 100));
    CPackageWindow* bar = f.frame.Bars()[0];
    // The splitter between variables and history lies at 95 to 100 in the bar.
    EXPECT_EQ(bar->SplitterAt({100, 97}), 1);
    f.Press({100, 97});
    f.Move({100, 297});
    f.Release({100, 297});
    Settle();
    EXPECT_EQ(f.InClient(f.variables), Q(0, 0, 200, 295));
    EXPECT_EQ(f.InClient(f.history), Q(0, 300, 200, 600));
    f.Press({100, 297});
    f.Move({100, 590});  // stops where history keeps its minimum
    f.Release({100, 590});
    Settle();
    EXPECT_EQ(f.InClient(f.history), Q(0, 500, 200, 600));
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(DockingFrame, HideAndActivateComeBackToTheSamePlace)
{
    DragCase f;
    ASSERT_TRUE(f.frame.DockWindow(f.variables, 3, 0, 0.0f, 200, 100));
    // The top pane well above its minimum: 295 of the bar's 600.
    f.Press({100, 97});
    f.Move({100, 297});
    f.Release({100, 297});
    Settle();
    ASSERT_EQ(f.InClient(f.variables), Q(0, 0, 200, 295));
    const DockPosition v = f.Position(f.variables);
    f.variables->SetFloatingRect({400, 150, 700, 400});
    // Hidden and shown, or floated and docked back, six times each: every
    // time exactly where it was, and the pane below it too.
    for (int cycle = 0; cycle < 12; ++cycle) {
        if (cycle % 2 == 0) {
            EXPECT_TRUE(f.variables->Hide());
            Settle();
            EXPECT_FALSE(f.variables->IsVisibleWindow());
            EXPECT_EQ(f.InClient(f.history), Q(0, 0, 200, 600));
            EXPECT_TRUE(f.variables->Activate());
        } else {
            EXPECT_TRUE(f.variables->Float());
            Settle();
            EXPECT_FALSE(f.variables->IsDocked());
            EXPECT_TRUE(f.variables->DockBack());
        }
        Settle();
        EXPECT_TRUE(f.variables->IsVisibleWindow());
        EXPECT_EQ(f.InClient(f.variables), Q(0, 0, 200, 295)) << "cycle " << cycle;
        EXPECT_EQ(f.InClient(f.history), Q(0, 300, 200, 600)) << "cycle " << cycle;
        const DockPosition again = f.Position(f.variables);
        EXPECT_EQ(again.barIndex, v.barIndex);
        EXPECT_EQ(again.fraction, v.fraction);
        EXPECT_EQ(again.height, v.height);
        EXPECT_EQ(again.width, v.width);
        EXPECT_EQ(f.Problems(), std::vector<std::string>{});
    }

    // Alone in its bar: the bar leaves with it and a new one comes back.
    EXPECT_TRUE(f.variables->Hide());
    const DockPosition h = f.Position(f.history);
    EXPECT_TRUE(f.history->Hide());
    Settle();
    EXPECT_TRUE(f.frame.Bars().empty());
    EXPECT_EQ(f.InClient(f.client), Q(0, 0, 1000, 600));
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
    EXPECT_TRUE(f.history->Activate());
    Settle();
    const DockPosition back = f.Position(f.history);
    EXPECT_EQ(back.sideFlags, h.sideFlags);
    EXPECT_EQ(back.width, h.width);
    EXPECT_EQ(back.height, h.height);
    EXPECT_EQ(f.InClient(f.history), Q(0, 0, 200, 600));
    // Closing a docked window hides it with its place kept.
    f.history->close();
    Settle();
    EXPECT_FALSE(f.history->IsVisibleWindow());
    EXPECT_NE(f.history->StoredPosition().target, nullptr);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(DockingFrame, DeletingTheDraggedBarEndsTheDrag)
{
    DragCase f;
    ASSERT_TRUE(f.frame.DockWindow(f.variables, 3, 0, 0.0f, 200, 100));
    f.Press({100, 97});
    f.Move({100, 200});
    ASSERT_NE(CDragSession::Active(), nullptr);
    f.variables->Hide();
    f.history->Hide();  // the bar empties and goes
    Settle();
    EXPECT_EQ(CDragSession::Active(), nullptr);
    f.Release({100, 200});
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(DockingFrame, ARestoreDocksEachPaneWhereItWasToThePixel)
{
    // A bar above the client: the left bar is 450 high, Variables 345 of it
    // above History's 100. Placed by its fraction before the bar above came
    // back, History would be placed at 600 high and end a pixel off.
    DockingFixture f;
    CTabbedAutoHideDockingWindow* other = f.MakeWindow("Other");
    ASSERT_TRUE(f.frame.DockWindow(other, kSideBefore, 0, 0.0f, 200, 145));
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 100, 100));
    ASSERT_TRUE(f.frame.DockWindow(f.variables, 3, 0, 0.0f, 100, 350));
    f.Show();
    ASSERT_EQ(f.InClient(f.variables), Q(0, 150, 100, 495));
    ASSERT_EQ(f.InClient(f.history), Q(0, 500, 100, 600));
    PaneState state(f.frame, {f.history, f.variables, other});
    EXPECT_TRUE(state.StoreRestoreStore());
    EXPECT_EQ(f.InClient(f.variables), Q(0, 150, 100, 495));
    EXPECT_EQ(f.InClient(f.history), Q(0, 500, 100, 600));
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(DockingFrame, ARestoreDocksEachPaneWhereItWasBesidePinnedOnes)
{
    // A pane pinned to the bottom: its strip takes the left bar's length
    // down to 600 less the strip. Placed before the strip came back, the
    // panes of the left bar would end a pixel off.
    DockingFixture f;
    CTabbedAutoHideDockingWindow* other = f.MakeWindow("Other");
    ASSERT_TRUE(f.frame.DockWindow(other, 0, 0, 0.0f, 200, 100));
    ASSERT_TRUE(other->Pin(false));
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 300, 100));
    ASSERT_TRUE(f.frame.DockWindow(f.variables, 3, 0, 0.0f, 300, 122));
    f.Show();
    const QRect variables = f.InClient(f.variables);
    const QRect history = f.InClient(f.history);
    ASSERT_EQ(variables, Q(0, 0, 300, 117));
    ASSERT_EQ(history.bottom() + 1, 600 - f.frame.AutoHide().StripThickness());
    PaneState state(f.frame, {f.history, f.variables, other});
    EXPECT_TRUE(state.StoreRestoreStore());
    EXPECT_TRUE(other->IsPinned());
    EXPECT_EQ(f.InClient(f.variables), variables);
    EXPECT_EQ(f.InClient(f.history), history);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

TEST(DockingFrame, SizesTheUserSetBeyondASmallFrameOutliveARestore)
{
    // A hidden pane comes back 700 high, a pinned one slides out 900 wide;
    // the frame is then made as small as it goes. A restore there keeps
    // both (they are used within the frame as it is), and they are stored
    // again unchanged.
    DockingFixture f(QSize(1600, 900));
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 900, 100));
    ASSERT_TRUE(f.frame.DockWindow(f.variables, 3, 0, 0.0f, 900, 705));
    f.Show();
    ASSERT_EQ(f.InClient(f.variables), Q(0, 0, 900, 700));
    ASSERT_TRUE(f.variables->Hide());
    ASSERT_TRUE(f.history->Pin(false));
    f.frame.resize(f.frame.minimumSize());
    Settle();
    ASSERT_LT(f.frame.ClientArea()->width(), 900);
    ASSERT_LT(f.frame.ClientArea()->height(), 700);

    PaneState state(f.frame, {f.history, f.variables});
    EXPECT_TRUE(state.StoreRestoreStore());
    EXPECT_TRUE(f.history->IsPinned());
    EXPECT_EQ(f.Position(f.history).width, 900u);
    EXPECT_EQ(f.variables->StoredPosition().position.height, 700u);
    EXPECT_EQ(f.Problems(), std::vector<std::string>{});
}

}  // namespace

// Every pane within the user's reach: the View command in every state of a
// pane, floating windows kept within reach by every placement (their own
// resize, float, dock back, activation, a refused drop, changed screens), a
// hidden floating box that dissolves, floating windows shown before their
// frame, and the focus after a pin.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>

#include "DockingFixture.h"
#include "PaneState.h"
#include "docking/AutoHideManager.h"
#include "docking/GhostOutline.h"
#include "docking/DockingScreens.h"
#include "docking/TabDockingBox.h"
#include "docking/core/FloatingPlacement.h"
#include "docking/state/DockWndState.h"
#include "docking/state/WindowState.h"

namespace {

using namespace dockwins;

// Docking windows whose pane takes the focus, as the calculator's lists do.
struct ReachFixture : DockingFixture {
    ReachFixture()
    {
        for (CTabbedAutoHideDockingWindow* w : {history, variables})
            w->SetClient(new QLineEdit(w->windowTitle()));
    }
    ~ReachFixture() { SetScreenAreasSource({}); }

    void ShowActive()
    {
        Show();
        frame.activateWindow();
        (void)QTest::qWaitForWindowActive(&frame);
    }
    CTabDockingBox* BoxOf(CTabbedAutoHideDockingWindow* w) { return qobject_cast<CTabDockingBox*>(w->DockedTo()); }
    std::string InView(CTabbedAutoHideDockingWindow* w)
    {
        Settle();
        return Join(CheckInView(frame, *w)) + Join(Problems());
    }
    bool Reachable(const QWidget* w) const { return IsCaptionReachable(ToRect(w->frameGeometry()), ScreenAreas()); }
    // Both panes in one box, shown, floating at `place`; null when that failed.
    CTabDockingBox* FloatingBoxOfBoth(const RECT& place)
    {
        if (!frame.DockWindow(history, 3, 0, 0.0f, 200, 100) || !frame.DockWindow(variables, 3, 0, 0.0f, 200, 100) ||
            !variables->DockTo(history, 1))
            return nullptr;
        Show();
        CTabDockingBox* box = BoxOf(history);
        if (!box)
            return nullptr;
        box->SetFloatingRect(place);
        return box->Float() ? box : nullptr;
    }
};

TEST(DockingReach, TheViewCommandPutsThePaneInFrontInEveryState)
{
    struct Case {
        const char* name;
        std::function<void(ReachFixture&)> arrange;
    } cases[] = {
        {"docked", [](ReachFixture&) {}},
        {"a tab behind another",
         [](ReachFixture& f) {
             ASSERT_TRUE(f.variables->DockTo(f.history, 1));
             f.variables->Activate();
         }},
        {"floating under the frame's focus",
         [](ReachFixture& f) {
             f.history->SetFloatingRect({300, 200, 600, 500});
             ASSERT_TRUE(f.history->Float());
         }},
        {"a tab behind another in a floating box",
         [](ReachFixture& f) {
             ASSERT_TRUE(f.variables->DockTo(f.history, 1));
             f.variables->Activate();
             Settle();
             CTabDockingBox* box = f.BoxOf(f.history);
             box->SetFloatingRect({300, 200, 700, 600});
             ASSERT_TRUE(box->Float());
         }},
        {"pinned", [](ReachFixture& f) { ASSERT_TRUE(f.history->Pin(false)); }},
        {"pinned with another in one label",
         [](ReachFixture& f) {
             ASSERT_TRUE(f.variables->DockTo(f.history, 1));
             Settle();
             ASSERT_TRUE(f.BoxOf(f.history)->PinBox(false));
         }},
        {"hidden while docked", [](ReachFixture& f) { ASSERT_TRUE(f.history->Hide()); }},
        {"hidden while floating",
         [](ReachFixture& f) {
             f.history->SetFloatingRect({300, 200, 600, 500});
             ASSERT_TRUE(f.history->Float());
             ASSERT_TRUE(f.history->Hide());
         }},
        {"a tab of a hidden box",
         [](ReachFixture& f) {
             ASSERT_TRUE(f.variables->DockTo(f.history, 1));
             Settle();
             f.BoxOf(f.history)->CloseBox(false);  // hides the front tab
             f.variables->Hide();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReachFixture f;
        ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
        ASSERT_TRUE(f.frame.DockWindow(f.variables, 1, 0, 0.0f, 200, 100));
        f.ShowActive();
        c.arrange(f);
        Settle();
        f.frame.ClientWindow()->setFocus();
        ASSERT_TRUE(f.history->BringIntoView());
        EXPECT_EQ(f.InView(f.history), "");
        if (f.history->IsPinned()) {
            // It stays out while it has the focus, wherever the pointer is.
            f.frame.AutoHide().SetCursorSource([] { return QPoint(-100, -100); });
            f.frame.AutoHide().HideTick();
            EXPECT_EQ(f.frame.AutoHide().ShownWindow(), f.history);
        }
    }
}

// ------------------------------------------------------------------ within reach

// A floating window's own resize by each handle, far past the screen.
TEST(DockingReach, AFloatingWindowsOwnResizeKeepsItsCaptionWithinReach)
{
    struct Case {
        const char* handle;
        QPoint at;      // in the window (300 x 200)
        QPoint by;      // the pointer's way
    } cases[] = {
        {"top-left, 600 up (the window went to (400,-902) before)", {1, 1}, {0, -600}},
        {"top-left, far up and left", {1, 1}, {-3000, -3000}},
        {"top-right, far up and right", {298, 1}, {3000, -3000}},
        {"left, far past the right of the screen", {1, 100}, {5000, 0}},
        {"right, far past the left of the screen", {298, 100}, {-5000, 0}},
        {"bottom, far up past the top", {150, 198}, {0, -3000}},
        {"bottom-left, far down and left", {1, 198}, {-3000, 3000}},
        {"bottom-right, far down and right", {298, 198}, {3000, 3000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handle);
        ReachFixture f;
        f.Show();
        f.history->SetFloatingRect({400, 300, 700, 500});
        ASSERT_TRUE(f.history->Float());
        Settle();
        QWindow* window = f.history->windowHandle();
        const QPoint start = f.history->mapToGlobal(c.at);
        QTest::mousePress(window, Qt::LeftButton, {}, window->mapFromGlobal(start));
        for (int i = 1; i <= 4; ++i)
            QTest::mouseMove(window, window->mapFromGlobal(start + c.by * i / 4));
        QTest::mouseRelease(window, Qt::LeftButton, {}, window->mapFromGlobal(start + c.by));
        Settle();
        EXPECT_NE(f.history->geometry(), QRect(400, 300, 300, 200)) << "no resize ran";
        EXPECT_TRUE(f.Reachable(f.history)) << f.history->x() << "," << f.history->y();
        EXPECT_GE(f.history->width(), 100);
        EXPECT_GE(f.history->height(), 100);
        EXPECT_EQ(Join(f.Problems()), "");
        // Hidden and shown again, it comes back where it is now.
        const QRect now = f.history->geometry();
        f.history->Hide();
        f.history->Activate();
        EXPECT_EQ(f.history->geometry(), now);
    }
}

// Every placement of a floating window from a rectangle off every screen
// (what a screen removed while the program runs leaves behind).
TEST(DockingReach, EveryPlacementFromAStoredRectangleOffTheScreensIsWithinReach)
{
    const dockwins::RECT gone{5000, 5000, 5300, 5200};
    struct Case {
        const char* name;
        std::function<void(ReachFixture&)> place;
    } cases[] = {
        {"Float",
         [&](ReachFixture& f) {
             f.history->SetFloatingRect(gone);
             ASSERT_TRUE(f.history->Float());
         }},
        {"Activate of a window hidden while floating there",
         [&](ReachFixture& f) {
             f.history->SetFloatingRect({300, 200, 600, 400});
             ASSERT_TRUE(f.history->Float());
             f.history->Hide();
             f.history->setGeometry(dockwins::ToQRect(gone));
             f.history->SetFloatingRect(gone);
             ASSERT_TRUE(f.history->Activate());
         }},
        {"DockBack to a floating place",
         [&](ReachFixture& f) {
             ASSERT_TRUE(f.history->Hide());
             DockRequest place;
             place.position.sideFlags = kSideFloating;
             place.position.floatRect = gone;
             f.history->RememberPosition(place, nullptr);
             ASSERT_TRUE(f.history->DockBack());
         }},
        {"a refused dock",
         [&](ReachFixture& f) {
             f.history->SetFloatingRect(gone);
             ASSERT_TRUE(f.history->Undock());
             f.history->FloatAfterRefusal();
         }},
        {"the screen it floated on removed while the program runs",
         [&](ReachFixture& f) {
             SetScreenAreasSource([] { return std::vector<QRect>{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}; });
             f.history->SetFloatingRect({2500, 400, 2800, 600});
             ASSERT_TRUE(f.history->Float());
             Settle();
             ASSERT_EQ(f.history->x(), 2500);
             SetScreenAreasSource([] { return std::vector<QRect>{QRect(0, 0, 1920, 1080)}; });
         }},
        {"the restore of a state stored with it there",
         [&](ReachFixture& f) {
             QTemporaryDir dir;
             sstate::CWindowStateMgr state(&f.frame, dir.filePath("state.ini"));
             auto panes = std::make_shared<sstate::CDockWndMgrEx>(&f.frame);
             panes->Add(std::make_shared<sstate::CDockingWindowStateAdapter>(f.history));
             state.Add(panes);
             f.history->SetFloatingRect({300, 200, 600, 400});
             ASSERT_TRUE(f.history->Float());
             f.history->setGeometry(dockwins::ToQRect(gone));  // moved by the window system
             state.StoreWindowState();                          // and stored there
             Settle();                                          // the move is mended meanwhile
             ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
             state.RestoreWindowState();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReachFixture f;
        ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
        f.Show();
        c.place(f);
        Settle();
        ASSERT_TRUE(f.history->isVisible());
        EXPECT_FALSE(f.history->IsDocked());
        EXPECT_TRUE(f.Reachable(f.history)) << f.history->x() << "," << f.history->y();
        EXPECT_EQ(f.history->size(), QSize(300, 200));
        EXPECT_EQ(Join(f.Problems()), "");
    }
}

// A docked pane remembers where it floated, on a screen removed since: the
// remembered rectangle is placed within reach when the pane floats again,
// and a store and restore meanwhile keeps it as it was.
TEST(DockingReach, ARememberedFloatingPlaceOffTheScreensIsKeptUntilThePaneFloats)
{
    ReachFixture f;
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
    f.Show();
    const dockwins::RECT remembered{2500, 400, 2800, 600};
    SetScreenAreasSource([] { return std::vector<QRect>{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}; });
    f.history->SetFloatingRect(remembered);
    SetScreenAreasSource([] { return std::vector<QRect>{QRect(0, 0, 1920, 1080)}; });
    Settle();
    PaneState state(f.frame, {f.history});
    EXPECT_TRUE(state.StoreRestoreStore());
    ASSERT_TRUE(f.history->IsDocked());
    EXPECT_EQ(f.history->FloatingRect(), remembered);
    ASSERT_TRUE(f.history->Float());
    Settle();
    EXPECT_TRUE(f.Reachable(f.history));
    EXPECT_EQ(f.history->size(), QSize(300, 200));
    EXPECT_EQ(Join(f.Problems()), "");
}

// A tab of a floating box hidden, the box's place on a screen removed since:
// a store and restore keeps that place as it was, and the pane shown again
// is within reach with the window it shared the box with.
TEST(DockingReach, AHiddenTabKeepsItsFloatingBoxsPlaceUntilItIsShown)
{
    ReachFixture f;
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
    f.Show();
    SetScreenAreasSource([] { return std::vector<QRect>{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}; });
    f.history->SetFloatingRect({2500, 400, 2800, 600});
    ASSERT_TRUE(f.history->Float());
    ASSERT_TRUE(f.variables->DockTo(f.history, 1));
    Settle();
    ASSERT_TRUE(f.BoxOf(f.history));
    ASSERT_TRUE(f.variables->Hide());
    Settle();
    ASSERT_TRUE(f.variables->StoredPosition().position.sideFlags & kSideFloating);
    const dockwins::RECT place = f.variables->StoredPosition().position.floatRect;
    SetScreenAreasSource([] { return std::vector<QRect>{QRect(0, 0, 1920, 1080)}; });
    Settle();
    ASSERT_TRUE(f.Reachable(f.history));
    PaneState state(f.frame, {f.history, f.variables});
    EXPECT_TRUE(state.StoreRestoreStore());
    EXPECT_EQ(f.variables->StoredPosition().position.floatRect, place);
    ASSERT_TRUE(f.variables->Activate());
    Settle();
    ASSERT_TRUE(f.variables->isVisible());
    EXPECT_TRUE(f.Reachable(f.variables->window()));
    EXPECT_EQ(Join(f.Problems()), "");
}

// A floating box stored at a place off every screen (moved there by the
// window system): restored, the box is within reach with both its tabs.
TEST(DockingReach, AFloatingBoxStoredOffTheScreensIsRestoredWithinReach)
{
    ReachFixture f;
    CTabDockingBox* box = f.FloatingBoxOfBoth({600, 300, 1000, 700});
    ASSERT_NE(box, nullptr);
    Settle();
    PaneState state(f.frame, {f.history, f.variables});
    box->setGeometry(QRect(5000, 5000, 400, 400));  // moved by the window system
    ASSERT_TRUE(state.state.StoreWindowState());     // and stored there
    Settle();                                        // the move is mended meanwhile
    ASSERT_TRUE(f.frame.DockWindow(f.history, 1, 0, 0.0f, 200, 100));
    ASSERT_TRUE(f.frame.DockWindow(f.variables, 1, 0, 0.0f, 200, 100));
    Settle();
    state.state.RestoreWindowState();
    Settle();
    CTabDockingBox* restored = f.BoxOf(f.history);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(f.BoxOf(f.variables), restored);
    EXPECT_FALSE(restored->IsDocked());
    EXPECT_TRUE(restored->isVisible());
    EXPECT_TRUE(f.Reachable(restored)) << restored->x() << "," << restored->y();
    EXPECT_EQ(Join(f.Problems()), "");
}

// A hidden floating box that dissolves: the window left over floats where the box did.
TEST(DockingReach, TheWindowLeftByAHiddenFloatingBoxTakesTheBoxsPlace)
{
    ReachFixture f;
    CTabDockingBox* box = f.FloatingBoxOfBoth({600, 300, 1000, 700});
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->Hide());
    ASSERT_TRUE(f.frame.DockWindow(f.variables, 1, 0, 0.0f, 200, 100));  // out of the box, elsewhere
    Settle();                                                             // the box dissolves
    ASSERT_FALSE(f.history->IsInBox());
    EXPECT_FALSE(f.history->isVisible());
    ASSERT_TRUE(f.history->Activate());
    EXPECT_EQ(f.history->geometry(), QRect(600, 300, 400, 400));
    EXPECT_EQ(Join(f.Problems()), "");
}

// ------------------------------------------------------------------ stacked above the frame

// Floating windows shown before the frame's window (as the restore at start
// shows them) are shown again after it, so that the window manager stacks
// them above it; also after the frame comes back from being hidden.
TEST(DockingReach, FloatingWindowsShownBeforeTheFrameAreShownAgainAfterIt)
{
    ReachFixture f;
    f.history->SetFloatingRect({300, 200, 600, 500});
    ASSERT_TRUE(f.history->Float());
    int shows = 0;
    struct CountShows : QObject {
        int& n;
        explicit CountShows(int& n) : n(n) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            n += e->type() == QEvent::Show ? 1 : 0;
            return false;
        }
    } counter(shows);
    f.history->installEventFilter(&counter);
    EXPECT_TRUE(f.frame.IsMappedBeforeFrame(f.history));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "the first show" : "shown again after a hide");
        shows = 0;
        f.Show();
        Settle();
        EXPECT_EQ(shows, 1);
        EXPECT_FALSE(f.frame.IsMappedBeforeFrame(f.history));
        EXPECT_TRUE(f.history->isVisible());
        EXPECT_EQ(f.history->geometry(), QRect(300, 200, 300, 300));
        EXPECT_EQ(Join(f.Problems()), "");
        f.frame.hide();
        Settle();
        EXPECT_TRUE(f.frame.IsMappedBeforeFrame(f.history));
    }
    f.history->removeEventFilter(&counter);
}

// ------------------------------------------------------------------ the focus after a pin

// The pin button pressed while the focus is in the pane: the focus goes to
// the frame's client, and the labels answer the pointer at once.
TEST(DockingReach, APinMovesTheFocusToTheFramesClientAndTheLabelsAnswerAtOnce)
{
    for (const bool wholeBox : {false, true}) {
        SCOPED_TRACE(wholeBox ? "the box" : "one window");
        ReachFixture f;
        ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
        ASSERT_TRUE(f.frame.DockWindow(f.variables, 1, 0, 0.0f, 200, 100));
        if (wholeBox) {
            ASSERT_TRUE(f.variables->DockTo(f.history, 1));
        }
        f.ShowActive();
        f.history->Activate();
        Settle();
        CTabbedAutoHideDockingWindow* pinned = wholeBox ? f.BoxOf(f.history) : f.history;
        ASSERT_NE(pinned, nullptr);
        f.history->Client()->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), f.history->Client());

        const dockwins::RECT& b = pinned->Caption().pin;
        const QPoint pin((b.left + b.right) / 2, (b.top + b.bottom) / 2);
        QTest::mouseClick(f.frame.windowHandle(), Qt::LeftButton, {}, pinned->mapTo(&f.frame, pin));
        Settle();
        ASSERT_TRUE(f.history->IsPinned());
        EXPECT_EQ(QApplication::focusWidget(), f.frame.ClientWindow());
        EXPECT_TRUE(f.frame.isActiveWindow());
        EXPECT_EQ(Join(f.Problems()), "");

        // The slid-out pane goes once the pointer has left it; then resting on
        // the label slides it out again, with no click anywhere first.
        CAutoHideManager& autoHide = f.frame.AutoHide();
        autoHide.Hide(false);
        const QPoint label = autoHide.LabelRectOf(f.history).center();
        f.Move(label + QPoint(1, 0));
        f.Move(label);
        EXPECT_TRUE(QTest::qWaitFor([&] { return autoHide.ShownWindow() == f.history; }, 5000))
            << "the label ignores the pointer";
        ASSERT_TRUE(QTest::qWaitFor([&] { return !autoHide.IsSliding(); }, 5000));

        // Unpinned from the pane with the focus in it, the window has it back, docked.
        f.history->Client()->setFocus();
        const dockwins::RECT& u = autoHide.Pane()->Caption().pin;
        const QPoint unpin((u.left + u.right) / 2, (u.top + u.bottom) / 2);
        QTest::mouseClick(f.frame.windowHandle(), Qt::LeftButton, {}, autoHide.Pane()->mapTo(&f.frame, unpin));
        Settle();
        EXPECT_FALSE(f.history->IsPinned());
        EXPECT_EQ(QApplication::focusWidget(), f.history->Client());
        EXPECT_EQ(Join(f.Problems()), "");
    }
}

// ------------------------------------------------------------------ the drag outline

// Where the desktop shapes no windows (here: the offscreen platform), the
// outline of a caption drag is drawn into an overlay over the frame: its ring
// shows and what lies inside it stays in view.
TEST(DockingReach, WithoutShapingTheOutlineIsARingInTheFramesOverlay)
{
    ReachFixture f;
    ASSERT_FALSE(CGhostOutline::ShapingOffered());
    ASSERT_TRUE(f.frame.DockWindow(f.history, 3, 0, 0.0f, 200, 100));
    f.Show();
    const dockwins::RECT& c = f.history->Caption().caption;
    const QPoint start = f.history->mapTo(&f.frame, QPoint(c.left + 8, (c.top + c.bottom) / 2));
    QTest::mousePress(f.frame.windowHandle(), Qt::LeftButton, {}, start);
    Settle();
    const QImage before = f.frame.grab().toImage();
    QPoint at = start;
    for (int i = 1; i <= 6; ++i)
        QTest::mouseMove(f.frame.windowHandle(), at = start + QPoint(70 * i, 30 * i));
    Settle();
    const auto overlays = f.frame.findChildren<CGhostOutline*>();
    ASSERT_EQ(overlays.size(), 1);
    ASSERT_TRUE(overlays.front()->isVisible());
    EXPECT_EQ(overlays.front()->geometry(), f.frame.rect());
    // The outline in frame coordinates: where the ring's pixels changed.
    const QImage during = f.frame.grab().toImage();
    QRect changed;
    for (int y = 0; y < during.height(); ++y)
        for (int x = 0; x < during.width(); ++x)
            if (during.pixel(x, y) != before.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    ASSERT_FALSE(changed.isEmpty()) << "no ring shown";
    int inside = 0;
    const QRect hollow = changed.adjusted(3, 3, -3, -3);
    for (int y = hollow.top(); y <= hollow.bottom(); ++y)
        for (int x = hollow.left(); x <= hollow.right(); ++x)
            inside += during.pixel(x, y) != before.pixel(x, y) ? 1 : 0;
    EXPECT_EQ(inside, 0) << "the outline covers what it is dragged over";
    QTest::keyClick(f.frame.windowHandle(), Qt::Key_Escape);
    QTest::mouseRelease(f.frame.windowHandle(), Qt::LeftButton, {}, at);
    Settle();
    EXPECT_EQ(Join(f.Problems()), "");
}

}  // namespace

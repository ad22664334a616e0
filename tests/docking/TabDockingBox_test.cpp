// Docking boxes in the frame: made by a drop on a caption or a placement that
// names a window, closing, dissolving, one box onto another, the positions a
// box gives, the drop preview on its strip and tearing a tab out.

#include <gtest/gtest.h>

#include <QApplication>

#include <algorithm>
#include <functional>

#include "DockingFixture.h"
#include "docking/CaptionMoveTracker.h"
#include "docking/DragSession.h"
#include "docking/TabDockingBox.h"

namespace {

using namespace dockwins;

class TabDockingBox : public DockingFixture, public testing::Test {
protected:
    void DockLeft(CTabbedAutoHideDockingWindow* w) { frame.DockWindow(w, kSideInner | kSideBefore, 0, 0.0f, 200, 100); }
    void DockRight(CTabbedAutoHideDockingWindow* w) { frame.DockWindow(w, kSideInner, 0, 0.0f, 200, 100); }
    static CTabDockingBox* BoxOf(const CTabbedAutoHideDockingWindow* w)
    {
        return w ? qobject_cast<CTabDockingBox*>(w->DockedTo()) : nullptr;
    }
    static std::vector<QWidget*> Tabs(const CTabDockingBox* box)
    {
        std::vector<QWidget*> tabs;
        for (int i = 0; box && i < box->WindowCount(); ++i)
            tabs.push_back(box->TabCtrl().ItemWindow(i));
        return tabs;
    }
    void Float(CTabbedAutoHideDockingWindow* w, QRect at)
    {
        w->SetFloatingRect(ToRect(at));
        w->setGeometry(at);
        w->show();
        Settle();
    }
    // A box of `windows` in the left bar, the first one docked there first.
    CTabDockingBox* LeftBox(std::initializer_list<CTabbedAutoHideDockingWindow*> windows)
    {
        auto it = windows.begin();
        DockLeft(*it);
        for (++it; it != windows.end(); ++it)
            EXPECT_TRUE((*it)->DockTo(*windows.begin(), 99));
        Settle();
        return BoxOf(*windows.begin());
    }
    // Drags w by its caption with the tracker, over `points` (screen), then drops or cancels.
    void DragOver(CTabbedAutoHideDockingWindow* w, std::initializer_list<QPoint> points, bool drop = true)
    {
        CCaptionMoveTracker tracker(*w, w->mapToGlobal(QPoint(8, 8)));
        tracker.BeginDrag();
        for (const QPoint& p : points) {
            const QPoint local = w->mapFromGlobal(p);
            tracker.OnMove(local.x(), local.y());
        }
        if (drop) {
            const QPoint last = w->mapFromGlobal(*(points.end() - 1));
            tracker.OnDrop(last.x(), last.y());
        } else {
            tracker.OnCancelDrag(0, 0);
        }
        tracker.EndDrag(!drop);
        Settle();
    }
    // Drags w by its caption with synthetic input on its own window: a press
    // on the caption, a move per point (screen), `during` before the
    // release at the last point.
    void DragByCaption(QWidget* w, std::initializer_list<QPoint> points, const std::function<void()>& during = {})
    {
        QWidget* top = w->window();
        QWindow* window = top->windowHandle();
        const QPoint press = w->mapTo(top, QPoint(30, 8));
        QTest::mousePress(window, Qt::LeftButton, {}, press);
        QTest::mouseMove(window, press + QPoint(8, 8));
        for (const QPoint& p : points)
            QTest::mouseMove(window, top->mapFromGlobal(p));
        if (during)
            during();
        QTest::mouseRelease(window, Qt::LeftButton, {}, top->mapFromGlobal(*(points.end() - 1)));
        Settle();
    }
    // Presses a tab of the box and moves up off the strip, into the box: the
    // tab tears out and its window's drag begins, the button still held.
    QWindow* TearOut(CTabDockingBox* box, int index)
    {
        CFlyingTabCtrl& tabs = box->TabCtrl();
        QWindow* window = frame.windowHandle();
        const QPoint start = tabs.mapTo(&frame, tabs.GetItemRect(index).center());
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        for (int dy = 4; dy <= 80; dy += 4)
            QTest::mouseMove(window, start - QPoint(0, dy));
        QCoreApplication::processEvents();
        return window;
    }
    static QPoint TabCentre(const CTabDockingBox* box, int index)
    {
        return box->TabCtrl().mapToGlobal(box->TabCtrl().GetItemRect(index).center());
    }
    std::string Checked() { return Join(Problems()); }
};

TEST_F(TabDockingBox, ADropOnACaptionMakesABoxInThatWindowsPlace)
{
    DockLeft(history);
    DockRight(variables);
    Show();
    const QRect place = InClient(history);
    // History's client starts at screen x 0: the dropped window still comes last.
    ASSERT_EQ(history->mapToGlobal(history->ClientRect().topLeft()).x(), 0);
    DragOver(variables, {history->mapToGlobal(QPoint(30, 10))});
    CTabDockingBox* box = BoxOf(history);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxOf(variables), box);
    EXPECT_EQ(InClient(box), place);
    EXPECT_EQ(Tabs(box), (std::vector<QWidget*>{history, variables}));
    EXPECT_EQ(box->ActiveWindow(), variables);
    EXPECT_TRUE(variables->isVisible());
    EXPECT_FALSE(history->isVisible());
    EXPECT_EQ(box->windowTitle(), variables->windowTitle());
    EXPECT_EQ(box->TabCtrl().ItemText(0), QStringLiteral("History"));
    EXPECT_EQ(Checked(), "");
}

TEST_F(TabDockingBox, ClosingTheBoxHidesOnlyTheActiveWindowAndSelectsItsNeighbour)
{
    const struct {
        int active;
        int selectedAfter;  // index among the two left
    } cases[] = {{0, 0}, {1, 1}, {2, 1}};
    for (const auto& c : cases) {
        DockingFixture f;
        CTabbedAutoHideDockingWindow* other = f.MakeWindow("Other");
        f.frame.DockWindow(f.history, kSideInner | kSideBefore, 0, 0.0f, 200, 100);
        f.variables->DockTo(f.history, 99);
        other->DockTo(f.history, 99);
        f.Show();
        CTabDockingBox* box = BoxOf(f.history);
        ASSERT_NE(box, nullptr);
        CTabbedAutoHideDockingWindow* active = box->WindowAt(c.active);
        active->Activate();
        box->CloseByButton();
        Settle();
        EXPECT_FALSE(active->IsVisibleWindow()) << c.active;
        EXPECT_EQ(box->TabIndexOf(active), -1);
        ASSERT_EQ(box->WindowCount(), 2);
        EXPECT_EQ(box->TabCtrl().GetCurSel(), c.selectedAfter) << c.active;
        EXPECT_EQ(box->ActiveWindow(), box->WindowAt(c.selectedAfter));
        EXPECT_TRUE(box->ActiveWindow()->isVisible());
        EXPECT_EQ(Join(f.Problems()), "");
    }
}

TEST_F(TabDockingBox, UndockingOneOfTwoPutsTheOtherInTheBoxsPlace)
{
    // In a bar.
    CTabDockingBox* box = LeftBox({history, variables});
    Show();
    ASSERT_NE(box, nullptr);
    const QPointer<CTabDockingBox> guard(box);
    const QRect place = InClient(box);
    variables->Hide();
    Settle();
    EXPECT_TRUE(guard.isNull());
    ASSERT_TRUE(history->IsDocked());
    EXPECT_FALSE(history->IsInBox());
    EXPECT_EQ(InClient(history), place);
    EXPECT_TRUE(history->isVisible());
    EXPECT_EQ(Checked(), "");

    // Floating: the other window floats at the box's rectangle.
    Float(variables, QRect(300, 200, 300, 250));
    ASSERT_TRUE(history->DockTo(variables, 0));
    Settle();
    QPointer<CTabDockingBox> floating = BoxOf(variables);
    ASSERT_FALSE(floating.isNull());
    EXPECT_EQ(floating->geometry(), QRect(300, 200, 300, 250));
    history->Hide();
    Settle();
    EXPECT_TRUE(floating.isNull());
    EXPECT_FALSE(variables->IsDocked());
    EXPECT_TRUE(variables->isVisible());
    EXPECT_EQ(variables->geometry(), QRect(300, 200, 300, 250));
    EXPECT_EQ(Checked(), "");
}

TEST_F(TabDockingBox, ABoxDroppedOnABoxMovesItsWindowsThereAndGoes)
{
    CTabbedAutoHideDockingWindow* c = MakeWindow("C");
    CTabbedAutoHideDockingWindow* d = MakeWindow("D");
    CTabDockingBox* y = LeftBox({history, variables});  // Y [History, Variables]
    Show();
    Float(d, QRect(500, 200, 300, 250));
    ASSERT_TRUE(c->DockTo(d, 0));  // X [C, D], floating
    Settle();
    QPointer<CTabDockingBox> x = BoxOf(d);
    ASSERT_FALSE(x.isNull());
    d->Activate();
    ASSERT_EQ(x->ActiveWindow(), d);

    // Never onto itself: nothing moves.
    DockRequest self;
    self.target = x.data();
    self.outline = {0, 0, 0, 0};
    EXPECT_FALSE(x->DockBox(self));
    self.target = c;
    EXPECT_FALSE(x->DockBox(self));
    Settle();
    EXPECT_EQ(Tabs(x), (std::vector<QWidget*>{c, d}));

    // X dragged by its caption onto Y's first tab: one preview tab for the
    // whole box there, and at the drop X's windows take its place in their
    // order, X's front window in front; X goes.
    std::vector<QWidget*> previewed;
    DragByCaption(x, {TabCentre(y, 0) + QPoint(0, -40), TabCentre(y, 0)}, [&] {
        EXPECT_TRUE(y->HasPreview());
        EXPECT_EQ(y->TabCtrl().ItemText(y->TabCtrl().GetCurSel()), QStringLiteral("D"));
        previewed = Tabs(y);
    });
    EXPECT_TRUE(x.isNull());
    // Where the preview tab stood (no window), C and D.
    ASSERT_EQ(std::count(previewed.begin(), previewed.end(), nullptr), 1);
    const auto at = std::find(previewed.begin(), previewed.end(), nullptr);
    previewed.insert(previewed.erase(at), {c, d});
    EXPECT_EQ(Tabs(y), previewed);
    EXPECT_EQ(y->ActiveWindow(), d);
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(y->HasPreview());
    EXPECT_EQ(Checked(), "");

    // A docked box dropped on Y's caption: its windows join Y too, its front
    // window in front, and its bar goes with it.
    CTabbedAutoHideDockingWindow* e = MakeWindow("E");
    CTabbedAutoHideDockingWindow* g = MakeWindow("G");
    DockRight(e);
    ASSERT_TRUE(g->DockTo(e, 99));
    Settle();
    QPointer<CTabDockingBox> z = BoxOf(e);
    ASSERT_FALSE(z.isNull());
    e->Activate();
    ASSERT_EQ(frame.Bars().size(), 2u);
    DragByCaption(z, {y->mapToGlobal(QPoint(60, 40)), y->mapToGlobal(QPoint(40, 8))});
    EXPECT_TRUE(z.isNull());
    EXPECT_EQ(y->WindowCount(), 6);
    for (QWidget* w : {c, d, e, g})
        EXPECT_GE(y->TabIndexOf(w), 0);
    EXPECT_EQ(y->TabIndexOf(g), y->TabIndexOf(e) + 1);
    EXPECT_EQ(y->ActiveWindow(), e);
    EXPECT_EQ(frame.Bars().size(), 1u);
    EXPECT_EQ(Checked(), "");
}

TEST_F(TabDockingBox, PlacementsAndPositions)
{
    CTabbedAutoHideDockingWindow* other = MakeWindow("Other");
    CTabDockingBox* box = LeftBox({history, variables});
    Show();
    ASSERT_NE(box, nullptr);
    // Two windows: each names the other, the active one with bit 4.
    variables->Activate();
    for (auto [w, named, active] : {std::tuple{history, variables, false}, std::tuple{variables, history, true}}) {
        DockRequest r;
        r.window = w;
        r.target = box;
        ASSERT_TRUE(w->GetDockingPosition(r));
        EXPECT_EQ(r.target, named);
        EXPECT_EQ((r.position.sideFlags & kSideBoxActive) != 0, active);
        EXPECT_EQ(r.position.tabIndex, box->TabIndexOf(w));
        EXPECT_EQ(r.position.sideFlags & (kSideInner | kSideBefore), kSideInner | kSideBefore);
    }
    // Code 5 with a tab index past the end appends.
    other->show();
    DockRequest place;
    place.window = other;
    place.target = box;
    place.code = kSetDockingPosition;
    place.position.tabIndex = 99;
    ASSERT_NE(SendDockRequest(box, place), 0);
    Settle();
    EXPECT_EQ(Tabs(box), (std::vector<QWidget*>{history, variables, other}));
    // Three windows: each names the box; bit 4 only for the active one.
    for (CTabbedAutoHideDockingWindow* w : {history, variables, other}) {
        DockRequest r;
        r.window = w;
        r.target = box;
        ASSERT_TRUE(w->GetDockingPosition(r));
        EXPECT_EQ(r.target, box);
        EXPECT_EQ((r.position.sideFlags & kSideBoxActive) != 0, w == other);
    }
    EXPECT_EQ(Checked(), "");
}

TEST_F(TabDockingBox, TheDropPreviewInsertsMovesAndRemovesItsTab)
{
    CTabbedAutoHideDockingWindow* other = MakeWindow("Other");
    CTabDockingBox* box = LeftBox({history, variables});
    Show();
    Float(other, QRect(600, 100, 250, 200));
    history->Activate();
    CCaptionMoveTracker tracker(*other, other->mapToGlobal(QPoint(8, 8)));
    tracker.BeginDrag();
    auto moveTo = [&](QPoint global) {
        const QPoint local = other->mapFromGlobal(global);
        tracker.OnMove(local.x(), local.y());
    };
    // Over tab 0: a preview tab there, selected, with the dragged window's title and no window.
    moveTo(TabCentre(box, 0));
    EXPECT_EQ(tracker.Target(), box);
    ASSERT_EQ(box->WindowCount(), 3);
    EXPECT_EQ(box->TabCtrl().ItemWindow(0), nullptr);
    EXPECT_EQ(box->TabCtrl().ItemText(0), QStringLiteral("Other"));
    EXPECT_EQ(box->TabCtrl().GetCurSel(), 0);
    EXPECT_TRUE(tracker.Outline().IsEmpty());
    // Over the last tab: the preview moves there.
    moveTo(TabCentre(box, 2) + QPoint(box->TabCtrl().GetItemRect(2).width() / 4, 0));
    EXPECT_EQ(box->TabCtrl().ItemWindow(2), nullptr);
    EXPECT_EQ(Tabs(box), (std::vector<QWidget*>{history, variables, nullptr}));
    // Away from the box: the preview goes, History is selected again.
    moveTo(frame.ClientArea()->mapToGlobal(QPoint(600, 300)));
    EXPECT_EQ(Tabs(box), (std::vector<QWidget*>{history, variables}));
    EXPECT_EQ(box->ActiveWindow(), history);
    // Back over tab 1 and dropped: the real tab takes the preview's place.
    moveTo(TabCentre(box, 1));
    EXPECT_EQ(Tabs(box), (std::vector<QWidget*>{history, nullptr, variables}));
    const QPoint local = other->mapFromGlobal(TabCentre(box, 1));
    tracker.OnDrop(local.x(), local.y());
    tracker.EndDrag(false);
    Settle();
    EXPECT_EQ(Tabs(box), (std::vector<QWidget*>{history, other, variables}));
    EXPECT_EQ(box->ActiveWindow(), other);
    EXPECT_FALSE(box->HasPreview());
    EXPECT_EQ(Checked(), "");
}

TEST_F(TabDockingBox, TearingOutTheActiveOfThreeShowsItsNeighbour)
{
    CTabbedAutoHideDockingWindow* other = MakeWindow("Other");
    CTabDockingBox* box = LeftBox({history, variables, other});
    Show();
    variables->Activate();
    Settle();
    QWindow* window = TearOut(box, 1);
    const QPoint drop = frame.ClientArea()->mapTo(&frame, QPoint(600, 300));
    QTest::mouseMove(window, drop);
    QTest::mouseMove(window, drop + QPoint(2, 2));
    QTest::mouseRelease(window, Qt::LeftButton, {}, drop + QPoint(2, 2));
    Settle();
    EXPECT_EQ(box->TabIndexOf(variables), -1);
    EXPECT_TRUE(variables->isVisible());
    EXPECT_EQ(Tabs(box), (std::vector<QWidget*>{history, other}));
    EXPECT_EQ(box->ActiveWindow(), other);
    EXPECT_TRUE(other->isVisible());
    EXPECT_EQ(Checked(), "");
}

TEST_F(TabDockingBox, ATearOutBackOverItsOwnStripAndCancelledLeavesTheTabsAsTheyWere)
{
    CTabDockingBox* box = LeftBox({history, variables});
    Show();
    variables->Activate();
    Settle();
    const QRect place = InClient(box);
    QWindow* window = TearOut(box, 1);
    ASSERT_NE(CDragSession::Active(), nullptr);
    // Back over tab 0: its own tab moves there while the drag lasts.
    CFlyingTabCtrl& tabs = box->TabCtrl();
    const QPoint over = tabs.mapTo(&frame, tabs.GetItemRect(0).center());
    QTest::mouseMove(window, over);
    QTest::mouseMove(window, over + QPoint(1, 0));
    ASSERT_EQ(Tabs(box), (std::vector<QWidget*>{variables, history}));
    QTest::keyClick(window, Qt::Key_Escape);
    QTest::mouseRelease(window, Qt::LeftButton, {}, over + QPoint(1, 0));
    Settle();
    EXPECT_EQ(CDragSession::Active(), nullptr);
    EXPECT_EQ(BoxOf(variables), box);
    EXPECT_EQ(Tabs(box), (std::vector<QWidget*>{history, variables}));
    EXPECT_EQ(box->ActiveWindow(), variables);
    EXPECT_EQ(InClient(box), place);
    EXPECT_EQ(Checked(), "");
}

TEST_F(TabDockingBox, HiddenOrOwnTargetsAreRefusedWithNothingMoved)
{
    DockLeft(history);
    DockRight(variables);
    Show();
    const QRect before = InClient(variables);
    // A pane onto itself.
    DockRequest self;
    self.window = variables;
    self.target = variables;
    self.code = kAcceptDock;
    EXPECT_EQ(SendDockRequest(variables, self), 0);
    EXPECT_FALSE(variables->DockTo(variables, 0));
    // A hidden target: refused before the window leaves its bar.
    history->Hide();
    Settle();
    EXPECT_FALSE(variables->DockTo(history, 0));
    EXPECT_TRUE(variables->IsDocked());
    EXPECT_EQ(InClient(variables), before);
    EXPECT_EQ(Checked(), "");
    // A pinned target: refused the same way, and its label keeps it alone.
    CTabbedAutoHideDockingWindow* other = MakeWindow("Other");
    DockLeft(other);
    Settle();
    ASSERT_TRUE(other->Pin(false));
    Settle();
    EXPECT_FALSE(variables->DockTo(other, 0));
    EXPECT_TRUE(variables->IsDocked());
    EXPECT_FALSE(variables->IsInBox());
    EXPECT_TRUE(other->IsPinned());
    EXPECT_EQ(Checked(), "");
}

TEST_F(TabDockingBox, APlaceNamingAHiddenWindowDocksByTheFrame)
{
    // Both as tabs in the left bar; close one, then the other; the first
    // comes back where the box was, the other stays hidden.
    CTabDockingBox* box = LeftBox({history, variables});
    Show();
    const QRect place = InClient(box);
    variables->CloseByButton();
    Settle();
    history->CloseByButton();
    Settle();
    EXPECT_FALSE(history->IsVisibleWindow());
    EXPECT_FALSE(variables->IsVisibleWindow());
    variables->Activate();
    Settle();
    EXPECT_TRUE(variables->IsDocked());
    EXPECT_FALSE(variables->IsInBox());
    EXPECT_EQ(InClient(variables), place);
    EXPECT_FALSE(history->IsVisibleWindow());
    EXPECT_EQ(Checked(), "");
}

TEST_F(TabDockingBox, AOneWindowBoxClosedByTheUserDissolves)
{
    CTabDockingBox* box = LeftBox({history, variables});
    Show();
    QPointer<CTabDockingBox> guard(box);
    // The removal and the user's close come before the box's own dissolve runs.
    DockRequest undock;
    undock.window = variables;
    undock.target = box;
    undock.code = kUndock;
    ASSERT_NE(SendDockRequest(box, undock), 0);
    box->CloseBox(false);
    EXPECT_TRUE(history->IsDocked());
    EXPECT_FALSE(history->IsInBox());
    EXPECT_TRUE(history->isVisible());
    Settle();
    EXPECT_TRUE(guard.isNull());
    variables->Activate();
    Settle();
    EXPECT_EQ(Checked(), "");
}

TEST_F(TabDockingBox, AWindowDeletedAsATabLeavesItsBox)
{
    CTabbedAutoHideDockingWindow* other = MakeWindow("Other");
    CTabDockingBox* box = LeftBox({history, variables, other});
    Show();
    variables->Activate();
    delete variables;
    variables = nullptr;
    Settle();
    EXPECT_EQ(Tabs(box), (std::vector<QWidget*>{history, other}));
    EXPECT_EQ(box->ActiveWindow(), other);
    EXPECT_TRUE(other->isVisible());
    EXPECT_EQ(Checked(), "");
    // The last but one goes too: the box dissolves into the last.
    const QPointer<CTabDockingBox> guard(box);
    delete other;
    Settle();
    EXPECT_TRUE(guard.isNull());
    EXPECT_TRUE(history->IsDocked());
    EXPECT_FALSE(history->IsInBox());
    EXPECT_EQ(Checked(), "");
}

TEST_F(TabDockingBox, ADoubleClickOnATabFloatsItsWindowAndOnTheCaptionTheBox)
{
    CTabbedAutoHideDockingWindow* other = MakeWindow("Other");
    CTabDockingBox* box = LeftBox({history, variables, other});
    Show();
    variables->SetFloatingRect({400, 150, 700, 400});
    CFlyingTabCtrl& tabs = box->TabCtrl();
    QTest::mouseDClick(frame.windowHandle(), Qt::LeftButton, {}, tabs.mapTo(&frame, tabs.GetItemRect(1).center()));
    Settle();
    EXPECT_FALSE(variables->IsDocked());
    EXPECT_TRUE(variables->isVisible());
    EXPECT_EQ(variables->geometry(), QRect(400, 150, 300, 250));
    EXPECT_EQ(Tabs(box), (std::vector<QWidget*>{history, other}));
    EXPECT_EQ(Checked(), "");
    // The box's own caption: it floats as a whole.
    box->SetFloatingRect({300, 300, 600, 600});
    QTest::mouseDClick(frame.windowHandle(), Qt::LeftButton, {}, box->mapTo(&frame, QPoint(30, 8)));
    Settle();
    EXPECT_FALSE(box->IsDocked());
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->geometry(), QRect(300, 300, 300, 300));
    EXPECT_EQ(Tabs(box), (std::vector<QWidget*>{history, other}));
    EXPECT_EQ(Checked(), "");
}

TEST_F(TabDockingBox, AHiddenBoxComesBackWhereItWasWhenOneOfItsWindowsIsActivated)
{
    CTabDockingBox* box = LeftBox({history, variables});
    Show();
    const QRect place = InClient(box);
    EXPECT_TRUE(history->IsShownOrTabbed());
    EXPECT_TRUE(variables->IsShownOrTabbed());  // behind History: its tab shows
    ASSERT_TRUE(box->Hide());
    Settle();
    EXPECT_FALSE(history->IsVisibleWindow());
    EXPECT_FALSE(variables->IsVisibleWindow());
    EXPECT_FALSE(history->IsShownOrTabbed());
    EXPECT_FALSE(variables->IsShownOrTabbed());  // the View command's mark goes off
    EXPECT_TRUE(frame.Bars().empty());
    // A hidden box takes no dropped or placed window.
    CTabbedAutoHideDockingWindow* other = MakeWindow("Other");
    Float(other, QRect(500, 200, 250, 200));
    EXPECT_FALSE(other->DockTo(history, 0));
    EXPECT_FALSE(other->IsDocked());
    history->Activate();
    Settle();
    EXPECT_TRUE(box->IsDocked());
    EXPECT_EQ(InClient(box), place);
    EXPECT_EQ(box->ActiveWindow(), history);
    EXPECT_TRUE(history->IsVisibleWindow());
    EXPECT_TRUE(variables->IsShownOrTabbed());
    EXPECT_EQ(Checked(), "");
}

TEST_F(TabDockingBox, AFrameDestroyedBeforeAnEmptiedBoxGoesTakesItDownCleanly)
{
    LeftBox({history, variables});
    Show();
    variables->SetFloatingRect(ToRect(QRect(300, 200, 200, 200)));
    ASSERT_TRUE(variables->Float());
    DockRight(history);
    // No event loop runs before the frame goes with the fixture: the emptied
    // box, hidden and waiting for its queued close, goes with the frame.
}

}  // namespace

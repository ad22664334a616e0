// The docking frame as the main window uses it: the history and variables
// panes docked into one bar on the left of the client, as two tabs of one box.

#include <QApplication>
#include <QPointer>
#include <QTest>

#include <functional>

#include "WindowFixture.h"
#include "docking/AutoHideManager.h"
#include "docking/DockingWindow.h"
#include "docking/LayoutChecker.h"
#include "docking/PackageWindow.h"
#include "docking/TabDockingBox.h"
#include "docking/SplitterWindow.h"
#include "panes/PaneListView.h"
#include "shell/frame/PaneHost.h"

namespace {

using DockingFrameInMainWindow = WindowFixture;

QRect InClient(const CMainFrame& frame, const QWidget* w)
{
    return QRect(w->mapTo(frame.ClientArea(), QPoint(0, 0)), w->size());
}

TEST_F(DockingFrameInMainWindow, PanesStartAsTwoTabsOfOneBoxOnTheLeftOfTheClient)
{
    CMainFrame& frame = *m_frame;
    Settle();
    ASSERT_EQ(frame.Bars().size(), 1u);
    const QRect bar = InClient(frame, frame.Bars()[0]);
    EXPECT_EQ(bar.topLeft(), QPoint(0, 0));
    EXPECT_EQ(bar.width(), 200);
    EXPECT_EQ(bar.height(), frame.ClientArea()->height());
    EXPECT_EQ(InClient(frame, frame.Splitter()).left(), 205);
    EXPECT_EQ(InClient(frame, frame.Splitter()).right() + 1, frame.ClientArea()->width());
    // One box fills the bar: Variables inserted at 0 before History, History in front.
    auto* box = qobject_cast<dockwins::CTabDockingBox*>(frame.PaneWindow(PaneId::History)->DockedTo());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(frame.PaneWindow(PaneId::Variables)->DockedTo(), box);
    EXPECT_EQ(InClient(frame, box), QRect(QPoint(0, 0), bar.size()));
    ASSERT_EQ(box->WindowCount(), 2);
    EXPECT_EQ(box->TabCtrl().ItemText(0), QStringLiteral("Variables  "));
    EXPECT_EQ(box->TabCtrl().ItemText(1), QStringLiteral("History"));
    EXPECT_EQ(box->ActiveWindow(), frame.PaneWindow(PaneId::History));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("History"));
    EXPECT_TRUE(frame.Panes().Pane(PaneId::History)->isVisible());
    EXPECT_FALSE(frame.Panes().Pane(PaneId::Variables)->isVisible());
    EXPECT_TRUE(frame.PaneWindow(PaneId::History)->isAncestorOf(frame.Panes().Pane(PaneId::History)));
    EXPECT_EQ(dockwins::CheckDockingLayout(frame), std::vector<std::string>{});
    // Never below 700 x 650, nor below what the bar and the client need.
    EXPECT_GE(frame.minimumWidth(), 705);
    EXPECT_GE(frame.minimumHeight(), 650);
}

TEST_F(DockingFrameInMainWindow, APaneHiddenAndShownComesBackAsATabOfTheOther)
{
    CMainFrame& frame = *m_frame;
    Settle();
    const QRect place = InClient(frame, frame.PaneWindow(PaneId::History)->DockedTo());
    frame.PaneWindow(PaneId::History)->Hide();
    Settle();
    EXPECT_FALSE(frame.PaneWindow(PaneId::History)->IsVisibleWindow());
    // The box dissolved: Variables alone in its place.
    EXPECT_FALSE(frame.PaneWindow(PaneId::Variables)->IsInBox());
    EXPECT_EQ(InClient(frame, frame.PaneWindow(PaneId::Variables)), place);
    EXPECT_EQ(dockwins::CheckDockingLayout(frame), std::vector<std::string>{});
    frame.OnCommand(32838);  // View: show the history pane
    Settle();
    auto* box = qobject_cast<dockwins::CTabDockingBox*>(frame.PaneWindow(PaneId::History)->DockedTo());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->ActiveWindow(), frame.PaneWindow(PaneId::History));
    EXPECT_EQ(box->TabIndexOf(frame.PaneWindow(PaneId::History)), 1);
    EXPECT_EQ(InClient(frame, box), place);
    EXPECT_EQ(dockwins::CheckDockingLayout(frame), std::vector<std::string>{});
}

TEST_F(DockingFrameInMainWindow, ABoxCaptionCloseKeepsTheFocusAndTheViewCommandBringsThePaneBack)
{
    CMainFrame& frame = *m_frame;
    Settle();
    CTabbedAutoHideDockingWindow* history = frame.PaneWindow(PaneId::History);
    QPointer<QWidget> box = history->DockedTo();
    ASSERT_TRUE(qobject_cast<dockwins::CTabDockingBox*>(box.data()));
    const QRect place = InClient(frame, box);
    QWidget* record = frame.Panes().RecordWidget();
    record->setFocus();
    Settle();
    const auto* caption = static_cast<CTabbedAutoHideDockingWindow*>(box.data());
    const dockwins::RECT close = caption->Caption().close;
    const QPoint button = box->mapTo(&frame, QPoint((close.left + close.right) / 2, (close.top + close.bottom) / 2));
    QTest::mouseClick(frame.windowHandle(), Qt::LeftButton, {}, button);
    Settle();
    // Only the tab in front closed: Variables takes the box's place.
    EXPECT_FALSE(history->IsVisibleWindow());
    EXPECT_TRUE(box.isNull());
    EXPECT_TRUE(frame.PaneWindow(PaneId::Variables)->isVisible());
    EXPECT_EQ(InClient(frame, frame.PaneWindow(PaneId::Variables)), place);
    EXPECT_EQ(QApplication::focusWidget(), record);  // the close did not move it
    EXPECT_EQ(dockwins::CheckDockingLayout(frame), std::vector<std::string>{});
    frame.OnCommand(32838);  // View > History
    Settle();
    auto* back = qobject_cast<dockwins::CTabDockingBox*>(history->DockedTo());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->ActiveWindow(), history);
    EXPECT_TRUE(back->IsCaptionActive());
    EXPECT_EQ(dockwins::CheckDockingLayout(frame), std::vector<std::string>{});
}

TEST_F(DockingFrameInMainWindow, BothTabsClosedOneComesBackWhereTheBoxWasTheOtherStaysHidden)
{
    CMainFrame& frame = *m_frame;
    Settle();
    const QRect place = InClient(frame, frame.PaneWindow(PaneId::History)->DockedTo());
    frame.PaneWindow(PaneId::Variables)->CloseByButton();
    Settle();
    frame.PaneWindow(PaneId::History)->CloseByButton();
    Settle();
    EXPECT_TRUE(frame.Bars().empty());
    frame.OnCommand(32837);  // View > Variables
    Settle();
    EXPECT_TRUE(frame.PaneWindow(PaneId::Variables)->IsDocked());
    EXPECT_FALSE(frame.PaneWindow(PaneId::Variables)->IsInBox());
    EXPECT_EQ(InClient(frame, frame.PaneWindow(PaneId::Variables)), place);
    EXPECT_FALSE(frame.PaneWindow(PaneId::History)->IsVisibleWindow());
    EXPECT_FALSE(frame.PaneWindow(PaneId::History)->isVisible());
    EXPECT_EQ(dockwins::CheckDockingLayout(frame), std::vector<std::string>{});
}

// View > History and View > Variables (F5, F6) put the pane in front with the
// focus on its list whatever its state.
TEST_F(DockingFrameInMainWindow, TheViewCommandsBringThePaneForwardInEveryState)
{
    CMainFrame& frame = *m_frame;
    frame.activateWindow();
    (void)QTest::qWaitForWindowActive(&frame);
    Settle();
    CTabbedAutoHideDockingWindow* history = frame.PaneWindow(PaneId::History);
    CTabbedAutoHideDockingWindow* variables = frame.PaneWindow(PaneId::Variables);
    const auto box = [&] { return qobject_cast<dockwins::CTabDockingBox*>(history->DockedTo()); };
    struct Case {
        const char* state;
        CTabbedAutoHideDockingWindow* pane;
        unsigned command;
        std::function<void()> arrange;
    } cases[] = {
        {"a tab behind History", variables, 32837, [] {}},
        {"the front tab", history, 32838, [] {}},
        {"pinned with the other in one label", history, 32838, [&] {
             ASSERT_NE(box(), nullptr);
             ASSERT_TRUE(box()->PinBox(false));
         }},
        {"pinned, the other one's turn", variables, 32837, [] {}},
        {"docked after an unpin", history, 32838, [&] { frame.AutoHide().Remove(history, true); }},
        {"floating behind the frame's focus", variables, 32837, [&] {
             variables->SetFloatingRect({900, 200, 1200, 500});
             ASSERT_TRUE(variables->Float());
             frame.Panes().RecordWidget()->setFocus();
         }},
        {"hidden while floating", variables, 32837, [&] { ASSERT_TRUE(variables->Hide()); }},
        {"hidden while docked", history, 32838, [&] { ASSERT_TRUE(history->Hide()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        c.arrange();
        Settle();
        frame.Panes().RecordWidget()->setFocus();
        frame.OnCommand(static_cast<int>(c.command));
        Settle();
        EXPECT_EQ(dockwins::CheckInView(frame, *c.pane), std::vector<std::string>{});
        EXPECT_EQ(c.pane->window()->focusWidget(), c.pane->Client());
        EXPECT_EQ(dockwins::CheckDockingLayout(frame), std::vector<std::string>{});
    }
}

}  // namespace

namespace {

TEST_F(DockingFrameInMainWindow, TheSidePaneComesBackToItsWidthWhenTheWindowGrowsAgain)
{
    // Made as small as it goes, the window squeezes the side pane to its
    // minimum; made large again, the pane gets its width back before the
    // client grows.
    CMainFrame& frame = *m_frame;
    frame.resize(1000, 760);
    Settle();
    ASSERT_EQ(frame.Bars().size(), 1u);
    const QRect bar = InClient(frame, frame.Bars()[0]);
    const QRect client = InClient(frame, frame.Splitter());
    ASSERT_EQ(bar.width(), 200);
    frame.resize(100, 100);
    Settle();
    EXPECT_EQ(frame.width(), frame.minimumWidth());
    EXPECT_EQ(InClient(frame, frame.Bars()[0]).width(), 100);
    frame.resize(1000, 760);
    Settle();
    EXPECT_EQ(InClient(frame, frame.Bars()[0]), bar);
    EXPECT_EQ(InClient(frame, frame.Splitter()), client);
    EXPECT_EQ(dockwins::CheckDockingLayout(frame), std::vector<std::string>{});
}

}  // namespace

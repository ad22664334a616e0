// The docking frame as the main window uses it: the history and variables
// panes docked through DockWindow into one bar on the left of the client.

#include <QApplication>
#include <QTest>

#include "WindowFixture.h"
#include "docking/DockingWindow.h"
#include "docking/LayoutChecker.h"
#include "docking/PackageWindow.h"
#include "docking/SplitterWindow.h"
#include "shell/frame/PaneHost.h"

namespace {

using DockingFrameInMainWindow = WindowFixture;

QRect InClient(const CMainFrame& frame, const QWidget* w)
{
    return QRect(w->mapTo(frame.ClientArea(), QPoint(0, 0)), w->size());
}

TEST_F(DockingFrameInMainWindow, PanesShareOneBarOnTheLeftOfTheClient)
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
    // Variables joined the bar above History.
    const QRect variables = InClient(frame, frame.VariablesWindow());
    const QRect history = InClient(frame, frame.HistoryWindow());
    EXPECT_EQ(variables.top(), 0);
    EXPECT_EQ(history.top(), variables.bottom() + 1 + 5);
    EXPECT_TRUE(frame.Panes().HistoryWidget()->isVisible());
    EXPECT_TRUE(frame.HistoryWindow()->isAncestorOf(frame.Panes().HistoryWidget()));
    EXPECT_EQ(dockwins::CheckDockingLayout(frame), std::vector<std::string>{});
    // Never below 700 x 650, nor below what the bar and the client need.
    EXPECT_GE(frame.minimumWidth(), 705);
    EXPECT_GE(frame.minimumHeight(), 650);
}

TEST_F(DockingFrameInMainWindow, APaneHiddenAndShownReturnsToItsPlace)
{
    CMainFrame& frame = *m_frame;
    Settle();
    const QRect before = InClient(frame, frame.HistoryWindow());
    frame.HistoryWindow()->Hide();
    Settle();
    EXPECT_FALSE(frame.HistoryWindow()->IsVisibleWindow());
    EXPECT_EQ(InClient(frame, frame.VariablesWindow()).bottom() + 1, frame.ClientArea()->height());
    EXPECT_EQ(dockwins::CheckDockingLayout(frame), std::vector<std::string>{});
    frame.OnCommand(32838);  // View: show the history pane
    Settle();
    EXPECT_TRUE(frame.HistoryWindow()->IsVisibleWindow());
    EXPECT_EQ(InClient(frame, frame.HistoryWindow()), before);
    EXPECT_EQ(dockwins::CheckDockingLayout(frame), std::vector<std::string>{});
}

TEST_F(DockingFrameInMainWindow, ACaptionCloseKeepsTheFocusAndTheViewCommandBringsThePaneBack)
{
    CMainFrame& frame = *m_frame;
    Settle();
    CTabbedAutoHideDockingWindow* history = frame.HistoryWindow();
    const QRect before = InClient(frame, history);
    QWidget* variablesList = frame.Panes().VariablesWidget();
    variablesList->setFocus();
    Settle();
    const dockwins::PartRect close = history->Caption().close;
    const QPoint button = history->mapTo(&frame, QPoint((close.left + close.right) / 2, (close.top + close.bottom) / 2));
    QTest::mouseClick(frame.windowHandle(), Qt::LeftButton, {}, button);
    Settle();
    EXPECT_FALSE(history->IsVisibleWindow());
    EXPECT_EQ(QApplication::focusWidget(), variablesList);  // the close did not move it
    EXPECT_EQ(dockwins::CheckDockingLayout(frame), std::vector<std::string>{});
    frame.OnCommand(32838);  // View > History
    Settle();
    EXPECT_TRUE(history->IsDocked());
    EXPECT_EQ(InClient(frame, history), before);
    EXPECT_TRUE(history->IsCaptionActive());
    EXPECT_EQ(dockwins::CheckDockingLayout(frame), std::vector<std::string>{});
}

}  // namespace

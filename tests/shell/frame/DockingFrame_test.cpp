// The docking frame as the main frame uses it: a client window in the
// middle and docked panes in one column on the left.

#include <QApplication>
#include <QLabel>

#include "WindowFixture.h"
#include "docking/DockingFrame.h"

namespace {

TEST(DockingFrame, PanesShareOneColumnOnTheLeftOfTheClient)
{
    TestApplication();
    CDockingFrame frame;
    auto* client = new QLabel("client");
    frame.SetClientWindow(client);
    EXPECT_FALSE(frame.DockWindow(nullptr, "none"));
    EXPECT_TRUE(frame.DockColumn()->isHidden());
    auto* first = new QLabel("first");
    auto* second = new QLabel("second");
    EXPECT_TRUE(frame.DockWindow(first, "History", 3, 0, 0.0f, 200, 100));
    EXPECT_TRUE(frame.DockWindow(second, "Variables  ", 3, 0, 0.0f, 300, 100));
    frame.resize(900, 700);
    frame.show();
    QApplication::processEvents();

    EXPECT_EQ(frame.DockColumn()->width(), 200);  // the first pane's width
    EXPECT_EQ(frame.DockedPanes().size(), 2u);
    EXPECT_LT(first->mapTo(&frame, QPoint()).x(), client->mapTo(&frame, QPoint()).x());
    EXPECT_EQ(first->mapTo(&frame, QPoint()).x(), second->mapTo(&frame, QPoint()).x());
    EXPECT_LT(first->mapTo(&frame, QPoint()).y(), second->mapTo(&frame, QPoint()).y());
    EXPECT_GT(client->width(), 600);

    frame.SetPaneVisible(second, false);
    EXPECT_FALSE(frame.IsPaneVisible(second));
    EXPECT_TRUE(frame.IsPaneVisible(first));
    frame.SetPaneVisible(second, true);
    EXPECT_TRUE(frame.IsPaneVisible(second));
}

}  // namespace

#include "docking/SplitterWindow.h"

#include <QApplication>
#include <gtest/gtest.h>

#include "DockingTestApp.h"

namespace {
QApplication& App() { return DockingTestApp(); }
}  // namespace

TEST(SplitterWindow, NeverAsksForLessThan600By450) {
    App();
    TG3_SplitterWindowT<false> splitter;
    EXPECT_EQ(splitter.minimumSizeHint(), QSize(600, 450));
}

TEST(SplitterWindow, LaysOutTheTwoPanesAroundTheBar) {
    App();
    TG3_SplitterWindowT<false> splitter;
    auto* top = new QWidget;
    auto* bottom = new QWidget;
    splitter.resize(600, 500);
    splitter.show();
    splitter.SetSplitterPanes(top, bottom);
    splitter.SetSplitterExtendedStyle(SPLIT_RIGHTALIGNED);
    splitter.SetSecondPaneMinimum(300);
    EXPECT_TRUE(splitter.SetSplitterPos(400));
    const int bar = splitter.BarWidth();
    EXPECT_EQ(splitter.GetSplitterPos(), 500 - 300 - bar);
    EXPECT_EQ(top->geometry(), QRect(0, 0, 600, 500 - 300 - bar));
    EXPECT_EQ(bottom->geometry(), QRect(0, 500 - 300, 600, 300));

    // Right-aligned: a taller window keeps the bottom pane's height.
    splitter.resize(600, 700);
    EXPECT_EQ(bottom->geometry().height(), 300);
}

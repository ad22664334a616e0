// The status bar's four parts.

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "shell/menus/NumLockIndicator.h"
#include "shell/menus/StatusBar.h"

namespace {

TEST(StatusBar, PartsEndAtTheirRightEdges)
{
    for (int width : {700, 1000, 1600}) {
        CStatusBar bar;
        bar.resize(width, 24);
        bar.show();
        QCoreApplication::processEvents();
        const auto edges = CStatusBar::PartRightEdges(width);
        EXPECT_EQ(edges[0], width - 310);
        EXPECT_EQ(edges[1], width - 110);
        EXPECT_EQ(edges[2], width - 55);
        EXPECT_EQ(edges[3], width);
        for (int part = 0; part < CStatusBar::kPartCount; ++part)
            EXPECT_EQ(bar.Part(part)->geometry().right() + 1, edges[part]) << width << " part " << part;
    }
}

TEST(StatusBar, NarrowBarSqueezesWithoutNegativeSizes)
{
    CStatusBar bar;
    bar.resize(200, 24);
    bar.show();
    QCoreApplication::processEvents();
    for (int part = 0; part < CStatusBar::kPartCount; ++part)
        EXPECT_GE(bar.Part(part)->width(), 0);
    EXPECT_EQ(bar.Part(3)->geometry().right() + 1, 200);
}

TEST(StatusBar, TextsAndTheMaxDigitsDoubleClick)
{
    CStatusBar bar;
    bar.resize(800, 24);
    bar.show();
    EXPECT_EQ(bar.PartText(0), "Ready");
    bar.SetPartText(1, "Max Digits: 35");
    EXPECT_EQ(bar.Part(1)->text(), "Max Digits: 35");
    EXPECT_EQ(bar.PartText(7), "");  // out of range: nothing
    bar.SetPartText(-1, "x");

    QSignalSpy spy(&bar, &CStatusBar::maxDigitsPartDoubleClicked);
    QTest::mouseDClick(bar.Part(0), Qt::LeftButton);
    QTest::mouseDClick(bar.Part(2), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 0);
    QTest::mouseDClick(bar.Part(1), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 1);
}

TEST(NumLockIndicator, OffWithoutAnXDisplay)
{
    // The tests run on the offscreen platform: no X keyboard to ask.
    CNumLockIndicator indicator;
    EXPECT_FALSE(indicator.IsNumLockOn());
}

}  // namespace

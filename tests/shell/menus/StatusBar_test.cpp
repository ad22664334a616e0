// The status bar's four parts.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "shell/menus/NumLockIndicator.h"
#include "shell/menus/StatusBar.h"

#if defined(QUILLIX_TEST_X11)
#include <QtGui/qguiapplication_platform.h>
#include <X11/XKBlib.h>  // last: it defines macros such as None
#endif

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
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        GTEST_SKIP() << "runs on X";
    // The tests run on the offscreen platform: no X keyboard to ask.
    CNumLockIndicator indicator;
    EXPECT_FALSE(indicator.IsNumLockOn());
}

#if defined(QUILLIX_TEST_X11)
// Run by hand on X (xvfb-run with QT_QPA_PLATFORM=xcb): the indicator follows
// the Num Lock modifier.
TEST(NumLockIndicator, FollowsTheXKeyboard)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs the xcb platform";
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(x11, nullptr);
    Display* display = x11->display();
    CNumLockIndicator indicator;
    XkbLockModifiers(display, XkbUseCoreKbd, Mod2Mask, Mod2Mask);
    XSync(display, False);
    EXPECT_TRUE(indicator.IsNumLockOn());
    XkbLockModifiers(display, XkbUseCoreKbd, Mod2Mask, 0);
    XSync(display, False);
    EXPECT_FALSE(indicator.IsNumLockOn());
}
#endif

}  // namespace

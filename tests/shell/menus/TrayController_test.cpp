// Hiding in the tray and coming back.

#include <gtest/gtest.h>

#include "shell/menus/TrayController.h"
#include "MenuFakes.h"

namespace {

class TrayControllerTest : public ::testing::Test {
protected:
    CFakeTrayWindow window;
    CFakeTrayIcon icon;
    CFakePrompts prompts;
    CTrayController tray{window, icon, prompts};
};

TEST_F(TrayControllerTest, MinimizeHidesAndADoubleOrPlainClickRestores)
{
    for (TrayActivation how : {TrayActivation::DoubleClick, TrayActivation::Click}) {
        tray.MinimizeToTray();
        EXPECT_TRUE(tray.IsInTray());
        EXPECT_TRUE(icon.shown);
        EXPECT_FALSE(window.visible);

        tray.OnIconActivated(how);
        EXPECT_FALSE(tray.IsInTray());
        EXPECT_FALSE(icon.shown);  // the icon disappears
        EXPECT_TRUE(window.visible);
    }
    EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(TrayControllerTest, MiddleClickAndContextMenuDoNotRestore)
{
    tray.MinimizeToTray();
    tray.OnIconActivated(TrayActivation::MiddleClick);
    tray.OnIconActivated(TrayActivation::ContextMenu);
    EXPECT_TRUE(tray.IsInTray());
    EXPECT_FALSE(window.visible);
}

TEST_F(TrayControllerTest, RestoreFromTheMenu)
{
    tray.MinimizeToTray();
    tray.RestoreFromTray();
    EXPECT_EQ(window.calls, (std::vector<std::string>{"hide", "restore"}));
    EXPECT_FALSE(icon.shown);
}

TEST_F(TrayControllerTest, WithoutATrayTheWindowIsMinimisedNormally)
{
    icon.available = false;
    tray.MinimizeToTray();
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0].first, "Could not perform intialization for system tray icon");
    EXPECT_EQ(prompts.errors[0].second, "Error");
    EXPECT_FALSE(tray.IsInTray());
    EXPECT_EQ(window.calls, std::vector<std::string>{"minimize"});
    EXPECT_TRUE(window.visible);  // never hidden without a way back
    EXPECT_EQ(icon.adds, 0);
}

TEST_F(TrayControllerTest, AnIconTheDesktopRefusesAlsoMinimisesNormally)
{
    icon.accepts = false;
    tray.MinimizeToTray();
    EXPECT_FALSE(tray.IsInTray());
    EXPECT_EQ(window.calls, std::vector<std::string>{"minimize"});
}

TEST_F(TrayControllerTest, ExitFromTheTrayShowsTheWindowBeforeClosing)
{
    tray.MinimizeToTray();
    tray.Exit();
    EXPECT_EQ(window.calls, (std::vector<std::string>{"hide", "restore", "close"}));

    window.calls.clear();
    tray.Exit();  // the window is out of the tray already: close only
    EXPECT_EQ(window.calls, std::vector<std::string>{"close"});
}

TEST_F(TrayControllerTest, IdlePassRemovesTheIconOfAVisibleWindow)
{
    tray.MinimizeToTray();
    tray.OnIdle();
    EXPECT_TRUE(tray.IsInTray());  // still hidden: the icon stays
    window.visible = true;         // shown by other means (a second start)
    tray.OnIdle();
    EXPECT_FALSE(tray.IsInTray());
    EXPECT_FALSE(icon.shown);
}

TEST_F(TrayControllerTest, TrayHostRestartAddsTheIconAgain)
{
    tray.MinimizeToTray();
    tray.OnTrayHostRestarted();
    EXPECT_EQ(icon.adds, 2);
    EXPECT_TRUE(tray.IsInTray());

    // The new host takes no icon: the hidden window must not stay lost.
    icon.accepts = false;
    tray.OnTrayHostRestarted();
    EXPECT_FALSE(tray.IsInTray());
    EXPECT_TRUE(window.minimized);
}

TEST_F(TrayControllerTest, DestroyRemovesTheIcon)
{
    tray.MinimizeToTray();
    tray.OnDestroy();
    EXPECT_FALSE(icon.shown);
    EXPECT_FALSE(tray.IsInTray());
}

}  // namespace

// The tray over real widgets: hiding and restoring the window, Exit through
// the window's own close handling, and the icon on a desktop without a tray.

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWidget>

#include "panes/about/ProgramArt.h"
#include "shell/menus/CommandActions.h"
#include "shell/menus/MenuBuilder.h"
#include "shell/menus/SystemTrayIcon.h"
#include "shell/menus/TrayController.h"
#include "shell/menus/TrayWindow.h"
#include "MenuFakes.h"

namespace {

// A main window that asks the quit question while "calculating", as the frame does.
class CQuitAskingWindow : public QWidget {
public:
    CFakePrompts* prompts = nullptr;
    bool calculating = false;
    int closeRequests = 0;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closeRequests;
        if (calculating &&
            !prompts->AskYesNo("A calculation is in progress.  Are you sure you want to quit now?", "Quit?")) {
            event->ignore();
            return;
        }
        event->accept();
    }
};

class TrayWidgetsTest : public ::testing::Test {
protected:
    TrayWidgetsTest()
    {
        window.prompts = &prompts;
        window.resize(300, 200);
        window.show();
    }

    CQuitAskingWindow window;
    CFakePrompts prompts;
    CWidgetTrayWindow trayWindow{&window};
    CFakeTrayIcon icon;
    CTrayController tray{trayWindow, icon, prompts};
};

TEST_F(TrayWidgetsTest, MinimiseToTrayHidesAndDoubleClickRestores)
{
    tray.MinimizeToTray();
    EXPECT_FALSE(window.isVisible());
    tray.OnIdle();  // hidden: the icon stays
    EXPECT_TRUE(tray.IsInTray());
    tray.OnIconActivated(TrayActivation::DoubleClick);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
    EXPECT_FALSE(icon.shown);
}

TEST_F(TrayWidgetsTest, ExitFromTheTrayDuringACalculationAsksTheQuitQuestion)
{
    tray.MinimizeToTray();
    window.calculating = true;
    prompts.answer = false;
    tray.Exit();
    EXPECT_TRUE(window.isVisible());     // shown before the close is asked
    EXPECT_EQ(window.closeRequests, 0);  // the close comes later, queued
    QCoreApplication::processEvents();
    EXPECT_EQ(window.closeRequests, 1);
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].second, "Quit?");
    EXPECT_TRUE(window.isVisible());  // No keeps the window open

    prompts.answer = true;
    tray.Exit();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(TrayWidgetsTest, MinimiseNormallyWhereThereIsNoTray)
{
    icon.available = false;
    tray.MinimizeToTray();
    EXPECT_TRUE(window.isMinimized() || window.windowState().testFlag(Qt::WindowMinimized));
    EXPECT_FALSE(window.isHidden());
    EXPECT_EQ(prompts.errors.size(), 1u);
}

TEST(SystemTrayIcon, CarriesTheTipAndMenuAndReportsClicks)
{
    QWidget owner;
    CCommandActions actions(&owner);
    QMenu* menu = BuildTrayMenu(actions, &owner);
    CSystemTrayIcon trayIcon(ProgramIcon(), menu);
    EXPECT_EQ(trayIcon.TrayIcon()->toolTip(), "Vornel Quillix");
    EXPECT_EQ(trayIcon.TrayIcon()->contextMenu(), menu);
    EXPECT_FALSE(trayIcon.TrayIcon()->icon().isNull());
    EXPECT_EQ(trayIcon.IsTrayAvailable(), QSystemTrayIcon::isSystemTrayAvailable());

    CFakeTrayWindow window;
    CFakePrompts prompts;
    CTrayController controller(window, trayIcon, prompts);
    trayIcon.SetController(&controller);
    controller.MinimizeToTray();
    if (!trayIcon.IsTrayAvailable()) {
        // This desktop (offscreen) has no tray: a normal minimise instead.
        EXPECT_EQ(window.calls, std::vector<std::string>{"minimize"});
        return;
    }
    EXPECT_FALSE(window.visible);
    emit trayIcon.TrayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window.visible);
}

TEST(SystemTrayIcon, ClicksReachTheController)
{
    QWidget owner;
    CSystemTrayIcon trayIcon(ProgramIcon(), nullptr);
    CFakeTrayWindow window;
    CFakePrompts prompts;
    CTrayController controller(window, trayIcon, prompts);
    trayIcon.SetController(&controller);
    window.visible = false;
    emit trayIcon.TrayIcon()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(window.calls, std::vector<std::string>{"restore"});
    emit trayIcon.TrayIcon()->activated(QSystemTrayIcon::Trigger);
    emit trayIcon.TrayIcon()->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(window.calls.size(), 2u);
    trayIcon.SetController(nullptr);
    emit trayIcon.TrayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(window.calls.size(), 2u);
}

}  // namespace

// The QActions of the table, the menu bar built from them, and the idle pass
// driving them.

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

#include "settings/ColorScheme.h"
#include "settings/ConfigOptions.h"
#include "shell/menus/CommandActions.h"
#include "shell/menus/MenuBuilder.h"
#include "resources/CommandIds.h"
#include "shell/menus/MenuUpdater.h"
#include "shell/menus/StatusBar.h"
#include "shell/menus/ViewToggles.h"
#include "MenuFakes.h"
#include "ScreenshotDir.h"

using namespace menucmd;

namespace {

class CommandActionsTest : public ::testing::Test {
protected:
    CommandActionsTest()
    {
        actions = new CCommandActions(&window);
        BuildMenuBar(*window.menuBar(), *actions);
        toolBar = window.addToolBar(QStringLiteral("Toolbar"));
        BuildToolBar(*toolBar, *actions);
        statusBar = new CStatusBar(&window);
        window.setStatusBar(statusBar);
        window.resize(720, 400);
    }
    void TearDown() override { SetCurrentColorScheme(*FindColorScheme("Smooth Blue")); }

    QAction* A(unsigned id) { return actions->Action(id); }

    QMainWindow window;
    CCommandActions* actions = nullptr;
    QToolBar* toolBar = nullptr;
    CStatusBar* statusBar = nullptr;
};

TEST_F(CommandActionsTest, ActionsCarryTextsAndShortcuts)
{
    EXPECT_EQ(A(kMaxDigitsCustom)->text(), "&Custom");
    EXPECT_EQ(A(kMaxDigitsCustom)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    EXPECT_EQ(A(kCopy)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}));
    EXPECT_EQ(A(kPaste)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}));
    EXPECT_EQ(A(kDegrees)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F1));
    EXPECT_EQ(A(kHelpContents)->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(A(kSchemeSmoothBlue)->text(), "Very Bl&ue");
    EXPECT_TRUE(A(kViewToolbar)->isCheckable());
}

TEST_F(CommandActionsTest, MenuBarHasTheSixMenusInOrder)
{
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Options", "&Actions", "&Help"}));
    QMenu* options = actions->Menu(Submenu::Options);
    ASSERT_NE(options, nullptr);
    // Angle, Max Digits and grouping at 0..2, the colour scheme at 4.
    const QList<QAction*> items = options->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items[0]->menu(), actions->Menu(Submenu::Angle));
    EXPECT_EQ(items[1]->menu(), actions->Menu(Submenu::MaxDigits));
    EXPECT_EQ(items[2]->menu(), actions->Menu(Submenu::Grouping));
    EXPECT_TRUE(items[3]->isSeparator());
    EXPECT_EQ(items[4]->menu(), actions->Menu(Submenu::ColorScheme));
}

TEST_F(CommandActionsTest, TriggeringReportsTheCommandId)
{
    QSignalSpy spy(actions, &CCommandActions::commandTriggered);
    A(kCheckForUpdates)->trigger();
    A(kMaxDigits75)->trigger();
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).toUInt(), kCheckForUpdates);
    EXPECT_EQ(spy.at(1).at(0).toUInt(), kMaxDigits75);
}

TEST_F(CommandActionsTest, RadioGroupsAreExclusiveAndTheSchemeGroupMayBeEmpty)
{
    actions->CheckRadio(kMaxDigits15);
    actions->CheckRadio(kMaxDigits512);
    EXPECT_FALSE(A(kMaxDigits15)->isChecked());
    EXPECT_TRUE(A(kMaxDigits512)->isChecked());
    EXPECT_EQ(actions->Group(RadioGroup::MaxDigits)->exclusionPolicy(),
              QActionGroup::ExclusionPolicy::Exclusive);

    actions->CheckRadio(kSchemeOliveGreen);
    EXPECT_TRUE(A(kSchemeOliveGreen)->isChecked());
    actions->ClearRadio(RadioGroup::ColorScheme);
    for (unsigned id : {kSchemePlainVanilla, kSchemeSmoothBlue, kSchemeSomewhatBlue, kSchemeOliveGreen})
        EXPECT_FALSE(A(id)->isChecked());
}

TEST_F(CommandActionsTest, GraySubmenuDisablesItsCommandsAndGivesThemBack)
{
    actions->EnableCommand(kMaxDigits75, false);  // an item grayed for itself
    actions->EnableSubmenu(Submenu::MaxDigits, false);
    EXPECT_FALSE(actions->Menu(Submenu::MaxDigits)->menuAction()->isEnabled());
    for (unsigned id : {kMaxDigits15, kMaxDigits35, kMaxDigits75, kMaxDigits256, kMaxDigits512, kMaxDigitsCustom})
        EXPECT_FALSE(A(id)->isEnabled()) << id;
    EXPECT_TRUE(A(kDegrees)->isEnabled());

    actions->EnableSubmenu(Submenu::MaxDigits, true);
    EXPECT_TRUE(A(kMaxDigitsCustom)->isEnabled());
    EXPECT_FALSE(A(kMaxDigits75)->isEnabled());  // its own state is kept
    actions->EnableCommand(kMaxDigits75, true);
    EXPECT_TRUE(A(kMaxDigits75)->isEnabled());
}

TEST_F(CommandActionsTest, ShortcutsOfAGraySubmenuAreInert)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy spy(actions, &CCommandActions::commandTriggered);

    QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_F2, Qt::ControlModifier);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).toUInt(), kMaxDigitsCustom);
    EXPECT_EQ(spy.at(1).at(0).toUInt(), kRadians);

    // While a calculation runs the idle pass grays both submenus.
    CFakeMenuState state;
    state.calculating = true;
    state.empty = false;
    ConfigOptions options;
    CMenuUpdater updater(state, options, *actions, statusBar, nullptr);
    updater.Update();
    spy.clear();
    QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_F2, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_FALSE(A(kFileSave)->isEnabled());

    state.calculating = false;
    updater.Update();
    QTest::keyClick(&window, Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(CommandActionsTest, IdlePassRelabelsAndMarksTheActions)
{
    CFakeMenuState state;
    ConfigOptions options;
    CMenuUpdater updater(state, options, *actions, statusBar, nullptr);

    state.digits = 100;
    updater.Update();
    EXPECT_EQ(A(kMaxDigitsCustom)->text(), "&Custom (100)");
    EXPECT_TRUE(A(kMaxDigitsCustom)->isChecked());
    EXPECT_EQ(statusBar->PartText(1), "Max Digits: 100");

    state.digits = 35;
    updater.Update();
    EXPECT_EQ(A(kMaxDigitsCustom)->text(), "&Custom");
    EXPECT_TRUE(A(kMaxDigits35)->isChecked());
    EXPECT_FALSE(A(kMaxDigitsCustom)->isChecked());

    SetCurrentColorScheme(*FindColorScheme("Smooth Blue 2"));
    A(kSchemePlainVanilla)->setChecked(true);
    updater.Update();
    for (unsigned id : {kSchemePlainVanilla, kSchemeSmoothBlue, kSchemeSomewhatBlue, kSchemeOliveGreen})
        EXPECT_FALSE(A(id)->isChecked());
}

TEST_F(CommandActionsTest, ViewTogglesShowAndHideTheBars)
{
    window.show();
    CViewToggles toggles(*actions, toolBar, statusBar);
    toggles.SyncChecks();
    EXPECT_TRUE(A(kViewToolbar)->isChecked());
    EXPECT_TRUE(A(kViewStatusBar)->isChecked());

    EXPECT_TRUE(toggles.OnCommand(kViewToolbar));
    EXPECT_FALSE(toolBar->isVisible());
    EXPECT_FALSE(A(kViewToolbar)->isChecked());
    EXPECT_TRUE(toggles.OnCommand(kViewStatusBar));
    EXPECT_FALSE(statusBar->isVisible());
    EXPECT_FALSE(A(kViewStatusBar)->isChecked());

    toggles.OnCommand(kViewToolbar);
    toggles.OnCommand(kViewStatusBar);
    EXPECT_TRUE(toolBar->isVisible());
    EXPECT_TRUE(statusBar->isVisible());
    EXPECT_TRUE(A(kViewToolbar)->isChecked());
    EXPECT_FALSE(toggles.OnCommand(kCopy));
}

TEST_F(CommandActionsTest, TrayMenuHoldsRestoreAndExit)
{
    QMenu* tray = BuildTrayMenu(*actions, &window);
    const QList<QAction*> items = tray->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "Restore Quillix");
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2], A(kExit));
    EXPECT_EQ(items[2]->text().remove('&'), "Exit");
}

TEST_F(CommandActionsTest, Screenshots)
{
    CFakeMenuState state;
    state.digits = 100;
    state.empty = false;
    state.record = {true, true, false, true};
    state.history = {true, true, 4};
    ConfigOptions options;
    options.m_digitGrouping = 1;
    CMenuUpdater updater(state, options, *actions, statusBar, nullptr);
    updater.Update();
    window.show();
    ASSERT_TRUE(SaveScreenshot(window, QStringLiteral("main-window-bars.png")));

    for (auto [menu, name] : {std::pair{Submenu::File, "menu-file.png"}, std::pair{Submenu::Options, "menu-options.png"},
                              std::pair{Submenu::MaxDigits, "menu-max-digits.png"},
                              std::pair{Submenu::ColorScheme, "menu-color-scheme.png"},
                              std::pair{Submenu::Actions, "menu-actions.png"},
                              std::pair{Submenu::Record, "menu-record.png"}}) {
        QMenu* qmenu = actions->Menu(menu);
        qmenu->popup(window.mapToGlobal(QPoint(20, 40)));
        ASSERT_TRUE(SaveScreenshot(*qmenu, QString::fromUtf8(name)));
        qmenu->hide();
    }
    state.calculating = true;
    updater.Update();
    QMenu* options2 = actions->Menu(Submenu::Options);
    options2->popup(window.mapToGlobal(QPoint(20, 40)));
    ASSERT_TRUE(SaveScreenshot(*options2, QStringLiteral("menu-options-calculating.png")));
    options2->hide();
}

}  // namespace

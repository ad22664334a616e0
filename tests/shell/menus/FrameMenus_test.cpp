// CFrameMenus hosted by a main window: bars installed, commands routed, idle
// pass, tray and help.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "panes/about/AboutDlg.h"
#include "settings/ConfigOptions.h"
#include "platform/qt/Clipboard.h"
#include "shell/menus/CommandActions.h"
#include "shell/menus/FrameMenus.h"
#include "shell/menus/HelpWindow.h"
#include "resources/CommandIds.h"
#include "shell/menus/StatusBar.h"
#include "shell/menus/TrayController.h"
#include "MenuFakes.h"

using namespace menucmd;

namespace {

class FrameMenusTest : public ::testing::Test {
protected:
    FrameMenusTest()
    {
        menus = new CFrameMenus(window, {&state, &optionsHost, &clipboardHost, &prompts, &opener, &options});
        window.resize(760, 500);
        window.show();
    }

    QMainWindow window;
    CFakeMenuState state;
    CFakeOptionsHost optionsHost;
    CFakeClipboardHost clipboardHost;
    CFakePrompts prompts;
    CFakeUrlOpener opener;
    ConfigOptions options;
    CFrameMenus* menus = nullptr;
};

TEST_F(FrameMenusTest, BarsAreInstalledInTheMainWindow)
{
    EXPECT_EQ(window.menuBar(), menus->MenuBar());
    EXPECT_EQ(window.statusBar(), menus->StatusBar());
    EXPECT_EQ(window.toolBarArea(menus->ToolBar()), Qt::TopToolBarArea);
    EXPECT_TRUE(menus->Actions().Action(kViewToolbar)->isChecked());
    EXPECT_TRUE(menus->Actions().Action(kViewStatusBar)->isChecked());
}

TEST_F(FrameMenusTest, OwnCommandsAreRunAndOthersLeftToTheFrame)
{
    EXPECT_TRUE(menus->OnCommand(kCheckForUpdates));
    ASSERT_EQ(opener.urls.size(), 1u);
    EXPECT_NE(opener.urls[0].find("check_for_updates.php?version=1.2.2.0"), std::string::npos);

    clipboardHost.entryText = "-12.5";
    EXPECT_TRUE(menus->OnCommand(kCopy));
    std::string text;
    ASSERT_TRUE(GetClipboardText(text));
    EXPECT_EQ(text, "-12.5");
    SetClipboardText("77");
    EXPECT_TRUE(menus->OnCommand(kPaste));
    EXPECT_EQ(clipboardHost.added, std::vector<std::string>{"77"});

    EXPECT_TRUE(menus->OnCommand(kMaxDigits256));
    EXPECT_EQ(optionsHost.applied, std::vector<int>{256});
    EXPECT_TRUE(menus->OnCommand(kGroupingAll));
    EXPECT_EQ(options.m_digitGrouping, 0);
    EXPECT_TRUE(menus->OnCommand(kViewStatusBar));
    EXPECT_TRUE(menus->StatusBar()->isHidden());

    for (unsigned id : {kFileOpen, kFileSave, kShowHistory, kFreeFormEntry, kHistoryClear, 6147u})
        EXPECT_FALSE(menus->OnCommand(id)) << id;
}

TEST_F(FrameMenusTest, AnsweringNoPutsTheRadioMarkBack)
{
    menus->OnIdle();
    ASSERT_TRUE(menus->Actions().Action(kMaxDigits35)->isChecked());
    optionsHost.empty = false;
    prompts.answer = false;
    QAction* preset = menus->Actions().Action(kMaxDigits75);
    QObject::connect(menus, &CFrameMenus::commandTriggered, menus, [this](unsigned id) { menus->OnCommand(id); });
    preset->trigger();  // the click checks it at once
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_TRUE(optionsHost.applied.empty());
    EXPECT_FALSE(preset->isChecked());
    EXPECT_TRUE(menus->Actions().Action(kMaxDigits35)->isChecked());
}

TEST_F(FrameMenusTest, ChosenActionsAreReported)
{
    QSignalSpy spy(menus, &CFrameMenus::commandTriggered);
    menus->Actions().Action(kFileSave)->trigger();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toUInt(), kFileSave);
}

TEST_F(FrameMenusTest, IdlePassUpdatesTheBarsAndTellsTheKeypad)
{
    state.calculating = true;
    state.canEdit = false;
    const CIdleOutcome outcome = menus->OnIdle();
    EXPECT_FALSE(outcome.angleButtonsEnabled);
    EXPECT_FALSE(outcome.freeFormEnabled);
    EXPECT_EQ(menus->StatusBar()->PartText(0), "Calculating...");
    EXPECT_FALSE(menus->Actions().Action(kMaxDigitsCustom)->isEnabled());
    EXPECT_FALSE(menus->Actions().Action(kDegrees)->isEnabled());
}

TEST_F(FrameMenusTest, StatusBarDoubleClickOffersCustomMaxDigits)
{
    optionsHost.dialogAnswer = 64;
    QTest::mouseDClick(menus->StatusBar()->Part(1), Qt::LeftButton);
    EXPECT_EQ(optionsHost.applied, std::vector<int>{64});
}

TEST_F(FrameMenusTest, TrayCommandsAndExit)
{
    ASSERT_TRUE(menus->OnCommand(kMinimizeToTray));
    if (menus->Tray().IsInTray()) {
        EXPECT_FALSE(window.isVisible());
        menus->OnCommand(kRestoreFromTray);
    } else {
        // No tray on this desktop: told, and minimised normally.
        EXPECT_EQ(prompts.errors.size(), 1u);
        EXPECT_FALSE(window.isHidden());
    }
    EXPECT_TRUE(window.isVisible());
    menus->OnCommand(kExit);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());  // closed through its own close handling
}

TEST_F(FrameMenusTest, HelpOpensThePageBesideTheProgram)
{
    ASSERT_TRUE(menus->OnCommand(kHelpContents));
    // The test program lies in the build's bin folder, beside the page.
    EXPECT_TRUE(prompts.errors.empty());
    ASSERT_NE(menus->HelpViewer().Window(), nullptr);
    EXPECT_TRUE(menus->HelpViewer().Window()->isVisible());
}

TEST_F(FrameMenusTest, AboutRunsTheAboutBoxModally)
{
    QString title;
    QTimer::singleShot(0, [&title] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            dialog->accept();
        }
    });
    EXPECT_TRUE(menus->OnCommand(kAbout));
    EXPECT_EQ(title, "About Vornel Quillix");
}

}  // namespace

namespace {

TEST(FrameMenusInAPlainWidget, BarsAreLeftToTheFrameAndShortcutsStillWork)
{
    QWidget window;
    CFakeMenuState state;
    CFakeOptionsHost optionsHost;
    CFakeClipboardHost clipboardHost;
    CFakePrompts prompts;
    CFakeUrlOpener opener;
    ConfigOptions options;
    CFrameMenus menus(window, {&state, &optionsHost, &clipboardHost, &prompts, &opener, &options});
    EXPECT_EQ(menus.MenuBar()->parentWidget(), &window);
    EXPECT_EQ(menus.StatusBar()->parentWidget(), &window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy spy(&menus, &CFrameMenus::commandTriggered);
    QTest::keyClick(&window, Qt::Key_F1);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toUInt(), kHelpContents);
}

}  // namespace

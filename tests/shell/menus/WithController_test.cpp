// The menu, option and clipboard commands on the real frame controller and
// engine (with the in-process worker), through the controller adapters.

#include <gtest/gtest.h>

#include "ControllerFixture.h"
#include "settings/ConfigOptions.h"
#include "shell/menus/ClipboardCommands.h"
#include "shell/menus/ControllerAdapters.h"
#include "resources/CommandIds.h"
#include "shell/menus/MenuUpdater.h"
#include "shell/menus/OptionCommands.h"
#include "shell/menus/UiServicesPrompts.h"
#include "MenuFakes.h"

using namespace menucmd;

namespace {

// The widget parts of the frame, as a frame without panes answers them.
class CBareMenuState final : public CControllerMenuState {
public:
    using CControllerMenuState::CControllerMenuState;
    std::optional<int> GetKeypadAngle() const override { return 0; }
    CRecordSelectionState GetRecordSelection() const override { return {}; }
    CListPaneState GetPaneState(PaneId) const override { return {}; }
};

class CBareOptionsHost final : public CControllerOptionsHost {
public:
    using CControllerOptionsHost::CControllerOptionsHost;
    std::optional<int> RunCustomMaxDigitsDialog(int) override { return dialogAnswer; }
    void SetKeypadAngle(int) override {}
    void RefreshDigitGrouping() override {}
    void ApplyColorScheme() override {}
    std::optional<int> dialogAnswer;
};

class WithControllerTest : public ControllerFixture {
protected:
    void SetUp() override { MakeEngine(m_factory); }

    void Paste(const std::string& text)
    {
        m_clipboard.text = text;
        m_clipboardCommands.OnPaste();
    }

    std::shared_ptr<CDelayingFactory> m_factory = std::make_shared<CDelayingFactory>(m_host);
    CFakeClipboard m_clipboard;
    CControllerClipboardHost m_clipboardHost{*m_controller};
    CClipboardCommands m_clipboardCommands{m_clipboardHost, m_clipboard};
    CUiServicesPrompts m_prompts{m_services};
    ConfigOptions m_options;
    CBareOptionsHost m_optionsHost{*m_controller};
    COptionCommands m_optionCommands{m_optionsHost, m_prompts, m_options};
    CBareMenuState m_menuState{*m_controller};
    CFakeMenuView m_menus;
    CFakeStatusBar m_statusBar;
    CMenuUpdater m_updater{m_menuState, m_options, m_menus, &m_statusBar, nullptr};
};

TEST_F(WithControllerTest, PastedNumberAfterAnOperatorIsTheNextNumber)
{
    Keys("2 +");
    Paste("-1.5e-3");
    Keys("=");
    EXPECT_EQ(Entry(), "1.9985");
    EXPECT_EQ(m_services.beeps, 0);
}

TEST_F(WithControllerTest, PastesThatAreNoNumberChangeNothing)
{
    Keys("2 + 7");
    const std::string bigRun = std::string(100000, '9') + "x";
    for (const std::string& text : {std::string("12a"), std::string("1,234"), std::string(), bigRun,
                                    std::string("1e9999999")}) {
        Paste(text);
        EXPECT_EQ(Entry(), "7");
        EXPECT_EQ(Message(), "");
    }
    EXPECT_EQ(m_services.beeps, 0);
    Keys("=");
    EXPECT_EQ(Entry(), "9");  // the program lives, the calculation goes on
}

TEST_F(WithControllerTest, PasteAfterAFunctionIsRefusedWithItsMessage)
{
    Keys("9 sqrt");
    Paste("5");
    EXPECT_EQ(Entry(), "3");
    EXPECT_EQ(Message(), "Not expecting a numeric entry at this stage.");
    EXPECT_EQ(m_services.beeps, 1);
}

TEST_F(WithControllerTest, CopyGivesTheEntryTextWithoutGrouping)
{
    Keys("1234567.25");
    m_clipboardCommands.OnCopy();
    EXPECT_EQ(m_clipboard.text, "1234567.25");
}

TEST_F(WithControllerTest, MaxDigitsWarningOnlyForACalculationAndNoChangesNothing)
{
    m_optionCommands.OnCommand(kMaxDigits75);  // empty: no question
    EXPECT_TRUE(m_services.boxes.empty());
    EXPECT_EQ(m_controller->Engine()->GetDisplayDigits(), 75);
    EXPECT_EQ(m_controller->EntryLine().MaxDigits(), 75);

    Keys("2 + 3");
    m_services.answers.push_back(UiMessageAnswer::No);
    m_optionCommands.OnCommand(kMaxDigits15);
    ASSERT_EQ(m_services.boxes.size(), 1u);
    EXPECT_EQ(m_services.boxes[0].caption, "Warning");
    EXPECT_NE(m_services.boxes[0].text.find("to 15 anyway?"), std::string::npos);
    EXPECT_EQ(m_controller->Engine()->GetDisplayDigits(), 75);
    EXPECT_EQ(Entry(), "3");
    Keys("=");
    EXPECT_EQ(Entry(), "5");  // the calculation was kept

    m_services.answers.push_back(UiMessageAnswer::Yes);
    m_optionsHost.dialogAnswer = 100;
    m_optionCommands.OnCommand(kMaxDigitsCustom);
    EXPECT_EQ(m_controller->Engine()->GetDisplayDigits(), 100);
    EXPECT_TRUE(m_controller->IsCalculationEmpty());  // the calculator was cleared
    m_updater.Update();
    EXPECT_EQ(m_menus.texts[kMaxDigitsCustom], "&Custom (100)");
    EXPECT_EQ(m_statusBar.parts[1], "Max Digits: 100");
}

TEST_F(WithControllerTest, StatusBarFollowsACalculationAndItsCancel)
{
    Keys("( ( 2");
    m_updater.Update();
    EXPECT_EQ(m_statusBar.parts[0], "Ready");
    EXPECT_EQ(m_statusBar.parts[2], "(=2");

    m_factory->SetDelay(60000);
    Press("sqrt");
    m_updater.Update();
    EXPECT_EQ(m_statusBar.parts[0], "Calculating...");
    EXPECT_FALSE(m_menus.IsEnabled(kPaste));
    EXPECT_FALSE(m_menus.IsEnabled(kFileSave));
    EXPECT_FALSE(m_menus.submenus[Submenu::MaxDigits]);
    // Ctrl+D or a preset that gets through anyway only beeps.
    const int beeps = m_services.beeps;
    m_optionCommands.OnCommand(kMaxDigitsCustom);
    m_optionCommands.OnCommand(kMaxDigits15);
    EXPECT_EQ(m_services.beeps, beeps + 2);
    EXPECT_TRUE(m_controller->IsCalculating());

    Press("C");
    m_updater.Update();
    EXPECT_EQ(m_statusBar.parts[0], "Canceling...");
    ASSERT_TRUE(Settle());
    m_factory->SetDelay(0);
    m_updater.Update();
    EXPECT_EQ(m_statusBar.parts[0], "Ready");
    EXPECT_TRUE(m_menus.submenus[Submenu::MaxDigits]);
    EXPECT_TRUE(m_menus.IsEnabled(kFileSave));
    EXPECT_EQ(m_controller->Engine()->GetDisplayDigits(), 35);
}

}  // namespace

// The Options menu's commands against a fake frame.

#include <gtest/gtest.h>

#include "settings/ColorScheme.h"
#include "settings/ConfigOptions.h"
#include "resources/CommandIds.h"
#include "shell/menus/OptionCommands.h"
#include "MenuFakes.h"

using namespace menucmd;

namespace {

class OptionCommandsTest : public ::testing::Test {
protected:
    void TearDown() override { SetCurrentColorScheme(*FindColorScheme("Smooth Blue")); }

    CFakeOptionsHost host;
    CFakePrompts prompts;
    ConfigOptions options;
    COptionCommands commands{host, prompts, options};
};

TEST_F(OptionCommandsTest, PresetOnAnEmptyCalculationChangesWithoutAQuestion)
{
    const std::pair<unsigned, int> presets[] = {
        {kMaxDigits15, 15}, {kMaxDigits35, 35}, {kMaxDigits75, 75}, {kMaxDigits256, 256}, {kMaxDigits512, 512}};
    for (auto [id, digits] : presets) {
        EXPECT_TRUE(commands.OnCommand(id));
        EXPECT_EQ(host.applied.back(), digits);
    }
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(OptionCommandsTest, PresetDuringACalculationWarnsWithTheNewValue)
{
    host.empty = false;
    prompts.answer = false;
    commands.OnCommand(kMaxDigits75);
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].second, "Warning");
    const std::string& text = prompts.questions[0].first;
    EXPECT_EQ(text.find("Modifying the 'Max Digits' setting will force a reset of the calculator.\n\r"
                        "To avoid losing the current calculation:\n\r\n\r- First, complete the calculation."),
              0u);
    EXPECT_NE(text.find("\n\r\n\rDo you want to modify the 'Max Digits' setting to 75 anyway?"), std::string::npos);
    // No: nothing changes.
    EXPECT_TRUE(host.applied.empty());
    EXPECT_EQ(host.digits, 35);

    prompts.answer = true;
    host.empty = false;
    commands.OnCommand(kMaxDigits75);
    EXPECT_EQ(host.applied, std::vector<int>{75});
}

TEST_F(OptionCommandsTest, WarningTextsAreExact)
{
    const std::string common =
        "Modifying the 'Max Digits' setting will force a reset of the calculator.\n\r"
        "To avoid losing the current calculation:\n\r\n\r"
        "- First, complete the calculation.\n\r"
        "- Note the result.\n\r"
        "- Press the Clear [C] button (to reset the calculator yourself).\n\r"
        "- And then modify the 'Max Digits' setting.\n\r\n\r";
    EXPECT_EQ(MaxDigitsWarningText(256), common + "Do you want to modify the 'Max Digits' setting to 256 anyway?");
    EXPECT_EQ(MaxDigitsWarningText(-1), common + "Do you want to modify the 'Max Digits' setting anyway?");
}

TEST_F(OptionCommandsTest, CustomAsksBeforeItsDialogAndTakesTheDialogsValue)
{
    host.empty = false;
    host.dialogAnswer = 100;
    commands.OnCommand(kMaxDigitsCustom);
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_NE(prompts.questions[0].first.find("setting anyway?"), std::string::npos);
    EXPECT_EQ(host.dialogOpenedWith, std::vector<int>{35});
    EXPECT_EQ(host.events, (std::vector<std::string>{"dialog", "apply"}));
    EXPECT_EQ(host.applied, std::vector<int>{100});
}

TEST_F(OptionCommandsTest, CustomCancelledOrRefusedChangesNothing)
{
    host.empty = false;
    prompts.answer = false;
    commands.OnCommand(kMaxDigitsCustom);
    EXPECT_TRUE(host.dialogOpenedWith.empty());  // No: the dialog never opens

    prompts.answer = true;
    host.dialogAnswer.reset();  // Cancel in the dialog
    commands.OnCommand(kMaxDigitsCustom);
    EXPECT_EQ(host.dialogOpenedWith.size(), 1u);
    EXPECT_TRUE(host.applied.empty());

    host.dialogAnswer = 9;  // out of range: refused
    commands.OnCommand(kMaxDigitsCustom);
    EXPECT_TRUE(host.applied.empty());
    EXPECT_EQ(prompts.beeps, 1);
}

TEST_F(OptionCommandsTest, MaxDigitsAndAngleOnlyBeepWhileBusy)
{
    for (auto [calculating, cancelling] : {std::pair{true, false}, std::pair{false, true}}) {
        host.calculating = calculating;
        host.cancelPending = cancelling;
        prompts.beeps = 0;
        commands.OnCommand(kMaxDigits15);
        commands.OnCommand(kMaxDigitsCustom);
        commands.OnCommand(kRadians);
        EXPECT_EQ(prompts.beeps, 3);
        EXPECT_TRUE(host.applied.empty());
        EXPECT_TRUE(host.dialogOpenedWith.empty());
        EXPECT_TRUE(host.angles.empty());
        EXPECT_TRUE(prompts.questions.empty());
    }
}

TEST_F(OptionCommandsTest, StatusBarDoubleClickRunsCustomOnlyWhenIdle)
{
    host.dialogAnswer = 200;
    host.calculating = true;
    commands.OnMaxDigitsPartDoubleClicked();
    EXPECT_TRUE(host.dialogOpenedWith.empty());
    EXPECT_EQ(prompts.beeps, 0);  // a double-click while busy is silently ignored

    host.calculating = false;
    host.empty = false;
    commands.OnMaxDigitsPartDoubleClicked();
    EXPECT_EQ(prompts.questions.size(), 1u);  // the warning is included
    EXPECT_EQ(host.applied, std::vector<int>{200});
}

TEST_F(OptionCommandsTest, AngleCommandsSetTheKeypad)
{
    commands.OnCommand(kRadians);
    commands.OnCommand(kGrads);
    commands.OnCommand(kDegrees);
    EXPECT_EQ(host.angles, (std::vector<int>{1, 2, 0}));
}

TEST_F(OptionCommandsTest, GroupingCommandsStoreTheOptionAndReformat)
{
    const std::pair<unsigned, int> cases[] = {{kGroupingAll, 0}, {kGroupingEntryOnly, 1}, {kGroupingOff, 2}};
    int refreshes = 0;
    for (auto [id, grouping] : cases) {
        commands.OnCommand(id);
        EXPECT_EQ(options.m_digitGrouping, grouping);
        EXPECT_EQ(host.groupingRefreshes, ++refreshes);
    }
}

TEST_F(OptionCommandsTest, SchemeCommandsMakeTheSchemeCurrentAndApplyIt)
{
    const std::pair<unsigned, const char*> cases[] = {{kSchemePlainVanilla, "Plain Vanilla"},
                                                      {kSchemeSmoothBlue, "Smooth Blue"},
                                                      {kSchemeSomewhatBlue, "Somewhat Blue"},
                                                      {kSchemeOliveGreen, "Olive Green"}};
    int applications = 0;
    for (auto [id, name] : cases) {
        commands.OnCommand(id);
        EXPECT_EQ(GetCurrentColorScheme(), *FindColorScheme(name));
        EXPECT_EQ(options.m_colorScheme, name);
        EXPECT_EQ(host.schemeApplications, ++applications);
    }
}

TEST_F(OptionCommandsTest, OtherCommandsAreNotTaken)
{
    for (unsigned id : {kCopy, kPaste, kFileSave, kViewToolbar, 6145u, 0u})
        EXPECT_FALSE(commands.OnCommand(id)) << id;
    EXPECT_TRUE(host.events.empty());
}

}  // namespace

// The idle pass: status texts, the enabling and checking of the Edit, Options,
// Actions and File commands.

#include <gtest/gtest.h>

#include "settings/ColorScheme.h"
#include "settings/ConfigOptions.h"
#include "resources/CommandIds.h"
#include "shell/menus/MenuUpdater.h"
#include "MenuFakes.h"

using namespace menucmd;

namespace {

class MenuUpdaterTest : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentColorScheme(*FindColorScheme("Smooth Blue")); }
    void TearDown() override { SetCurrentColorScheme(*FindColorScheme("Smooth Blue")); }

    CIdleOutcome Run() { return updater.Update(); }

    CFakeMenuState state;
    ConfigOptions options;
    CFakeMenuView menus;
    CFakeStatusBar statusBar;
    CFakeNumLock numLock;
    CMenuUpdater updater{state, options, menus, &statusBar, &numLock};
};

TEST_F(MenuUpdaterTest, StatusTextsFollowTheCalculation)
{
    struct Case {
        bool calculating, cancelling;
        int digits, depth;
        bool num;
        const char* parts[4];
    };
    const Case cases[] = {
        {false, false, 35, 0, false, {"Ready", "Max Digits: 35", "(=0", ""}},
        {true, false, 35, 2, false, {"Calculating...", "Max Digits: 35", "(=2", ""}},
        {false, true, 100, 1, true, {"Canceling...", "Max Digits: 100", "(=1", "NUM"}},
        // Both flags: calculating wins.
        {true, true, 512, 25, true, {"Calculating...", "Max Digits: 512", "(=25", "NUM"}},
    };
    for (const Case& c : cases) {
        state.calculating = c.calculating;
        state.cancelPending = c.cancelling;
        state.digits = c.digits;
        state.parenDepth = c.depth;
        numLock.on = c.num;
        Run();
        for (int part = 0; part < 4; ++part)
            EXPECT_EQ(statusBar.parts[part], c.parts[part]) << "part " << part;
    }
}

TEST_F(MenuUpdaterTest, StatusPartsAreRewrittenOnlyWhenTheirTextChanges)
{
    Run();
    const int first = statusBar.writes;
    EXPECT_EQ(first, 3);  // part 3 starts empty and stays so
    Run();
    EXPECT_EQ(statusBar.writes, first);
    state.parenDepth = 1;
    Run();
    EXPECT_EQ(statusBar.writes, first + 1);
}

TEST_F(MenuUpdaterTest, NoStatusBarAndNoNumLockSourceAreFine)
{
    CMenuUpdater bare(state, options, menus, nullptr, nullptr);
    bare.Update();
    EXPECT_TRUE(menus.IsEnabled(kPaste));
    CFakeStatusBar bar;
    bare.SetStatusBar(&bar);
    bare.UpdateStatusBar();
    EXPECT_EQ(bar.parts[3], "");
}

TEST_F(MenuUpdaterTest, PasteFollowsCanAcceptEntry)
{
    Run();
    EXPECT_TRUE(menus.IsEnabled(kPaste));
    state.calculating = true;
    state.canAccept = false;  // as the frame answers while calculating
    Run();
    EXPECT_FALSE(menus.IsEnabled(kPaste));
}

TEST_F(MenuUpdaterTest, CustomMaxDigitsItemIsRelabelledAndMarked)
{
    state.digits = 100;
    Run();
    EXPECT_EQ(menus.texts[kMaxDigitsCustom], "&Custom (100)");
    EXPECT_EQ(menus.Checked(RadioGroup::MaxDigits), kMaxDigitsCustom);

    state.digits = 35;
    Run();
    EXPECT_EQ(menus.texts[kMaxDigitsCustom], "&Custom");
    EXPECT_EQ(menus.Checked(RadioGroup::MaxDigits), kMaxDigits35);

    const std::pair<int, unsigned> presets[] = {
        {15, kMaxDigits15}, {75, kMaxDigits75}, {256, kMaxDigits256}, {512, kMaxDigits512}};
    for (auto [digits, id] : presets) {
        state.digits = digits;
        Run();
        EXPECT_EQ(menus.Checked(RadioGroup::MaxDigits), id) << digits;
    }
}

TEST_F(MenuUpdaterTest, AngleAndMaxDigitsSubmenusAndSaveAreGrayWhileBusy)
{
    state.empty = false;
    Run();
    EXPECT_TRUE(menus.submenus[Submenu::MaxDigits]);
    EXPECT_TRUE(menus.submenus[Submenu::Angle]);
    EXPECT_TRUE(menus.IsEnabled(kFileSave));

    for (auto [calculating, cancelling] : {std::pair{true, false}, std::pair{false, true}}) {
        state.calculating = calculating;
        state.cancelPending = cancelling;
        const CIdleOutcome outcome = Run();
        EXPECT_FALSE(menus.submenus[Submenu::MaxDigits]);
        EXPECT_FALSE(menus.submenus[Submenu::Angle]);
        EXPECT_FALSE(menus.IsEnabled(kFileSave));
        EXPECT_FALSE(outcome.angleButtonsEnabled);
    }
}

TEST_F(MenuUpdaterTest, SaveIsGrayForAnEmptyCalculation)
{
    state.empty = true;
    Run();
    EXPECT_FALSE(menus.IsEnabled(kFileSave));
    state.empty = false;
    Run();
    EXPECT_TRUE(menus.IsEnabled(kFileSave));
}

TEST_F(MenuUpdaterTest, AngleItemFollowsTheKeypad)
{
    for (auto [angle, id] : {std::pair{0, kDegrees}, std::pair{1, kRadians}, std::pair{2, kGrads}}) {
        state.keypadAngle = angle;
        Run();
        EXPECT_EQ(menus.Checked(RadioGroup::Angle), id);
    }
    // Without a keypad window the mark stays where it was.
    state.keypadAngle.reset();
    Run();
    EXPECT_EQ(menus.Checked(RadioGroup::Angle), kGrads);
}

TEST_F(MenuUpdaterTest, GroupingItemFollowsTheOption)
{
    for (auto [grouping, id] :
         {std::pair{0, kGroupingAll}, std::pair{1, kGroupingEntryOnly}, std::pair{2, kGroupingOff}}) {
        options.m_digitGrouping = grouping;
        Run();
        EXPECT_EQ(menus.Checked(RadioGroup::Grouping), id);
    }
}

TEST_F(MenuUpdaterTest, SchemeItemFollowsTheCurrentScheme)
{
    const std::pair<const char*, unsigned> schemes[] = {{"Plain Vanilla", kSchemePlainVanilla},
                                                        {"Smooth Blue", kSchemeSmoothBlue},
                                                        {"Somewhat Blue", kSchemeSomewhatBlue},
                                                        {"Olive Green", kSchemeOliveGreen}};
    for (auto [name, id] : schemes) {
        SetCurrentColorScheme(*FindColorScheme(name));
        Run();
        EXPECT_EQ(menus.Checked(RadioGroup::ColorScheme), id) << name;
    }
    SetCurrentColorScheme(*FindColorScheme("Smooth Blue 2"));
    Run();
    EXPECT_EQ(menus.Checked(RadioGroup::ColorScheme), 0u);
}

TEST_F(MenuUpdaterTest, FreeFormEntryFollowsCanEditEntry)
{
    state.canEdit = true;
    EXPECT_TRUE(Run().freeFormEnabled);
    EXPECT_TRUE(menus.IsEnabled(kFreeFormEntry));
    state.canEdit = false;
    EXPECT_FALSE(Run().freeFormEnabled);
    EXPECT_FALSE(menus.IsEnabled(kFreeFormEntry));
}

TEST_F(MenuUpdaterTest, RecordSubmenuFollowsTheSelectedLine)
{
    struct Case {
        CRecordSelectionState record;
        bool canAccept, busy;
        const char* copyText;  // null: unchanged
        bool copy, addVariable, addEntry, stepBack;
    };
    const Case cases[] = {
        {{false, false, false, false}, true, false, nullptr, false, false, false, false},
        {{true, true, false, true}, true, false, "&Copy Selected Entry", true, true, true, true},
        {{true, false, true, false}, true, false, "&Copy Selected Result", true, true, true, false},
        {{true, false, false, true}, true, false, "&Copy Selected", false, false, false, true},
        {{true, true, false, true}, false, true, "&Copy Selected Entry", true, true, false, false},
    };
    for (const Case& c : cases) {
        menus.texts.clear();
        state.record = c.record;
        state.canAccept = c.canAccept;
        state.calculating = c.busy;
        Run();
        if (c.copyText)
            EXPECT_EQ(menus.texts[kRecordCopySelected], c.copyText);
        else
            EXPECT_EQ(menus.texts.count(kRecordCopySelected), 0u);
        EXPECT_EQ(menus.IsEnabled(kRecordCopySelected), c.copy);
        EXPECT_EQ(menus.IsEnabled(kRecordAddToVariables), c.addVariable);
        EXPECT_EQ(menus.IsEnabled(kRecordAddAsNewEntry), c.addEntry);
        EXPECT_EQ(menus.IsEnabled(kRecordStepBackTo), c.stepBack);
    }
}

TEST_F(MenuUpdaterTest, HistoryAndVariablesSubmenusFollowTheirLists)
{
    // Visible list, item selected, entry accepted: everything on.
    state.history = {true, true, 3};
    state.variables = {true, true, 2};
    Run();
    for (unsigned id : {kHistoryAddAsNewEntry, kHistoryCopySelected, kHistoryAddToVariables, kHistoryDeleteSelected,
                        kHistoryClear, kVariablesAddAsNewEntry, kVariablesCopyValue, kVariablesModifyValue,
                        kVariablesDelete, kVariablesAddNew})
        EXPECT_TRUE(menus.IsEnabled(id)) << id;

    // No entry possible: only "as new entry" goes gray.
    state.canAccept = false;
    Run();
    EXPECT_FALSE(menus.IsEnabled(kHistoryAddAsNewEntry));
    EXPECT_FALSE(menus.IsEnabled(kVariablesAddAsNewEntry));
    EXPECT_TRUE(menus.IsEnabled(kHistoryCopySelected));
    EXPECT_TRUE(menus.IsEnabled(kVariablesCopyValue));

    // Hidden lists: the selection commands go gray; Clear History follows the
    // item count and Add New Variable stays.
    state.canAccept = true;
    state.history = {false, true, 3};
    state.variables = {false, true, 2};
    Run();
    for (unsigned id : {kHistoryAddAsNewEntry, kHistoryCopySelected, kHistoryAddToVariables, kHistoryDeleteSelected,
                        kVariablesAddAsNewEntry, kVariablesCopyValue, kVariablesModifyValue, kVariablesDelete})
        EXPECT_FALSE(menus.IsEnabled(id)) << id;
    EXPECT_TRUE(menus.IsEnabled(kHistoryClear));
    EXPECT_TRUE(menus.IsEnabled(kVariablesAddNew));

    state.history = {true, false, 0};
    Run();
    EXPECT_FALSE(menus.IsEnabled(kHistoryClear));
    EXPECT_FALSE(menus.IsEnabled(kHistoryCopySelected));
}

}  // namespace

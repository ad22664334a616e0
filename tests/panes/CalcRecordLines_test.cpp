#include "panes/CalcRecordLines.h"

#include <gtest/gtest.h>

namespace {

CalcRecordEntry Line(int type, std::string entry, std::string result = {}, int depth = 0)
{
    CalcRecordEntry line;
    line.m_calcRecordEntryType = type;
    line.m_entryString = std::move(entry);
    line.m_resultString = std::move(result);
    line.m_parenDepth = depth;
    return line;
}

const CMenuItemState& Item(const CMenuItems& items, int command)
{
    const CMenuItemState* item = FindMenuItem(items, command);
    EXPECT_NE(item, nullptr) << command;
    static const CMenuItemState none;
    return item ? *item : none;
}

TEST(RecordLineTexts, EntryColumnShowsOperatorsAndGroupedNumbers)
{
    struct Case {
        CalcRecordEntry line;
        int grouping;
        CRecordEntryText expected;
    };
    const Case cases[] = {
        {Line(EntryNumber, "1234567.50"), 0, {"1,234,567.50", false}},
        {Line(EntryNumber, "1234567.50"), 1, {"1234567.50", false}},
        {Line(EntryNumber, "1234567.50"), 2, {"1234567.50", false}},
        {Line(EntryNumber, "12345E"), 0, {"12,345E", false}},
        {Line(EntryBinaryOperator, "*"), 0, {"x", true}},
        {Line(EntryBinaryOperator, "/"), 0, {"\u00F7", false}},
        {Line(EntryBinaryOperator, "idiv"), 0, {"idiv", false}},
        {Line(EntryBinaryOperator, "nCr"), 0, {"nCr", false}},
        {Line(EntryEquals, "whatever"), 0, {"=", false}},
        {Line(EntryFunction, "sqrt"), 0, {"sqrt", false}},
        {Line(EntryOpenParen, "("), 0, {"(", false}},
        // A text that cannot be grouped is shown as stored, never as nothing.
        {Line(EntryNumber, "1E5E6"), 0, {"1E5E6", false}},
        {Line(EntryNumber, "1,234"), 0, {"1,234", false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecordEntryText(c.line, c.grouping), c.expected) << c.line.m_entryString << " " << c.grouping;
}

TEST(RecordLineTexts, DepthAndResultColumns)
{
    EXPECT_EQ(RecordDepthText(Line(EntryNumber, "2", {}, 2)), "2>");
    EXPECT_EQ(RecordDepthText(Line(EntryNumber, "2", {}, 0)), "0>");
    EXPECT_EQ(RecordResultText(Line(EntryEquals, "=", "12345.678"), 0), "12,345.678");
    EXPECT_EQ(RecordResultText(Line(EntryEquals, "=", "12345.678"), 2), "12345.678");
    EXPECT_EQ(RecordResultText(Line(EntryBinaryOperator, "+"), 0), "");
}

TEST(RecordLineTexts, CopyTakesTheStoredText)
{
    EXPECT_EQ(RecordLineText(Line(EntryNumber, "1234567", "9")), "1234567");
    EXPECT_EQ(RecordLineText(Line(2, "5", "")), "5");
    EXPECT_EQ(RecordLineText(Line(EntryEquals, "=", "1234567")), "1234567");
    EXPECT_EQ(RecordLineText(Line(EntryBinaryOperator, "+")), std::nullopt);
}

TEST(RecordLineColors, EachSchemeByState)
{
    for (const char* name : {"Plain Vanilla", "Smooth Blue", "Smooth Blue 2", "Somewhat Blue", "Olive Green"}) {
        SCOPED_TRACE(name);
        const auto scheme = FindColorScheme(name);
        ASSERT_TRUE(scheme);
        const ColorScheme& s = *scheme;
        EXPECT_EQ(RecordLineColors(s, 0, false, false),
                  (CRecordLineColors{s.m_crBackground, s.m_crText, s.m_crParenDepthText}));
        EXPECT_EQ(RecordLineColors(s, 3, false, false),
                  (CRecordLineColors{s.m_crAlternateRow, s.m_crText, s.m_crParenDepthText}));
        EXPECT_EQ(RecordLineColors(s, 3, false, true),
                  (CRecordLineColors{s.m_crFocusedRow, s.m_crFocusedText, s.m_crParenDepthText}));
        EXPECT_EQ(RecordLineColors(s, 2, true, true),
                  (CRecordLineColors{s.m_crSelectedRow, s.m_crSelectedText, s.m_crSelectedText}));
        EXPECT_EQ(RecordRowBackground(s, 4), s.m_crBackground);
        EXPECT_EQ(RecordRowBackground(s, 5), s.m_crAlternateRow);
    }
}

TEST(RecordContextMenu, LabelsAndEnabling)
{
    const CRecordMenuContext idle;
    CMenuItems menu = RecordContextMenu(Line(EntryNumber, "5"), idle);
    EXPECT_EQ(Item(menu, kRecordCopy).m_text, "Copy Entry");
    EXPECT_TRUE(Item(menu, kRecordCopy).m_bEnabled);
    EXPECT_TRUE(Item(menu, kRecordAddToVariables).m_bEnabled);
    EXPECT_EQ(Item(menu, kRecordAddToVariables).m_text, "Add to Variable List");
    EXPECT_TRUE(Item(menu, kRecordStepBack).m_bEnabled);
    ASSERT_EQ(menu.size(), 6u);
    EXPECT_TRUE(menu[1].IsSeparator());
    EXPECT_TRUE(menu[4].IsSeparator());

    menu = RecordContextMenu(Line(EntryEquals, "=", "5"), idle);
    EXPECT_EQ(Item(menu, kRecordCopy).m_text, "Copy Result");

    menu = RecordContextMenu(Line(EntryBinaryOperator, "+"), idle);
    EXPECT_EQ(Item(menu, kRecordCopy), (CMenuItemState{kRecordCopy, "Copy", false}));
    EXPECT_EQ(Item(menu, kRecordAddToVariables), (CMenuItemState{kRecordAddToVariables, "Add as Variable", false}));
    EXPECT_EQ(Item(menu, kRecordAddAsNewEntry), (CMenuItemState{kRecordAddAsNewEntry, "Add as New Entry", false}));

    CRecordMenuContext last = idle;
    last.m_bIsLastLine = true;
    EXPECT_FALSE(Item(RecordContextMenu(Line(EntryNumber, "5"), last), kRecordStepBack).m_bEnabled);

    CRecordMenuContext refusing = idle;
    refusing.m_bCanAcceptEntry = false;
    menu = RecordContextMenu(Line(EntryNumber, "5"), refusing);
    EXPECT_FALSE(Item(menu, kRecordAddAsNewEntry).m_bEnabled);
    EXPECT_TRUE(Item(menu, kRecordCopy).m_bEnabled);

    CRecordMenuContext calculating = idle;
    calculating.m_bCalculating = true;
    EXPECT_FALSE(Item(RecordContextMenu(Line(EntryNumber, "5"), calculating), kRecordStepBack).m_bEnabled);
    CRecordMenuContext cancelling = idle;
    cancelling.m_bCancelPending = true;
    EXPECT_FALSE(Item(RecordContextMenu(Line(EntryNumber, "5"), cancelling), kRecordStepBack).m_bEnabled);
}

TEST(RecordStepBack, CountsTheLinesAfterTheSelectedOne)
{
    EXPECT_EQ(RecordStepBackCount(5, 0), 4);
    EXPECT_EQ(RecordStepBackCount(5, 3), 1);
    EXPECT_EQ(RecordStepBackCount(5, 4), 0);
    // Without a selection there is nothing to step back to (not the whole calculation).
    EXPECT_EQ(RecordStepBackCount(5, -1), 0);
    EXPECT_EQ(RecordStepBackCount(0, -1), 0);
    EXPECT_EQ(RecordStepBackCount(3, 7), 0);
}

}  // namespace

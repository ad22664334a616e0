#include "panes/CalcRecordLines.h"

#include "panes/PaneText.h"

std::optional<std::string> RecordLineText(const CalcRecordEntry& line)
{
    if (IsNumberLine(line))
        return line.m_entryString;
    if (!line.m_resultString.empty())
        return line.m_resultString;
    return std::nullopt;
}

std::string RecordDepthText(const CalcRecordEntry& line)
{
    return std::to_string(line.m_parenDepth) + ">";
}

CRecordEntryText RecordEntryText(const CalcRecordEntry& line, int digitGrouping)
{
    switch (line.m_calcRecordEntryType) {
    case EntryNumber:
        return {PaneDisplayText(line.m_entryString, digitGrouping), false};
    case EntryBinaryOperator:
        if (line.m_entryString == "*")
            return {"x", true};
        if (line.m_entryString == "/")
            return {"\u00F7", false};
        return {line.m_entryString, false};
    case EntryEquals:
        return {"=", false};
    default:
        return {line.m_entryString, false};
    }
}

std::string RecordResultText(const CalcRecordEntry& line, int digitGrouping)
{
    if (line.m_resultString.empty())
        return {};
    return PaneDisplayText(line.m_resultString, digitGrouping);
}

COLORREF RecordRowBackground(const ColorScheme& scheme, int index)
{
    return index % 2 == 0 ? scheme.m_crBackground : scheme.m_crAlternateRow;
}

CRecordLineColors RecordLineColors(const ColorScheme& scheme, int index, bool selected, bool focused)
{
    if (selected)
        return {scheme.m_crSelectedRow, scheme.m_crSelectedText, scheme.m_crSelectedText};
    if (focused)
        return {scheme.m_crFocusedRow, scheme.m_crFocusedText, scheme.m_crParenDepthText};
    return {RecordRowBackground(scheme, index), scheme.m_crText, scheme.m_crParenDepthText};
}

CMenuItems RecordContextMenu(const CalcRecordEntry& line, const CRecordMenuContext& context)
{
    CMenuItems items = {
        {kRecordCopy, "Copy", true},
        CMenuItemState::Separator(),
        {kRecordAddToVariables, "Add to Variable List", true},
        {kRecordAddAsNewEntry, "Add as New Entry", true},
        CMenuItemState::Separator(),
        {kRecordStepBack, "Step Back to this Point", true},
    };
    CMenuItemState& copy = items[0];
    CMenuItemState& addVariable = items[2];
    CMenuItemState& addEntry = items[3];
    CMenuItemState& stepBack = items[5];
    if (IsNumberLine(line)) {
        copy.m_text = "Copy Entry";
    } else if (!line.m_resultString.empty()) {
        copy.m_text = "Copy Result";
    } else {
        copy.m_bEnabled = addVariable.m_bEnabled = addEntry.m_bEnabled = false;
        addVariable.m_text = "Add as Variable";
    }
    if (context.m_bIsLastLine)
        stepBack.m_bEnabled = false;
    if (!context.m_bCanAcceptEntry)
        addEntry.m_bEnabled = false;
    if (context.m_bCalculating || context.m_bCancelPending)
        stepBack.m_bEnabled = false;
    return items;
}

int RecordStepBackCount(int lineCount, int selectedIndex)
{
    if (selectedIndex < 0 || selectedIndex >= lineCount)
        return 0;
    return lineCount - selectedIndex - 1;
}

#pragma once
// How the record window shows and uses one line of the calculation record,
// without any window: texts, colours, the context menu and step back.

#include <optional>
#include <string>

#include "engine/CalcRecord.h"
#include "panes/PaneMenu.h"
#include "resources/CommandIds.h"
#include "settings/ColorScheme.h"

enum CalcRecordCommand : int {
    // The context menu.
    kRecordCopy = panecmd::kRecordCopy,
    kRecordAddToVariables = panecmd::kRecordAddToVariables,
    kRecordAddAsNewEntry = panecmd::kRecordAddAsNewEntry,
    kRecordStepBack = panecmd::kRecordStepBack,
    // The same four from the frame's Calculation Record menu.
    kRecordMenuCopy = menucmd::kRecordCopySelected,
    kRecordMenuAddToVariables = menucmd::kRecordAddToVariables,
    kRecordMenuAddAsNewEntry = menucmd::kRecordAddAsNewEntry,
    kRecordMenuStepBack = menucmd::kRecordStepBackTo,
};

// A line that holds a number entry (the engine records numbers as type 1).
inline bool IsNumberLine(const CalcRecordEntry& line)
{
    return line.m_calcRecordEntryType == 1 || line.m_calcRecordEntryType == 2;
}

// The text that Copy, "Add to Variable List" and "Add as New Entry" take: the
// stored entry of a number line, else a non-empty result, else none.
std::optional<std::string> RecordLineText(const CalcRecordEntry& line);

// Column 0: the depth followed by ">".
std::string RecordDepthText(const CalcRecordEntry& line);

struct CRecordEntryText {
    std::string m_text;
    bool m_bOperatorFont = false;   // "*" shown as "x" in the operator font
    bool operator==(const CRecordEntryText&) const = default;
};

// Column 1: numbers grouped when grouping is on in all windows, "*" as "x",
// "/" as the division sign, "=" for equals, anything else as stored.
CRecordEntryText RecordEntryText(const CalcRecordEntry& line, int digitGrouping);

// Column 2: the result, grouped as column 1 (empty when there is none).
std::string RecordResultText(const CalcRecordEntry& line, int digitGrouping);

struct CRecordLineColors {
    COLORREF m_background = 0;
    COLORREF m_text = 0;
    COLORREF m_depthText = 0;
    bool operator==(const CRecordLineColors&) const = default;
};

// The background of a line that is neither selected nor focused, and of the
// ruled rows below the last line: by the parity of its index.
COLORREF RecordRowBackground(const ColorScheme& scheme, int index);
CRecordLineColors RecordLineColors(const ColorScheme& scheme, int index, bool selected, bool focused);

// What the owner must tell the menu about the calculation.
struct CRecordMenuContext {
    bool m_bIsLastLine = false;
    bool m_bCanAcceptEntry = true;
    bool m_bCalculating = false;
    bool m_bCancelPending = false;
};

CMenuItems RecordContextMenu(const CalcRecordEntry& line, const CRecordMenuContext& context);

// How many steps "Step Back to this Point" takes from a record of lineCount
// lines with selectedIndex selected: the lines after the selected one. With no
// selection there is no point to step back to: 0.
int RecordStepBackCount(int lineCount, int selectedIndex);

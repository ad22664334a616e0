#include "shell/menus/MenuUpdater.h"

#include "resources/CommandIds.h"
#include "settings/ColorScheme.h"
#include "settings/ConfigOptions.h"

using namespace menucmd;

CStatusTexts ComputeStatusTexts(const IMenuStateSource& state, bool numLockOn)
{
    CStatusTexts texts;
    if (state.IsCalculating())
        texts[0] = "Calculating...";
    else if (state.IsCancelPending())
        texts[0] = "Canceling...";
    else
        texts[0] = "Ready";
    texts[1] = "Max Digits: " + std::to_string(state.GetEngineDigits());
    texts[2] = "(=" + std::to_string(state.GetParenDepth());
    texts[3] = numLockOn ? "NUM" : "";
    return texts;
}

std::string CustomMaxDigitsText(int digits)
{
    if (PresetOfMaxDigits(digits))
        return "&Custom";
    return "&Custom (" + std::to_string(digits) + ")";
}

CMenuUpdater::CMenuUpdater(const IMenuStateSource& state, const ConfigOptions& options, IMenuView& menus,
                           IStatusBarView* statusBar, const INumLockIndicator* numLock)
    : m_state(state), m_options(options), m_menus(menus), m_statusBar(statusBar), m_numLock(numLock)
{
}

CIdleOutcome CMenuUpdater::Update()
{
    CIdleOutcome outcome;
    outcome.freeFormEnabled = UpdateFreeFormEntry();
    outcome.angleButtonsEnabled = !IsBusy();
    UpdateStatusBar();
    UpdateEditMenu();
    UpdateOptionsMenu();
    UpdateActionsMenu();
    UpdateFileCommands();
    return outcome;
}

bool CMenuUpdater::UpdateFreeFormEntry()
{
    const bool enabled = m_state.HasEngine() && m_state.CanEditEntry();
    if (m_state.HasEngine())
        m_menus.EnableCommand(kFreeFormEntry, enabled);
    return enabled;
}

void CMenuUpdater::UpdateStatusBar()
{
    if (!m_statusBar)
        return;
    const CStatusTexts texts = ComputeStatusTexts(m_state, m_numLock && m_numLock->IsNumLockOn());
    for (int part = 0; part < IStatusBarView::kPartCount; ++part)
        if (m_statusBar->PartText(part) != texts[part])
            m_statusBar->SetPartText(part, texts[part]);
}

void CMenuUpdater::UpdateEditMenu() { m_menus.EnableCommand(kPaste, m_state.CanAcceptEntry()); }

void CMenuUpdater::UpdateOptionsMenu()
{
    if (!IsBusy()) {
        m_menus.EnableSubmenu(Submenu::MaxDigits, true);
        const int digits = m_state.GetEngineDigits();
        m_menus.SetCommandText(kMaxDigitsCustom, CustomMaxDigitsText(digits));
        m_menus.CheckRadio(PresetOfMaxDigits(digits).value_or(kMaxDigitsCustom));
        m_menus.EnableSubmenu(Submenu::Angle, true);
        if (const std::optional<int> angle = m_state.GetKeypadAngle())
            if (const std::optional<unsigned> id = CommandOfAngle(*angle))
                m_menus.CheckRadio(*id);
    } else {
        // Grayed with their commands, so Ctrl+D and Ctrl+F1..F3 are inert too.
        m_menus.EnableSubmenu(Submenu::MaxDigits, false);
        m_menus.EnableSubmenu(Submenu::Angle, false);
    }
    if (const std::optional<unsigned> id = CommandOfGrouping(m_options.m_digitGrouping))
        m_menus.CheckRadio(*id);
    // A scheme without a command ("Smooth Blue 2") leaves no item marked.
    if (const std::optional<unsigned> id = CommandOfScheme(GetCurrentColorScheme().m_name))
        m_menus.CheckRadio(*id);
    else
        m_menus.ClearRadio(RadioGroup::ColorScheme);
}

void CMenuUpdater::UpdateActionsMenu()
{
    const bool canAccept = m_state.CanAcceptEntry();
    UpdateRecordMenu(canAccept);
    for (const CPaneSpec& pane : kPaneTable)
        UpdatePaneMenu(pane.commands, m_state.GetPaneState(pane.id), canAccept);
}

void CMenuUpdater::UpdateRecordMenu(bool canAccept)
{
    const CRecordSelectionState record = m_state.GetRecordSelection();
    if (!record.hasSelection) {
        for (unsigned id : {kRecordCopySelected, kRecordAddToVariables, kRecordAddAsNewEntry, kRecordStepBackTo})
            m_menus.EnableCommand(id, false);
        return;
    }
    if (record.hasEntryNumber) {
        m_menus.SetCommandText(kRecordCopySelected, "&Copy Selected Entry");
        m_menus.EnableCommand(kRecordCopySelected, true);
    } else if (record.hasResultOnly) {
        m_menus.SetCommandText(kRecordCopySelected, "&Copy Selected Result");
        m_menus.EnableCommand(kRecordCopySelected, true);
    } else {
        m_menus.SetCommandText(kRecordCopySelected, "&Copy Selected");
        m_menus.EnableCommand(kRecordCopySelected, false);
    }
    const bool hasNumber = record.hasEntryNumber || record.hasResultOnly;
    m_menus.EnableCommand(kRecordAddToVariables, hasNumber);
    m_menus.EnableCommand(kRecordAddAsNewEntry, hasNumber && canAccept);
    m_menus.EnableCommand(kRecordStepBackTo, record.isBeforeLast && !IsBusy());
}

void CMenuUpdater::UpdatePaneMenu(const CPaneCommands& commands, const CListPaneState& list, bool canAccept)
{
    const bool selected = list.visible && list.hasSelection;
    if (commands.addAsNewEntry)
        m_menus.EnableCommand(commands.addAsNewEntry, selected && canAccept);
    for (unsigned id : commands.onSelection)
        if (id)
            m_menus.EnableCommand(id, selected);
    if (commands.withItems)
        m_menus.EnableCommand(commands.withItems, list.itemCount > 0);
    if (commands.always)
        m_menus.EnableCommand(commands.always, true);
}

void CMenuUpdater::UpdateFileCommands()
{
    // Saving needs a calculation, and none may be running: a file written in
    // the middle of a step would hold a state the engine is about to leave.
    m_menus.EnableCommand(kFileSave, !m_state.IsCalculationEmpty() && !IsBusy());
}

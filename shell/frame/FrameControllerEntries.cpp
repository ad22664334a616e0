#include "shell/frame/FrameController.h"

#include "shell/frame/FrameControllerTexts.h"

// Step back, and the entries that come from outside the keypad: a number put
// in from the record, the history, the variables, the clipboard or an entry
// dialog, and the states the menus and panes read before they offer one.

using namespace controllertext;

void CFrameController::StepBack(bool bSingleStep)
{
    if (m_stepBackHistory.empty() || IsBusy() || !m_engine) {
        m_views.services->Beep();
        return;
    }
    StepBackHistoryEntry entry = m_stepBackHistory.back();
    m_stepBackHistory.pop_back();
    if (!bSingleStep && !m_stepBackHistory.empty() &&
        (m_stepBackHistory.back().sbType == StepBackHistoryEntry::Number ||
         m_stepBackHistory.back().sbType == StepBackHistoryEntry::Constant)) {
        // One user step back over a number and an operator undoes both and
        // puts the number back for editing.
        m_engine->StepBack(true);
        entry = m_stepBackHistory.back();
        m_stepBackHistory.pop_back();
    }
    switch (entry.sbType) {
    case StepBackHistoryEntry::Number:
        m_engine->StepBack(true);
        RestoreNumberEntry(entry.calcEditEntry);
        break;
    case StepBackHistoryEntry::Constant:
        m_engine->StepBack(true);
        RestoreConstantEntry(entry.calcEditEntry);
        break;
    case StepBackHistoryEntry::Operation:
        m_engine->StepBack(true);
        RestoreOperationEntry(entry);
        break;
    default:
        break;
    }
}

void CFrameController::StepBackTo(int count)
{
    if (IsBusy())
        return;
    for (int i = 0; i < count - 1; ++i)
        StepBack(true);
    StepBack(false);
}

void CFrameController::RestoreNumberEntry(const std::string& text)
{
    m_lastCalcStatus = kSuccess;
    m_views.display->ClearErrorDetail();
    m_views.entry->SetErrorText("");
    Number value;
    if (!CInnerCalc::ParseNumberText(text, value))
        return;
    m_views.entry->SetText(Format(value), false);
    m_bConstantJustEntered = false;
    m_views.entry->SetStartOver(false);
}

void CFrameController::RestoreConstantEntry(const std::string& text)
{
    m_lastCalcStatus = kSuccess;
    m_views.display->ClearErrorDetail();
    m_views.entry->SetErrorText("");
    m_views.entry->SetText(text, false);
    m_bConstantJustEntered = true;
    m_views.entry->SetStartOver(false);
}

void CFrameController::RestoreOperationEntry(const StepBackHistoryEntry& entry)
{
    m_lastCalcStatus = kSuccess;
    m_views.display->ClearErrorDetail();
    m_views.entry->SetErrorText("");
    if (!entry.calcEditEntry.empty())
        m_views.entry->SetText(entry.calcEditEntry, true);
    else
        m_views.entry->SetText(Format(m_engine->GetResult()), true);
    m_bConstantJustEntered = false;
    m_views.entry->SetStartOver(true);
}

// ------------------------------------------------------------------ transfer

void CFrameController::AddAsNewEntry(const std::string& text)
{
    if (!CanAcceptEntry()) {
        m_views.display->SetMessage(kNotExpectingNumber);
        m_views.services->Beep();
        return;
    }
    m_views.display->ClearMessage();
    if (m_engine->GetCalcState() == CalcStateCompleted)
        ResetEngine();
    RestoreNumberEntry(text);
}

bool CFrameController::CanAcceptEntry() const
{
    if (!m_engine)
        return false;
    const int prev = m_engine->GetPrevEntryType();
    return prev != EntryFunction && prev != EntryCloseParen && !IsBusy();
}

bool CFrameController::CanEditEntry() const
{
    if (!m_engine)
        return false;
    if (m_engine->GetCalcState() == CalcStateEmpty)
        return true;
    return !IsFresh() && m_views.entry->ErrorText().empty() && !IsBusy();
}

bool CFrameController::IsParenJustOpened() const
{
    return m_engine && m_engine->GetPrevEntryType() == EntryOpenParen && NothingNewEntered();
}

bool CFrameController::IsCalculationEmpty() const
{
    return !m_engine || (m_engine->GetCalcState() == CalcStateEmpty && m_views.entry->GetText() == "0");
}

#include "shell/frame/FrameController.h"

#include <utility>

#include "port/NameTables.h"
#include "shell/frame/FrameControllerTexts.h"

// The end of a step, taken when the engine's thread has signalled one of the
// two events: the result with its status, or the abort, which takes back
// what the step had pushed.

using namespace controllertext;

namespace {

const char* StatusText(int status)
{
    switch (static_cast<CalcStatus>(status)) {
    case CalcStatus::DivByZero: return "Attempt to divide by zero!";
    case CalcStatus::PowArgTooLarge: return "Result too large!";
    case CalcStatus::PowArgTooSmall: return "Result too small!";
    case CalcStatus::InvalidInput: return "Invalid input for function/operator!";
    case CalcStatus::Overflow: return "Result too large!";
    case CalcStatus::UnknownError: return "Unknown error!";
    case CalcStatus::Underflow:
    case CalcStatus::Success: return nullptr;
    }
    return "Unknown error!";
}

}  // namespace

void CFrameController::OnResultEvent()
{
    m_views.display->HideBusy();
    if (IsCancelPending()) {
        // The step finished before the cancel reached it: its outcome stands.
        m_bIsCancelPending.Set(false);
        m_views.display->HideCancelling();
    } else if (!IsCalculating()) {
        return;
    }
    m_views.display->ClearMessage();
    m_bIsCalculating.Set(false);

    const int status = m_resultInfo.m_status;
    if (m_resultInfo.m_bValueReady && status == kSuccess) {
        bool rounded = false;
        const std::string text = Format(m_resultInfo.m_resultValue, &rounded);
        m_views.entry->SetText(text, true);
        if (rounded)
            m_views.display->SetMessage(kResultRounded);
        if (m_engine->GetPrevEntryType() == EntryEquals && m_views.history)
            m_views.history->AddToHistory(text);
        m_views.entry->SetStartOver(true);
    }
    ShowResultStatus(status, m_resultInfo.m_errorCode);
    m_pendingStep = {};
}

void CFrameController::ShowResultStatus(int status, int errorCode)
{
    m_lastCalcStatus = status == static_cast<int>(CalcStatus::Underflow) ? kSuccess : status;
    std::string detail;
    if (GetOperationErrorMessage(errorCode, detail))
        m_views.display->SetErrorDetail(detail);
    if (const char* text = StatusText(status)) {
        m_views.services->Beep();
        if (m_pendingStep.pushedOperation && !m_stepBackHistory.empty())
            m_stepBackHistory.pop_back();
        m_views.entry->SetErrorText(text);
    }
}

void CFrameController::TakeAbortMessage()
{
    if (m_resultInfo.m_message.empty())
        return;
    const std::string text = std::exchange(m_resultInfo.m_message, {});
    const std::string caption = std::exchange(m_resultInfo.m_messageCaption, {});
    m_views.services->ShowMessageBox(text, caption.empty() ? "Error" : caption, UiMessageIcon::Stop,
                                     UiMessageButtons::Ok);
}

void CFrameController::OnAbortEvent()
{
    m_views.display->HideBusy();
    m_views.display->HideCancelling();
    // The engine's reason comes first, then the entry line is put back.
    TakeAbortMessage();
    const bool stepWasRunning = IsCalculating() || IsCancelPending();
    m_bIsCalculating.Set(false);
    m_bIsCancelPending.Set(false);
    if (!stepWasRunning)
        return;
    const PendingStep step = std::exchange(m_pendingStep, {});
    if (step.pushedOperation && !m_stepBackHistory.empty())
        m_stepBackHistory.pop_back();
    if (step.pushedNumber)
        StepBack(true);
}

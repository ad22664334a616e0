#include "shell/frame/FrameController.h"

#include "resources/CommandIds.h"
#include "resources/StringTable.h"
#include "shell/frame/CommandMaps.h"
#include "shell/frame/FrameControllerTexts.h"

// What each calculator key does: the dispatch of a command id, and the rules
// by which the entries reach the engine and start a step.

using namespace controllertext;

namespace {

constexpr int kMaxParenDepth = 25;

bool IsScrollCommand(int id)
{
    return id == static_cast<int>(cmd::kScrollHome) || id == static_cast<int>(cmd::kScrollEnd) ||
           id == static_cast<int>(cmd::kScrollLeft) || id == static_cast<int>(cmd::kScrollRight);
}

}  // namespace

void CFrameController::DispatchCalcCommand(int id)
{
    if (!m_engine || IsCancelPending())
        return;
    if (IsCalculating() && id != kClearAllId)
        return;
    if (m_lastCalcStatus != kSuccess && id != kClearAllId && id != static_cast<int>(cmd::kStepBack))
        return;

    const int calcState = m_engine->GetCalcState();
    const int prevEntryType = m_engine->GetPrevEntryType();

    if (const auto c = CommandChar(id); c && OnTypedChar(*c, prevEntryType, calcState))
        return;

    const bool editingAllowed =
        !(calcState == CalcStateCompleted ||
          (IsFresh() && (prevEntryType == EntryBinaryOperator || prevEntryType == EntryFunction)));

    if (IsScrollCommand(id)) {
        if (id == static_cast<int>(cmd::kScrollHome))
            m_views.entry->ScrollHome();
        else if (id == static_cast<int>(cmd::kScrollEnd))
            m_views.entry->ScrollEnd();
        else if (id == static_cast<int>(cmd::kScrollLeft))
            m_views.entry->ScrollLeft();
        else
            m_views.entry->ScrollRight();
        return;
    }
    if (const auto op = CommandOperator(id)) {
        OnBinaryOperator(*op);
        return;
    }
    switch (id) {
    case cmd::kNegate:
        OnNegate();
        return;
    case cmd::kPi:
    case cmd::kE:
        OnConstant(id, prevEntryType, calcState);
        return;
    case cmd::kOpenParen:
        OnOpenParen(prevEntryType, calcState);
        return;
    case cmd::kCloseParen:
        OnCloseParen();
        return;
    case cmd::kEquals:
        OnEquals();
        return;
    case cmd::kClearAll:
        OnClearAll();
        return;
    case cmd::kClearEntry:
        if (!editingAllowed && !m_bConstantJustEntered)
            return;
        m_views.display->ClearMessage();
        m_views.entry->Clear(true);
        m_bConstantJustEntered = false;
        return;
    case cmd::kBackspace:
        if (editingAllowed && !m_bConstantJustEntered) {
            m_views.display->ClearMessage();
            m_views.entry->Backspace();
        }
        return;
    case cmd::kStepBack:
        if (!IsBusy()) {
            m_views.display->ClearMessage();
            StepBack(false);
        }
        return;
    default:
        break;
    }
    if (const auto name = CommandFunction(id))
        OnFunction(*name);
}

bool CFrameController::OnTypedChar(char c, int prevEntryType, int calcState)
{
    const std::string kept = m_views.entry->GetText();
    if (!m_views.entry->TypeChar(c))
        return false;  // '+' and '-' that are no exponent sign go on as operators
    if (prevEntryType == EntryFunction || prevEntryType == EntryCloseParen) {
        Refuse(kNotExpectingNumber);
        m_views.entry->SetText(kept, true);
        return true;
    }
    if (m_bConstantJustEntered) {
        m_views.entry->SetText("0", true);
        m_views.entry->TypeChar(c);
    }
    m_bConstantJustEntered = false;
    if (calcState == CalcStateCompleted)
        ResetEngine();
    m_views.display->ClearMessage();
    return true;
}

void CFrameController::OnConstant(int id, int prevEntryType, int calcState)
{
    if (prevEntryType == EntryFunction || prevEntryType == EntryCloseParen) {
        RefuseWithString(kStringNoNumberAfterParenOrFunction);
        return;
    }
    m_views.display->ClearMessage();
    m_bConstantJustEntered = true;
    const int places = m_engine->GetWorkingDigits();
    const Number value = id == static_cast<int>(cmd::kPi) ? Number::pi(places) : Number::e(places);
    m_views.entry->SetText(Format(value), true);
    if (calcState == CalcStateCompleted)
        ResetEngine();
}

void CFrameController::OnOpenParen(int prevEntryType, int calcState)
{
    if (calcState == CalcStateCompleted) {
        // "(" after "=" starts a new calculation with that parenthesis.
        m_views.display->ClearMessage();
        ResetEngine();
        m_calcRecord.Clear();
        m_views.entry->Clear(true);
        m_engine->OpenParen();
        PushOperationEntry("0");
        return;
    }
    if (!NothingNewEntered() ||
        (prevEntryType != EntryNone && prevEntryType != EntryBinaryOperator && prevEntryType != EntryOpenParen)) {
        // The engine takes "(" only at the start, after an operator or after
        // "(", and not after a number: typed, or a constant, which would be lost.
        Refuse(kOpenParenNotAllowed);
        return;
    }
    if (m_engine->GetParenDepth() >= kMaxParenDepth) {
        Refuse(kMaxParenDepthReached);
        return;
    }
    m_views.display->ClearMessage();
    m_engine->OpenParen();
    PushOperationEntry("0");
}

void CFrameController::OnClearAll()
{
    if (IsCalculating()) {
        m_views.display->ClearMessage();
        m_engine->Cancel();
        m_views.display->HideBusy();
        m_bIsCalculating.Set(false);
        m_bIsCancelPending.Set(true);
        m_views.display->ShowCancelling();
        return;
    }
    if (IsCancelPending())
        return;
    ResetEngine();
    m_views.display->ClearMessage();
    m_views.display->ClearErrorDetail();
    m_calcRecord.Clear();
    m_views.entry->Clear(true);
    m_views.entry->SetErrorText("");
    m_bConstantJustEntered = false;
}

void CFrameController::ResetEngine()
{
    if (m_engine)
        m_engine->Reset();
    m_lastCalcStatus = kSuccess;
    m_stepBackHistory.clear();
}

// ------------------------------------------------------------------ entries

void CFrameController::OnBinaryOperator(int op)
{
    const int prevEntryType = m_engine->GetPrevEntryType();
    if ((prevEntryType == EntryBinaryOperator || prevEntryType == EntryOpenParen) && NothingNewEntered())
        return;  // a second operator, or one right after "(": nothing to do
    m_views.display->ClearMessage();
    const bool wasConstant = m_bConstantJustEntered;
    m_bConstantJustEntered = false;

    if (m_engine->GetCalcState() != CalcStateCompleted) {
        m_resultInfo.m_bValueReady = true;
        PendingStep step;
        step.pushedNumber = TakeEntry(wasConstant);
        bool accepted = false;
        const bool started = m_engine->EnterOperator(op, &accepted);
        if (accepted) {
            PushOperationEntry();
            step.pushedOperation = true;
        }
        if (started) {
            BeginStep(step);
            return;
        }
        m_views.entry->SetStartOver(true);
        return;
    }
    // An operator right after "=" goes on with the result.
    const Number value = m_engine->GetResult();
    const std::string text = m_views.entry->GetText();
    ResetEngine();
    m_engine->EnterNumber(value);
    m_stepBackHistory.push_back({StepBackHistoryEntry::Number, text});
    Number unused;
    m_engine->EnterOperatorInline(op, &unused);
    PushOperationEntry();
    m_views.entry->SetStartOver(true);
}

void CFrameController::OnFunction(const std::string& name)
{
    if (m_engine->GetPrevEntryType() == EntryOpenParen && NothingNewEntered())
        return;
    m_views.display->ClearMessage();
    PendingStep step;
    if (m_engine->GetCalcState() != CalcStateCompleted) {
        step.pushedNumber = TakeEntry(m_bConstantJustEntered);
    } else {
        const Number value = m_engine->GetResult();
        const std::string text = m_views.entry->GetText();
        ResetEngine();
        m_engine->EnterNumber(value);
        m_stepBackHistory.push_back({StepBackHistoryEntry::Number, text});
        step.pushedNumber = true;
    }
    m_engine->ApplyFunction(name);
    PushOperationEntry();
    step.pushedOperation = true;
    BeginStep(step);
    m_views.entry->SetStartOver(true);
}

void CFrameController::OnEquals()
{
    if (m_engine->GetParenDepth() >= 1) {
        Refuse(kPendingCloseParens);
        return;
    }
    const int prevEntryType = m_engine->GetPrevEntryType();
    if ((prevEntryType == EntryBinaryOperator && NothingNewEntered()) || IsParenJustOpened())
        return;
    CloseStep(&CInnerCalc::Equals);  // nothing at a second "="
}

void CFrameController::OnCloseParen()
{
    if (m_engine->GetParenDepth() == 0) {
        Refuse(kOpenParenFirst);
        return;
    }
    const int prevEntryType = m_engine->GetPrevEntryType();
    if (prevEntryType == EntryBinaryOperator && NothingNewEntered()) {
        Refuse(kCloseParenNotAllowed);
        return;
    }
    if (prevEntryType == EntryOpenParen && NothingNewEntered()) {
        RefuseWithString(kStringParenNeedsTerm);
        return;
    }
    CloseStep(&CInnerCalc::CloseParen);
}

void CFrameController::CloseStep(void (CInnerCalc::*close)())
{
    m_views.display->ClearMessage();
    const bool wasConstant = m_bConstantJustEntered;
    m_bConstantJustEntered = false;
    if (m_engine->GetCalcState() == CalcStateCompleted)
        return;
    PendingStep step;
    step.pushedNumber = TakeEntry(wasConstant);
    ((*m_engine).*close)();
    PushOperationEntry();
    step.pushedOperation = true;
    BeginStep(step);
}

void CFrameController::OnNegate()
{
    const int prevEntryType = m_engine->GetPrevEntryType();
    if (prevEntryType == EntryBinaryOperator && NothingNewEntered()) {
        Refuse(kNotExpectingNegate);
        return;
    }
    if (IsBusy())
        return;
    m_views.display->ClearMessage();
    if (prevEntryType != EntryFunction && prevEntryType != EntryCloseParen) {
        m_views.entry->Negate();
        if (m_engine->GetCalcState() == CalcStateCompleted)
            ResetEngine();
        return;
    }
    // Negating a computed value: the engine does it at once.
    TakeEntry(m_bConstantJustEntered);
    Number value;
    CInnerCalc::ParseNumberText(m_views.entry->GetText(), value);
    const bool negated = m_engine->Negate("negate", &value);
    PushOperationEntry();
    m_views.entry->SetStartOver(true);
    if (negated)
        m_views.entry->SetText(Format(value), true);
}

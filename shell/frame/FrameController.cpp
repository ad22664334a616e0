#include "shell/frame/FrameController.h"

#include <poll.h>

#include <utility>

#include "platform/Event.h"
#include "port/NameTables.h"
#include "resources/CommandIds.h"
#include "resources/StringTable.h"
#include "shell/frame/CommandMaps.h"

namespace {

constexpr int kSuccess = static_cast<int>(CalcStatus::Success);
constexpr int kMaxParenDepth = 25;

constexpr const char* kNotExpectingNumber = "Not expecting a numeric entry at this stage.";
constexpr const char* kOpenParenNotAllowed = "Open parenthesis is not allowed at this stage.";
constexpr const char* kMaxParenDepthReached = "You have reached the maximum allowed parentheses depth of 25.";
constexpr const char* kPendingCloseParens =
    "There are one or more pending close parentheses - ')'.  Please supply them before attempting to enter the "
    "equal sign.";
constexpr const char* kOpenParenFirst =
    "Please enter an open parenthesis first - before attempting to enter a close parenthesis";
constexpr const char* kCloseParenNotAllowed = "Close parenthesis is not allowed at this stage.";
constexpr const char* kNotExpectingNegate =
    "Not expecting negate at this stage.  Please make a valid entry before applying the negate operator.";
constexpr const char* kResultRounded =
    "Result may have been rounded.  Rounding errors can be reduced (or even eliminated in some cases) by "
    "increasing the value for the 'Max Digits' setting.";

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

bool IsScrollCommand(int id)
{
    return id == static_cast<int>(cmd::kScrollHome) || id == static_cast<int>(cmd::kScrollEnd) ||
           id == static_cast<int>(cmd::kScrollLeft) || id == static_cast<int>(cmd::kScrollRight);
}

// Waits until one of the two events is set; the index of the first set one
// (0 done, 1 aborted), or -1 on time-out. The event is reset.
int WaitForEither(const std::array<CEvent*, 2>& events, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        for (int i = 0; i < 2; ++i)
            if (events[i] && events[i]->tryReset())
                return i;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                                std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return -1;
        pollfd fds[2];
        int n = 0;
        for (auto* event : events)
            if (event)
                fds[n++] = pollfd{event->fd(), POLLIN, 0};
        if (n == 0)
            return -1;
        ::poll(fds, n, static_cast<int>(left.count()));
    }
}

}  // namespace

CFrameController::CFrameController(Views views, std::array<CEvent*, 2> events)
    : m_views(views), m_events(events)
{
    m_resultInfo.m_bValueReady = true;
    m_resultInfo.m_calcEvents = events;
}

CFrameController::~CFrameController()
{
    if (m_engine)
        Shutdown(std::chrono::seconds(15));
}

void CFrameController::CreateEngine(CInnerCalc::Services services, int sigDigits)
{
    m_engine.reset();
    services.messageBoxes = this;
    m_engine = std::make_unique<CInnerCalc>(&m_calcRecord, std::move(services));
    m_engine->SetPrecision(sigDigits);
    m_engine->SetCalcRecord(&m_calcRecord);
    m_engine->SetResultInfo(&m_resultInfo);
    m_views.entry->SetMaxDigits(m_engine->GetDisplayDigits());
}

bool CFrameController::Shutdown(std::chrono::milliseconds wait)
{
    if (!m_engine)
        return true;
    if (IsCalculating())
        OnClearAll();  // cancels
    if (IsCancelPending() || m_engine->IsBusy()) {
        // The thread always ends by signalling one event; take it here, on
        // this thread, since the loop that would run the handlers is ending.
        const int which = WaitForEither(m_events, wait);
        if (which < 0) {
            // The thread may still touch the engine and the events: leave them.
            (void)m_engine.release();
            return false;
        }
        if (which == kCalcDoneEvent)
            OnResultEvent();
        else
            OnAbortEvent();
    }
    m_engine.reset();  // joins the thread, which has signalled and is ending
    return true;
}

void CFrameController::ShowMessageBox(const std::string& text, const std::string& caption)
{
    m_views.services->ShowMessageBox(text, caption, UiMessageIcon::Stop, UiMessageButtons::Ok);
}

std::string CFrameController::Format(const Number& value, bool* rounded) const
{
    std::string text;
    if (m_engine)
        m_engine->FormatNumber(value, text, false, rounded);
    else
        text = value.to_scientific();
    return text;
}

void CFrameController::SetPrecision(int digits)
{
    ClearAll();
    if (m_engine) {
        m_engine->SetPrecision(digits);
        m_views.entry->SetMaxDigits(m_engine->GetDisplayDigits());
    }
}

// ------------------------------------------------------------------ helpers

void CFrameController::Refuse(const std::string& message)
{
    m_views.services->Beep();
    m_views.display->SetMessage(message);
}

void CFrameController::RefuseWithString(unsigned id)
{
    m_views.services->Beep();
    m_views.display->ShowMessageString(id);
}

bool CFrameController::TakeEntry(bool asConstant)
{
    const std::string text = m_views.entry->GetText();
    Number value;
    CInnerCalc::ParseNumberText(text, value);  // the entry line holds only number text
    if (!m_engine->EnterNumber(value))
        return false;
    m_stepBackHistory.push_back({asConstant ? StepBackHistoryEntry::Constant : StepBackHistoryEntry::Number, text});
    return true;
}

void CFrameController::PushOperationEntry(const std::string& text)
{
    m_stepBackHistory.push_back({StepBackHistoryEntry::Operation, text});
}

void CFrameController::BeginStep(const PendingStep& step)
{
    m_pendingStep = step;
    m_bIsCalculating.Set(true);
    m_views.display->ShowBusy();
}

// ------------------------------------------------------------------ dispatch

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

    if (const auto c = CommandChar(id)) {
        const std::string kept = m_views.entry->GetText();
        if (m_views.entry->TypeChar(*c)) {
            if (prevEntryType == EntryFunction || prevEntryType == EntryCloseParen) {
                Refuse(kNotExpectingNumber);
                m_views.entry->SetText(kept, true);
                return;
            }
            if (m_bConstantJustEntered) {
                m_views.entry->SetText("0", true);
                m_views.entry->TypeChar(*c);
            }
            m_bConstantJustEntered = false;
            if (calcState == CalcStateCompleted)
                ResetEngine();
            m_views.display->ClearMessage();
            return;
        }
        // '+' and '-' that are no exponent sign go on as operators.
    }

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

// ------------------------------------------------------------------ outcomes

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

// ------------------------------------------------------------------ step back

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

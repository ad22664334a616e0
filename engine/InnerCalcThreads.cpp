// The calculation threads of CInnerCalc and its worker calls.
#include <chrono>
#include <optional>
#include <system_error>

#include "engine/CalcCallbackLink.h"
#include "engine/InnerCalc.h"
#include "port/NameTables.h"

namespace {

using std::chrono::milliseconds;

// How often a waiting calculation thread looks whether its worker's process
// is still there, and how long a report already on its way may still take
// once the process has been seen to end.
constexpr milliseconds kProcessPollInterval{50};
constexpr milliseconds kLateReportGrace{200};
constexpr milliseconds kProcessEndTimeout{10000};

constexpr const char* kFatalCaption = "Fatal error";

}  // namespace

// ---------------------------------------------------------------- starting

bool CInnerCalc::StartCalcThread(void (CInnerCalc::*proc)()) {
    {
        std::lock_guard lock(m_resultLock);
        m_errorCode = ErrNone;
    }
    m_resultEvent->tryReset();
    m_abortMessage.clear();
    m_abortCaption.clear();
    m_busy.Set(true);
    m_cancel.Set(false);
    if (m_thread.joinable())
        m_thread.join();  // the previous step has signalled; its thread is ending
    try {
        auto work = [this, proc] {
            if (m_resultInfo)
                m_resultInfo->m_bValueReady = false;
            (this->*proc)();
        };
        m_thread = m_services.launchThread ? m_services.launchThread(work) : std::thread(work);
        m_threadId = m_thread.get_id();
        return true;
    } catch (const std::exception&) {
        SetAbortMessage("Could not create thread to perform calculation!", "Error");
        FinishAborted();
        return false;
    }
}

// ---------------------------------------------------------------- ending

void CInnerCalc::SetAbortMessage(const std::string& text, const std::string& caption) {
    m_abortMessage = text;
    m_abortCaption = caption;
}

void CInnerCalc::Signal(int eventIndex) {
    if (m_resultInfo && m_resultInfo->m_calcEvents[eventIndex])
        m_resultInfo->m_calcEvents[eventIndex]->set();
}

void CInnerCalc::FinishDone() {
    if (m_resultInfo) {
        std::lock_guard lock(m_resultLock);
        m_resultInfo->m_status = static_cast<int>(m_resultStatus);
        m_resultInfo->m_errorCode = m_errorCode;
        m_resultInfo->m_message.clear();
        m_resultInfo->m_messageCaption.clear();
    }
    if (m_busy.Get()) {
        m_busy.Set(false);
        Signal(kCalcDoneEvent);
    }
}

void CInnerCalc::FinishAborted() {
    if (m_resultInfo) {
        m_resultInfo->m_bValueReady = false;
        m_resultInfo->m_message = m_abortMessage;
        m_resultInfo->m_messageCaption = m_abortCaption;
    }
    if (m_busy.Get()) {
        m_busy.Set(false);
        Signal(kCalcAbortedEvent);
    }
}

void CInnerCalc::SetStepStatus(CalcStatus status) {
    std::lock_guard lock(m_resultLock);
    m_resultStatus = status;
    m_errorCode = ErrNone;
}

// The engine's shape does not allow the step: nothing changes, and the frame
// reads InvalidInput rather than the status of an earlier step.
void CInnerCalc::RefuseStep() {
    SetStepStatus(CalcStatus::InvalidInput);
    FinishDone();
}

void CInnerCalc::PublishResult(const Number& value) {
    if (m_resultInfo) {
        m_resultInfo->m_resultValue = value;
        m_resultInfo->m_bValueReady = true;
    }
}

// ---------------------------------------------------------------- worker calls

bool CInnerCalc::StartWorker(int& processId, const char* processIdFailure) {
    const int id = m_requestIds.Allocate();
    m_currentRequestId.Set(id);
    std::shared_ptr<ICalcWorker> worker;
    const HRESULT created = m_services.workerFactory->CreateWorker(kCalcWorkerProgId, &worker);
    if (Failed(created) || !worker) {
        SetAbortMessage("Could not start calculation engine!", kFatalCaption);
        EndRequest(WaitOutcome::Reported, -1);
        return false;
    }
    m_worker = std::move(worker);
    if (Failed(m_worker->GetProcessId_CW(&processId))) {
        SetAbortMessage(processIdFailure, kFatalCaption);
        ReleaseWorker();
        EndRequest(WaitOutcome::Reported, -1);
        return false;
    }
    return true;
}

// Ends the request in flight: after a cancel the worker's process is ended
// and waited for; its id stays reserved in case a report still comes.
void CInnerCalc::EndRequest(WaitOutcome outcome, int processId) {
    const int id = m_currentRequestId.Get();
    m_currentRequestId.Set(-1);
    if (outcome == WaitOutcome::Cancelled && m_worker) {
        m_worker->EndProcess_CW();
        ReleaseWorker();
        if (m_services.processWaiter)
            m_services.processWaiter->WaitForProcessEnd(processId, kProcessEndTimeout);
    }
    ReleaseWorker();
    if (outcome == WaitOutcome::Reported)
        m_requestIds.Release(id);
}

// The worker factory's transport may hand reports over only while this
// thread waits in it.
bool CInnerCalc::WaitForResultEvent(milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (m_resultEvent->tryReset())
            return true;
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        m_services.workerFactory->AwaitReport(m_resultEvent->fd(), left);
    }
}

CInnerCalc::WaitOutcome CInnerCalc::WaitForReport(int processId) {
    for (;;) {
        if (WaitForResultEvent(kProcessPollInterval))
            return m_cancel.Get() ? WaitOutcome::Cancelled : WaitOutcome::Reported;
        if (m_services.processWaiter && m_services.processWaiter->WaitForProcessEnd(processId, milliseconds{0})) {
            // The worker's process has gone; a report already on its way still counts.
            if (WaitForResultEvent(kLateReportGrace))
                return m_cancel.Get() ? WaitOutcome::Cancelled : WaitOutcome::Reported;
            return WaitOutcome::Failed;
        }
    }
}

bool CInnerCalc::PerformBinaryOperation(EvalStackHolder& level, Number& result) {
    auto right = level.m_evalStack.back();
    level.m_evalStack.pop_back();
    auto left = level.m_evalStack.back();
    level.m_evalStack.pop_back();
    const OperatorType op = level.m_opStack.front();
    level.m_opStack.pop_front();
    auto putBack = [&] {
        level.m_evalStack.push_back(left);
        level.m_evalStack.push_back(right);
        level.m_opStack.push_front(op);
    };

    int processId = -1;
    if (!StartWorker(processId, "Could not start calculation engine (failed to obtain processID)!")) {
        putBack();
        return false;
    }

    Number lhs = *left->m_spNumber;
    Number rhs = *right->m_spNumber;
    if (op == OpSubtract) {
        lhs = lhs.round(m_nDisplayDigits - 1);
        rhs = rhs.round(m_nDisplayDigits - 1);
    }
    const HRESULT called =
        m_worker->PerformOperation(m_currentRequestId.Get(), lhs.to_scientific(m_nWorkingDigits),
                                   rhs.to_scientific(m_nWorkingDigits), std::string(OperatorWord(op)),
                                   m_nWorkingDigits, m_callbackLink);
    if (Failed(called)) {
        SetAbortMessage("Could not invoke calculation engine!", kFatalCaption);
        EndRequest(WaitOutcome::Reported, processId);
        putBack();
        return false;
    }

    const WaitOutcome outcome = WaitForReport(processId);
    EndRequest(outcome, processId);
    if (outcome == WaitOutcome::Failed)
        SetAbortMessage("Encountered error while waiting for calculation engine to finish!", kFatalCaption);
    if (outcome != WaitOutcome::Reported) {
        putBack();
        return false;
    }

    std::lock_guard lock(m_resultLock);
    if (m_resultStatus != CalcStatus::Success) {
        putBack();
        return true;
    }
    level.m_evalStack.push_back(std::make_shared<EvalData>(m_resultValue));
    result = m_resultValue;
    return true;
}

// Evaluates the top pending operation of `level` while its top operator's
// group is at least minGroup, at most maxRounds times. With recordRounds every
// round pushes its undo record (the first begins the step); a failing round
// takes back the rounds before it.
CInnerCalc::RoundsOutcome CInnerCalc::EvaluateRounds(EvalStackHolder& level, int maxRounds, int minGroup,
                                                     bool recordRounds, Number& result, int& roundsDone) {
    roundsDone = 0;
    while (roundsDone < maxRounds && !level.m_opStack.empty() && level.m_evalStack.size() >= 2 &&
           OperatorGroup(level.m_opStack.front()) >= minGroup) {
        if (recordRounds)
            PushRestoreOperandsRecord(level, roundsDone > 0);
        const bool reported = PerformBinaryOperation(level, result);
        bool succeeded = false;
        if (reported) {
            std::lock_guard lock(m_resultLock);
            succeeded = m_resultStatus == CalcStatus::Success;
            if (m_resultInfo) {
                m_resultInfo->m_status = static_cast<int>(m_resultStatus);
                m_resultInfo->m_errorCode = m_errorCode;
            }
        }
        if (!succeeded) {
            if (recordRounds) {
                DropNewestRecord();
                if (roundsDone > 0)
                    StepBack(false);
            }
            return reported ? RoundsOutcome::ArithmeticError : RoundsOutcome::Aborted;
        }
        ++roundsDone;
    }
    return RoundsOutcome::Success;
}

// ---------------------------------------------------------------- thread procedures

void CInnerCalc::OperatorThreadProc() {
    EvalStackHolder& level = *TopLevel();
    const int op = m_pendingOperator;
    Number result;
    int rounds = 0;
    const RoundsOutcome outcome = EvaluateRounds(level, 3, OperatorGroup(op), true, result, rounds);
    if (outcome == RoundsOutcome::Aborted)
        return FinishAborted();
    if (outcome == RoundsOutcome::Success) {
        if (m_resultInfo) {
            m_resultInfo->m_resultValue = result;
            m_resultInfo->m_bValueReady = true;
        }
        PushRemoveLastOperatorRecord(true);
        level.m_opStack.push_front(static_cast<OperatorType>(op));
        m_prevEntryType = EntryBinaryOperator;
        if (m_record)
            m_record->AddBinaryOperation(EntryBinaryOperator, op, Formatted(result), GetParenDepth());
    }
    FinishDone();
}

void CInnerCalc::EqualsThreadProc() {
    if (m_masterStack.size() != 1 || !TopLevelShapeIsComplete()) {
        return RefuseStep();
    }
    EvalStackHolder& level = *TopLevel();
    Number result;
    if (level.m_evalStack.size() == 1) {
        result = *level.m_evalStack.back()->m_spNumber;
        SetStepStatus(CalcStatus::Success);
        PushPlainStepRecord(false);
    } else {
        int rounds = 0;
        const auto pending = static_cast<int>(level.m_opStack.size());
        const RoundsOutcome outcome = EvaluateRounds(level, pending, 0, true, result, rounds);
        if (outcome == RoundsOutcome::Aborted)
            return FinishAborted();
        if (outcome == RoundsOutcome::ArithmeticError)
            return FinishDone();
    }
    PublishResult(result);
    m_calcState = CalcStateCompleted;
    m_prevEntryType = EntryEquals;
    if (m_record)
        m_record->AddEntry(EntryEquals, "", Formatted(result), GetParenDepth());
    FinishDone();
}

void CInnerCalc::CloseParenThreadProc() {
    if (m_masterStack.size() < 2 || !TopLevelShapeIsComplete()) {
        return RefuseStep();
    }
    EvalStackHolder& level = *TopLevel();
    PushRestoreLevelRecord(level, false);
    const auto saved = std::static_pointer_cast<RestoreEvalStackHolderModify>(m_stepBackStack.back());
    PushRemoveLastValueRecord(true);

    Number result;
    if (level.m_evalStack.size() == 1) {
        result = *level.m_evalStack.back()->m_spNumber;
        SetStepStatus(CalcStatus::Success);
    } else {
        int rounds = 0;
        const auto pending = static_cast<int>(level.m_opStack.size());
        const RoundsOutcome outcome = EvaluateRounds(level, pending, 0, false, result, rounds);
        if (outcome != RoundsOutcome::Success) {
            if (rounds > 0)  // the failed round put its operands back, the earlier ones did not
                m_masterStack.back() = std::make_shared<EvalStackHolder>(*saved->m_spEvalStackHolder);
            DropNewestRecord();
            DropNewestRecord();
            return outcome == RoundsOutcome::Aborted ? FinishAborted() : FinishDone();
        }
    }
    auto finalOperand = level.m_evalStack.back();
    m_masterStack.pop_back();
    TopLevel()->m_evalStack.push_back(std::move(finalOperand));
    PublishResult(result);
    m_prevEntryType = EntryCloseParen;
    if (m_record)
        m_record->AddEntry(EntryCloseParen, ")", Formatted(result), GetParenDepth());
    FinishDone();
}

void CInnerCalc::FunctionThreadProc() {
    const bool entryAllowed = m_prevEntryType == EntryNumber ||
                              (m_prevEntryType >= EntryBinaryOperator && m_prevEntryType <= EntryCloseParen);
    if (IsEmpty() || !TopLevelHasValue() || !entryAllowed) {
        return RefuseStep();
    }
    EvalStackHolder& level = *TopLevel();
    PushReplaceLastValueRecord(level, false);

    int processId = -1;
    if (!StartWorker(processId, "Could not start calculation engine (failed to obtain process ID)!")) {
        DropNewestRecord();
        return FinishAborted();
    }

    const std::string name = m_functionName;
    Number x = *level.m_evalStack.back()->m_spNumber;
    std::optional<TrigArgument> angle;
    if (IsTrigFunction(name) && m_angleUnit != AngleRadians) {
        if (name == "tan" && IsTanUndefined(x, m_angleUnit)) {
            DropNewestRecord();
            EndRequest(WaitOutcome::Reported, processId);
            return RefuseStep();
        }
        angle = m_angles.ReduceTrigArgument(name, x, m_angleUnit, m_nWorkingDigits);
        x = angle->radians;
    }

    const HRESULT called = m_worker->ApplySinglArgFunc(m_currentRequestId.Get(), angle ? angle->function : name,
                                                       x.to_scientific(m_nWorkingDigits), m_nWorkingDigits,
                                                       m_callbackLink);
    if (Failed(called)) {
        SetAbortMessage("Could not invoke calculation engine!", kFatalCaption);
        EndRequest(WaitOutcome::Reported, processId);
        DropNewestRecord();
        return FinishAborted();
    }
    const WaitOutcome outcome = WaitForReport(processId);
    EndRequest(outcome, processId);
    if (outcome != WaitOutcome::Reported) {
        if (outcome == WaitOutcome::Failed)
            SetAbortMessage("Encountered error while waiting for calculation engine to finish!", kFatalCaption);
        DropNewestRecord();
        return FinishAborted();
    }

    Number r;
    bool succeeded = false;
    {
        std::lock_guard lock(m_resultLock);
        succeeded = m_resultStatus == CalcStatus::Success;
        r = m_resultValue;
    }
    if (!succeeded) {
        DropNewestRecord();
        return FinishDone();
    }
    if (angle) {
        if (angle->reciprocal) {
            if (r.is_zero()) {
                DropNewestRecord();
                return RefuseStep();
            }
            r = Number(1).divide(r, m_nWorkingDigits);
        }
        if (angle->negate)
            r = -r;
    }
    // A result below 1E-25 that is also far below its argument is what is left
    // of an exact zero (sin of pi entered in radians); a result as small as
    // its own small argument (sin 1E-30) is a value and stays.
    if (IsTrigOrHyperbolicFunction(name) && !r.is_zero() && r.exponent() <= -(m_trigZeroThreshold + 1) &&
        r.exponent() < x.exponent() - m_trigZeroThreshold)
        r = Number(0);
    if (IsInverseTrigFunction(name))
        r = m_angles.FromRadians(r, m_angleUnit, m_nWorkingDigits);
    *level.m_evalStack.back()->m_spNumber = r;
    PublishResult(r);
    m_prevEntryType = EntryFunction;
    if (m_record)
        m_record->AddEntry(EntryFunction, name, Formatted(r), GetParenDepth());
    FinishDone();
}

// ---------------------------------------------------------------- the worker's report

HRESULT CInnerCalc::NotifyResult(int ID, const std::string& status, const std::string& resultString,
                                 int nErrorCode) {
    if (!m_busy.Get() || ID != m_currentRequestId.Get())
        return S_OK;
    {
        std::lock_guard lock(m_resultLock);
        const auto& map = CalcStatusMap();
        const auto it = map.find(status);
        if (it == map.end()) {
            m_resultStatus = CalcStatus::UnknownError;
            m_errorCode = ErrNone;
        } else if (it->second == CalcStatus::Underflow) {
            m_resultValue = Number(0);
            m_resultStatus = CalcStatus::Success;
            m_errorCode = ErrNone;
        } else {
            m_resultStatus = it->second;
            m_errorCode = nErrorCode;
            if (it->second == CalcStatus::Success) {
                // A success whose text is not a number is no success.
                if (const auto value = Number::parse(resultString))
                    m_resultValue = *value;
                else
                    m_resultStatus = CalcStatus::UnknownError;
            }
        }
    }
    m_resultEvent->set();
    return S_OK;
}

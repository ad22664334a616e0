#pragma once
// CInnerCalc: the calculator's state machine.
//
// The frame feeds it one entry at a time on the user-interface thread. Entries
// that need arithmetic (an operator that must evaluate pending operations, a
// function, ")" and "=") run on one calculation thread, which hands each single
// operation to a fresh worker (ICalcWorker) and waits for its report. The
// thread writes the step's outcome into the frame's CalcResultInfo and signals
// CalcDoneEvent (the step finished, or the worker reported an arithmetic
// error) or CalcAbortedEvent (no worker could be started, invoked or waited
// for, or the step was cancelled). While the thread runs, it alone changes the
// stacks; the frame enters nothing until one of the events has been signalled.
// After an error or an abort the stacks are exactly as before the step.
//
// The calculation thread never touches the user interface: messages of a
// failed step go into CalcResultInfo (m_message, m_messageCaption).

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "engine/AngleConversion.h"
#include "engine/CalcRecord.h"
#include "engine/CalcResultInfo.h"
#include "engine/EngineServices.h"
#include "engine/EvalStackHolder.h"
#include "engine/LockedValue.h"
#include "engine/ModifyInnerCalc.h"
#include "engine/RequestIdAllocator.h"
#include "platform/Event.h"
#include "port/ArithRoutines.h"
#include "port/ICalcWorker.h"

namespace boost::serialization {
class access;
}

class CInnerCalcCallbackLink;

class CInnerCalc : public ICalcCompleteCallback, private IInnerCalcUndoTarget {
public:
    // Starts a thread running the given work; may throw (std::system_error)
    // when no thread can be had.
    using ThreadLauncher = std::function<std::thread(std::function<void()>)>;

    struct Services {
        std::shared_ptr<ICalcWorkerFactory> workerFactory;
        std::shared_ptr<IProcessWaiter> processWaiter;
        IEngineMessageBox* messageBoxes = nullptr;  // not owned; used only while constructing
        ThreadLauncher launchThread;                 // empty: std::thread
    };

    // Raises EngineInitError (after a message box) when no worker class is
    // registered (exit code 3) or the result event cannot be made (exit code 2).
    CInnerCalc(IUpdateCalcRecord* record, Services services);
    // Cancels and joins a running calculation thread.
    ~CInnerCalc() override;
    CInnerCalc(const CInnerCalc&) = delete;
    CInnerCalc& operator=(const CInnerCalc&) = delete;

    // ---- entries (user-interface thread) ----
    bool EnterNumber(const Number& number);
    void OpenParen();
    // Sets *accepted when the operator was taken; returns true when a
    // calculation thread was started (the operator is pushed when it ends).
    bool EnterOperator(int opType, bool* accepted);
    // For the first operator after a completed "=": pushes the operator at
    // once and returns false. Refused (nothing changes) while the top level
    // has a pending operator.
    bool EnterOperatorInline(int opType, Number* result);
    void ApplyFunction(const std::string& name);
    bool Negate(const std::string& text, Number* result);
    void CloseParen();
    void Equals();
    void Cancel();
    void Reset();
    void StepBack(bool updateRecord);

    void SetPrecision(int digits);
    // The angle unit: 0 degrees, 1 radians, 2 grads (any other value counts as
    // degrees). The engine keeps it; a function step takes it when it starts,
    // so a change while a step runs counts from the next step on.
    void SetAngleSetting(int setting) { m_angleSetting = AngleUnitFromSetting(setting); }
    int GetAngleSetting() const { return m_angleSetting; }
    int GetDisplayDigits() const { return m_nDisplayDigits; }
    int GetWorkingDigits() const { return m_nWorkingDigits; }
    int GetPrevEntryType() const { return m_prevEntryType; }
    int GetCalcState() const { return m_calcState; }
    int GetParenDepth() const;
    Number GetResult() const;
    bool IsBusy() const { return m_busy.Get(); }
    void SetResultInfo(CalcResultInfo* info) { m_resultInfo = info; }
    void SetCalcRecord(IUpdateCalcRecord* record) { m_record = record; }

    // Reads the stacks (between steps only).
    const std::deque<std::shared_ptr<EvalStackHolder>>& GetMasterStack() const { return m_masterStack; }
    const std::deque<std::shared_ptr<ModifyInnerCalc>>& GetStepBackStack() const { return m_stepBackStack; }

    // Parses number text; false (number unchanged) when it is not a number.
    static bool ParseNumberText(const std::string& text, Number& number);
    // The display text of a value at the display digits (always true).
    bool FormatNumber(const Number& value, std::string& text, bool zeroBelowResolution, bool* rounded) const;

    // ---- the worker's report (any thread) ----
    HRESULT NotifyResult(int ID, const std::string& status, const std::string& resultString,
                         int nErrorCode) override;

    // ---- undo-record factories: each records the current entry type and
    // state and appends its record to the step-back stack ----
    void PushPlainStepRecord(bool bContinue);
    void PushResetRecord(bool bContinue);
    void PushRemoveLastValueRecord(bool bContinue);
    void PushRemoveLastOperatorRecord(bool bContinue);
    void PushRemoveLastLevelRecord(bool bContinue);
    void PushReplaceLastValueRecord(const EvalStackHolder& level, bool bContinue);
    void PushRestoreOperandsRecord(const EvalStackHolder& level, bool bContinue);
    void PushRestoreLevelRecord(const EvalStackHolder& level, bool bContinue);

    template <class Archive>
    void serialize(Archive& ar, unsigned int version);  // defined with the saved-file code

private:
    friend class boost::serialization::access;
    enum class WaitOutcome { Reported, Cancelled, Failed };
    enum class RoundsOutcome { Success, ArithmeticError, Aborted };

    void Init();
    void AddRecord(std::shared_ptr<ModifyInnerCalc> record);
    void DropNewestRecord();
    bool IsEmpty() const { return m_masterStack.empty(); }
    EvalStackHolder* TopLevel() const;
    bool TopLevelHasValue() const;
    bool TopLevelShapeIsComplete() const;
    std::string Formatted(const Number& value) const;

    // IInnerCalcUndoTarget
    void ResetCalculation() override { Reset(); }
    void SetPrevEntryType(int entryType) override { m_prevEntryType = entryType; }
    void SetCalcState(int calcState) override { m_calcState = calcState; }
    std::deque<std::shared_ptr<EvalStackHolder>>& MasterStack() override { return m_masterStack; }

    // ---- calculation threads ----
    bool StartCalcThread(void (CInnerCalc::*proc)());
    void OperatorThreadProc();
    void EqualsThreadProc();
    void CloseParenThreadProc();
    void FunctionThreadProc();
    RoundsOutcome EvaluateRounds(EvalStackHolder& level, int maxRounds, int minGroup, bool recordRounds,
                                 Number& result, int& roundsDone);
    bool PerformBinaryOperation(EvalStackHolder& level, Number& result);
    bool StartWorker(int& processId, const char* processIdFailure);
    bool WaitForResultEvent(std::chrono::milliseconds timeout);
    WaitOutcome WaitForReport(int processId);
    void EndRequest(WaitOutcome outcome, int processId);
    void ReleaseWorker() { m_worker.reset(); }
    void SetAbortMessage(const std::string& text, const std::string& caption);
    void SetStepStatus(CalcStatus status);
    void RefuseStep();
    void PublishResult(const Number& value);
    void PushOperator(EvalStackHolder& level, int opType);
    void FinishDone();
    void FinishAborted();
    void Signal(int eventIndex);

    int m_calcState = CalcStateEmpty;
    int m_nDisplayDigits = 60;
    int m_nWorkingDigits = 80;
    int m_prevEntryType = EntryNone;
    SingleArgFuncTable m_singleArgFunctions;
    TwoArgFuncTable m_twoArgFunctions;
    CRequestIdAllocator m_requestIds;
    std::deque<std::shared_ptr<EvalStackHolder>> m_masterStack;
    std::deque<std::shared_ptr<ModifyInnerCalc>> m_stepBackStack;
    IUpdateCalcRecord* m_record = nullptr;
    CalcResultInfo* m_resultInfo = nullptr;
    std::unique_ptr<CEvent> m_resultEvent;
    Services m_services;
    CLockedValue<bool> m_cancel{false};
    CLockedValue<bool> m_busy{false};
    CLockedValue<int> m_currentRequestId{-1};
    int m_trigZeroThreshold = 25;
    AngleUnit m_angleSetting = AngleDegrees;  // user-interface thread only

    // Written by NotifyResult, read by the calculation thread after its wait.
    mutable std::mutex m_resultLock;
    Number m_resultValue;
    CalcStatus m_resultStatus = CalcStatus::Success;
    int m_errorCode = ErrNone;

    // The current step (set by its starter before the thread starts).
    std::string m_functionName;
    int m_pendingOperator = OpNone;
    AngleUnit m_angleUnit = AngleDegrees;  // the step's copy of m_angleSetting
    CAngleConverter m_angles;  // used by the calculation threads, one at a time
    std::string m_abortMessage;
    std::string m_abortCaption;

    std::shared_ptr<ICalcWorker> m_worker;  // the worker of the request in flight
    std::shared_ptr<CInnerCalcCallbackLink> m_callbackLink;
    std::thread m_thread;
    std::thread::id m_threadId;
};

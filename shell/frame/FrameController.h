#pragma once
// CFrameController: the main frame's calculator logic without widgets. Every
// calculator key, whether clicked, typed or chosen from a menu, ends in
// DispatchCalcCommand, which decides from the command id, the engine's state
// and the controller's flags what happens; OnResultEvent and OnAbortEvent take
// the outcome of a calculation step when the engine's thread signals one of
// the two events. The controller owns the engine, the calculation record and
// the step-back history, and reaches the windows only through the interfaces
// of FrameInterfaces.h. User-interface thread only, but for the two flags,
// which the panes may read from anywhere.
//
// Its definitions, by concern: FrameController.cpp the engine's creation and
// shutdown and the helpers the commands share; FrameControllerKeys.cpp the
// dispatch and the entry rules of the keys; FrameControllerOutcomes.cpp the
// end of a step; FrameControllerEntries.cpp step back and the entries put in
// from the panes, the clipboard and the entry dialogs.

#include <array>
#include <chrono>
#include <memory>
#include <string>

#include "engine/CalcRecord.h"
#include "engine/CalcResultInfo.h"
#include "engine/EngineServices.h"
#include "engine/InnerCalc.h"
#include "engine/LockedValue.h"
#include "resources/CommandIds.h"
#include "shell/frame/FrameInterfaces.h"
#include "shell/frame/StepBackHistory.h"

class CEvent;

class CFrameController : private IEngineMessageBox {
public:
    struct Views {
        IEntryLine* entry = nullptr;
        IDisplayPanel* display = nullptr;
        IUiServices* services = nullptr;
        IHistorySink* history = nullptr;  // may be null
    };

    // events: CalcDoneEvent and CalcAbortedEvent, owned by the caller and kept
    // alive for as long as an engine thread may signal them.
    CFrameController(Views views, std::array<CEvent*, 2> events);
    ~CFrameController() override;
    CFrameController(const CFrameController&) = delete;
    CFrameController& operator=(const CFrameController&) = delete;

    // Creates the engine with the given digits; raises EngineInitError (after
    // its message box) when the engine cannot work.
    void CreateEngine(CInnerCalc::Services services, int sigDigits);
    // Cancels a running step, waits for the calculation thread to report
    // (at most `wait`), takes its report, and releases the engine. False when
    // the thread did not report in time: the engine is then abandoned, not
    // destroyed, and the events must outlive the process.
    bool Shutdown(std::chrono::milliseconds wait);

    // ---- commands ----
    void DispatchCalcCommand(int id);
    void OnResultEvent();
    void OnAbortEvent();
    void StepBack(bool bSingleStep);
    void StepBackTo(int count);
    void ResetEngine();
    // Clears the calculator as Clear All does, or cancels a running step.
    void ClearAll() { DispatchCalcCommand(kClearAllId); }

    // ---- entry transfer ----
    void AddAsNewEntry(const std::string& text);
    bool CanAcceptEntry() const;
    bool CanEditEntry() const;
    bool IsParenJustOpened() const;
    void RestoreNumberEntry(const std::string& text);
    void RestoreConstantEntry(const std::string& text);
    void RestoreOperationEntry(const StepBackHistoryEntry& entry);

    // ---- state ----
    bool IsCalculating() const { return m_bIsCalculating.Get(); }
    bool IsCancelPending() const { return m_bIsCancelPending.Get(); }
    bool IsBusy() const { return IsCalculating() || IsCancelPending(); }
    // No engine, or an empty engine with "0" on the entry line.
    bool IsCalculationEmpty() const;
    int LastCalcStatus() const { return m_lastCalcStatus; }
    void SetLastCalcStatus(int status) { m_lastCalcStatus = status; }
    bool ConstantJustEntered() const { return m_bConstantJustEntered; }
    void SetConstantJustEntered(bool value) { m_bConstantJustEntered = value; }
    StepBackHistory& GetStepBackHistory() { return m_stepBackHistory; }
    const StepBackHistory& GetStepBackHistory() const { return m_stepBackHistory; }
    CInnerCalc* Engine() { return m_engine.get(); }
    const CInnerCalc* Engine() const { return m_engine.get(); }
    // Max Digits, kept by the engine while it runs (0 without an engine); the
    // entry line is told each value.
    int EngineDigits() const { return m_engine ? m_engine->GetDisplayDigits() : 0; }
    CCalcRecord& Record() { return m_calcRecord; }
    const CalcResultInfo& ResultInfo() const { return m_resultInfo; }
    IEntryLine& EntryLine() { return *m_views.entry; }
    IDisplayPanel& Display() { return *m_views.display; }
    IUiServices& Services() { return *m_views.services; }
    // The display text of a value at the engine's digits.
    std::string Format(const Number& value, bool* rounded = nullptr) const;
    // Changes Max Digits (clears the calculator first).
    void SetPrecision(int digits);

    static constexpr int kClearAllId = static_cast<int>(cmd::kClearAll);

private:
    static constexpr int kSuccess = static_cast<int>(CalcStatus::Success);

    // What the handler of the step now running pushed onto the step-back
    // history, so that a cancel or abort takes back exactly that.
    struct PendingStep {
        bool pushedNumber = false;
        bool pushedOperation = false;
    };

    // IEngineMessageBox (the engine's boxes while it is created)
    void ShowMessageBox(const std::string& text, const std::string& caption) override;

    void Refuse(const std::string& message);
    void RefuseWithString(unsigned id);
    bool IsFresh() const { return m_views.entry->IsStartOver(); }
    bool NothingNewEntered() const { return IsFresh() && !m_bConstantJustEntered; }
    // Takes the entry line's number into the engine; true when a number entry
    // was pushed.
    bool TakeEntry(bool asConstant);
    void PushOperationEntry(const std::string& text = {});
    void BeginStep(const PendingStep& step);
    // The tail of "=" and ")": takes the entry, lets the engine close (Equals or
    // CloseParen) and starts the step; nothing once the calculation is completed.
    void CloseStep(void (CInnerCalc::*close)());

    // A character key for the entry line; false when the line did not take
    // it ("+" or "-" that is no exponent sign: an operator).
    bool OnTypedChar(char c, int prevEntryType, int calcState);
    void OnConstant(int id, int prevEntryType, int calcState);
    void OnOpenParen(int prevEntryType, int calcState);
    void OnClearAll();
    void OnBinaryOperator(int op);
    void OnFunction(const std::string& name);
    void OnEquals();
    void OnCloseParen();
    void OnNegate();
    void ShowResultStatus(int status, int errorCode);
    void TakeAbortMessage();

    Views m_views;
    std::array<CEvent*, 2> m_events;
    CCalcRecord m_calcRecord;
    CalcResultInfo m_resultInfo;
    std::unique_ptr<CInnerCalc> m_engine;
    CLockedValue<bool> m_bIsCalculating{false};
    CLockedValue<bool> m_bIsCancelPending{false};
    int m_lastCalcStatus = kSuccess;
    bool m_bConstantJustEntered = false;
    StepBackHistory m_stepBackHistory;
    PendingStep m_pendingStep;
};

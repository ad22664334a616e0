#pragma once
// Test support for the engine: an engine wired to an in-process worker (or to
// a scripted worker), a driver for key sequences and a text form of the stacks.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/CalcRecord.h"
#include "engine/InnerCalc.h"
#include "platform/Event.h"
#include "port/NameTables.h"
#include "worker/InProcessCalcWorker.h"

namespace enginetest {

class FakeMessageBoxes : public IEngineMessageBox {
public:
    void ShowMessageBox(const std::string& text, const std::string& caption) override {
        shown.push_back(caption + ": " + text);
    }
    std::vector<std::string> shown;
};

// Wraps a factory and logs every worker call as "lhs op rhs" or "func(arg)".
class LoggingWorkerFactory : public ICalcWorkerFactory {
public:
    explicit LoggingWorkerFactory(std::shared_ptr<ICalcWorkerFactory> inner) : m_inner(std::move(inner)) {}
    bool IsRegistered(const std::string& progId) override { return m_inner->IsRegistered(progId); }
    HRESULT CreateWorker(const std::string& progId, std::shared_ptr<ICalcWorker>* worker) override;
    bool AwaitReport(int wakeFd, std::chrono::milliseconds timeout) override {
        return m_inner->AwaitReport(wakeFd, timeout);
    }
    std::vector<std::string> Calls() const {
        std::lock_guard lock(m_lock);
        return m_calls;
    }
    void Log(std::string call) {
        std::lock_guard lock(m_lock);
        m_calls.push_back(std::move(call));
    }

private:
    std::shared_ptr<ICalcWorkerFactory> m_inner;
    mutable std::mutex m_lock;
    std::vector<std::string> m_calls;
};

// The outcome of one entry in a key sequence.
enum class Entered { Refused, Immediate, Done, Aborted, TimedOut };

// An engine on the in-process worker, with its record and result info.
class EngineRig {
public:
    // Null factory and waiter: the rig's in-process worker.
    explicit EngineRig(int displayDigits = 15, std::shared_ptr<ICalcWorkerFactory> factory = nullptr,
                       std::shared_ptr<IProcessWaiter> waiter = nullptr, CInnerCalc::ThreadLauncher launcher = {});
    ~EngineRig();

    // Enters one token: a number, "(", ")", "=", an operator word ("+", "idiv",
    // "ncr" ...), "neg", or a function name.
    Entered Enter(const std::string& token);
    // Enters every blank-separated token; stops at the first that fails
    // (refused, aborted, timed out) and returns its outcome, else the last one.
    Entered EnterAll(const std::string& tokens);
    // Waits for CalcDoneEvent or CalcAbortedEvent.
    Entered WaitStep(std::chrono::milliseconds timeout = std::chrono::milliseconds(20000));

    // The stacks as text: levels separated by " | ", each "v op v op v".
    std::string Stacks() const;
    std::string ResultText() const;  // the display text of GetResult
    std::vector<std::string> RecordLines() const;  // "entry|result|depth"

    CInnerCalc& Calc() { return *calc; }

    std::shared_ptr<CInProcessWorkerHost> host;
    std::shared_ptr<LoggingWorkerFactory> logging;
    FakeMessageBoxes messages;
    CCalcRecord record;
    CEvent doneEvent;
    CEvent abortedEvent;
    CalcResultInfo info;
    std::unique_ptr<CInnerCalc> calc;
};

std::string DescribeLevel(const EvalStackHolder& level);
int OperatorFromWord(const std::string& word);  // -1 when it is no operator word

}  // namespace enginetest

#pragma once
// The in-process worker: CCalcWorker objects whose "process" is simulated
// inside the caller's process. It serves the engine as its worker factory and
// process waiter wherever no worker program runs (tests, benchmarks).
//
// Every created worker belongs to the current simulated process, which keeps
// one stable id until it ends; the next worker then starts a new one. Ending
// a process (EndProcess_CW, or KillProcess as a crash would) closes its report
// gate at once: pending reports of its requests are dropped, report delays
// are cut short, and WaitForProcessEnd sees it end.
//
// Request threads run in this process and are joined when the host is
// destroyed. The computations take explicit digit counts, so they never
// change Number's process-wide default precision under the engine's feet.

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "port/ICalcWorker.h"
#include "worker/CalcWorker.h"

class CInProcessWorkerHost : public ICalcWorkerFactory, public IProcessWaiter {
public:
    CInProcessWorkerHost();
    ~CInProcessWorkerHost() override;  // ends every process and joins the request threads
    CInProcessWorkerHost(const CInProcessWorkerHost&) = delete;
    CInProcessWorkerHost& operator=(const CInProcessWorkerHost&) = delete;

    bool IsRegistered(const std::string& progId) override;
    HRESULT CreateWorker(const std::string& progId, std::shared_ptr<ICalcWorker>* worker) override;
    bool WaitForProcessEnd(int processId, std::chrono::milliseconds timeout) override;
    // Reports come on the request threads: nothing to serve.
    bool AwaitReport(int wakeFd, std::chrono::milliseconds timeout) override;

    // Ends a simulated process without any report, as a crash would.
    void KillProcess(int processId);
    // The id the next worker gets (starts a process when none runs).
    int CurrentProcessId();
    // Requests accepted so far, over the host's life.
    int RequestCount() const;
    // Makes CreateWorker fail (E_FAIL) while set.
    void SetCreateFails(bool fails);

    struct State;  // shared with the simulated processes

private:
    class Process;
    std::shared_ptr<Process> CurrentProcess();

    std::shared_ptr<State> m_state;
    std::shared_ptr<Process> m_current;  // guarded by the state's lock
};

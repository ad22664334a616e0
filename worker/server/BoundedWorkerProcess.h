#pragma once
// The worker program's process with a bound on its requests: at most
// maxRunning requests compute at once, each on a thread of its own; up to
// maxWaiting more wait in arrival order and run on the thread of a request
// that has ended. A request beyond both is refused as one whose thread could
// not be started (the call returns E_FAIL and nothing is reported), so no
// caller can make the process start threads or hold computations without end.

#include "worker/CalcWorker.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace ergasto {

class CBoundedWorkerProcess : public IWorkerProcess {
public:
    struct Limits {
        std::size_t maxRunning = 4;
        std::size_t maxWaiting = 16;
    };

    CBoundedWorkerProcess(std::shared_ptr<IWorkerProcess> process, Limits limits);

    int ProcessId() const override { return m_process->ProcessId(); }
    bool StartRequestThread(std::function<void()> work) override;
    bool EndProcess() override { return m_process->EndProcess(); }
    std::shared_ptr<CReportGate> ReportGate() override { return m_process->ReportGate(); }

    std::size_t Running() const;
    std::size_t Waiting() const;

private:
    struct Slots {
        Limits limits;
        mutable std::mutex lock;
        std::size_t running = 0;
        std::deque<std::function<void()>> waiting;
    };
    // Runs work, then whatever waits, on the calling thread; frees the slot at the end.
    static void RunThenWaiting(const std::shared_ptr<Slots>& slots, std::function<void()> work);

    std::shared_ptr<IWorkerProcess> m_process;
    std::shared_ptr<Slots> m_slots;
};

}  // namespace ergasto

#pragma once
// The worker program's process with a bound on its requests, shared fairly
// among its clients (CRequestSlots): a request that may run gets a thread of
// its own; one that waits runs later on the thread of a request that has
// ended. A request beyond its client's share or the totals is refused as one
// whose thread could not be started (the call returns E_FAIL and nothing is
// reported), so no caller can make the process start threads or hold
// computations without end, nor keep the others out.
//
// Each worker object sees the process through ForClient: its requests count
// against that client's share.
//
// A running request's slot is given back when its thread is done with it, or
// earlier, when its report has been answered (SlotGiverOfThisThread): the
// answer is read on another thread than the request's, and the next call of
// the same client may be read before the request's thread has woken up; it
// must find the slot free.

#include "worker/CalcWorker.h"
#include "worker/server/RequestSlots.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace ergasto {

class CBoundedWorkerProcess : public std::enable_shared_from_this<CBoundedWorkerProcess> {
public:
    CBoundedWorkerProcess(std::shared_ptr<IWorkerProcess> process, CRequestSlots::Limits limits);

    // The process as the objects of `client` see it.
    std::shared_ptr<IWorkerProcess> ForClient(ClientId client);

    // Runs work for `client` now or later; false when it is refused.
    bool StartRequest(const ClientId& client, std::function<void()> work);
    // The connection has left the bus: its waiting requests are dropped
    // (nobody is left to report to); its running ones end as they will.
    void DropWaiting(const std::string& connection);

    std::size_t Running() const;
    std::size_t Waiting() const;

    // On a request's thread, for a report on its way: a function that gives
    // the request's slot back at once (any thread; only the first call
    // counts), so that the slot is free from the moment the report is
    // answered. Empty on any other thread.
    static std::function<void()> SlotGiverOfThisThread();

private:
    class CClientView;
    struct CRunning;
    // The request that runs on this thread, if any.
    static thread_local std::shared_ptr<CRunning> t_running;
    // Runs work, then whatever is given the ticket's slot, on the calling thread.
    void RunThenWaiting(CRequestSlots::Ticket ticket, std::function<void()> work);
    // Gives the running request's slot back, once (m_lock held).
    void GiveBack(CRunning& running);

    std::shared_ptr<IWorkerProcess> m_process;
    mutable std::mutex m_lock;
    CRequestSlots m_slots;                                      // guarded by m_lock
    std::map<CRequestSlots::Ticket, std::function<void()>> m_waitingWork;   // guarded by m_lock
};

}  // namespace ergasto

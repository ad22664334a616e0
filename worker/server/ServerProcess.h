#pragma once
// The worker program's process as its bus server runs it: a request that may
// run now runs on the thread that read its call, which leaves the
// connection's loop to a pooled thread (CServerBus::RunHereOnceDispatched).
// The computation starts without waiting for another thread to be woken; the
// pooled thread takes the loop over meanwhile. A request started off the
// loop's dispatch gets a pooled thread of its own, as in CWorkerProcess.

#include "worker/CalcWorker.h"
#include "worker/server/ServerBus.h"

#include <functional>

namespace ergasto {

class CServerProcess : public CWorkerProcess {
public:
    explicit CServerProcess(CServerBus& bus) : m_bus(bus) {}

    bool StartRequestThread(std::function<void()> work) override;
    // Serves the connection on the pooled threads until the loop ends;
    // Quit's code (-1 when no thread could be had). The calling thread
    // never serves: nothing it might compute can hold the process's end.
    int ServeUntilEnd();

private:
    CServerBus& m_bus;
};

}  // namespace ergasto

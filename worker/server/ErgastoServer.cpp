#include "worker/server/ErgastoServer.h"

#include "ipc/BusNames.h"
#include "worker/server/BoundedWorkerProcess.h"
#include "worker/server/ServerBus.h"
#include "worker/server/ServerLifetime.h"
#include "worker/server/ServerProcess.h"
#include "worker/server/WorkerBusObject.h"

#include <cstdio>
#include <cstdlib>

namespace ergasto {

namespace {

[[noreturn]] void endProcess(int code)
{
    std::fflush(nullptr);
    std::_Exit(code);
}

// Passes the objects' news on: their count to the lifetime, a client that
// left to the requests (its waiting ones are dropped).
class CObjectsNews : public IWorkerObjectsOwner {
public:
    CObjectsNews(CServerLifetime& lifetime, CBoundedWorkerProcess& process) : m_lifetime(lifetime), m_process(process)
    {
    }
    void ObjectCountChanged(std::size_t count) override { m_lifetime.objectCountChanged(count); }
    void ConnectionLeft(const std::string& connection) override { m_process.DropWaiting(connection); }

private:
    CServerLifetime& m_lifetime;
    CBoundedWorkerProcess& m_process;
};

}  // namespace

void RunServer()
{
    CServerBus bus;
    if (!bus.isConnected()) {
        std::fprintf(stderr, "Ergasto: no session bus\n");
        endProcess(-1);
    }

    CServerLifetime lifetime(bus, ipc::kWorkerServiceName);
    const auto serverProcess = std::make_shared<CServerProcess>(bus);
    const auto process = std::make_shared<CBoundedWorkerProcess>(serverProcess, CRequestSlots::Limits{});
    CObjectsNews news(lifetime, *process);
    CWorkerBusObject objects(
        bus, [process](const ClientId& client) { return std::make_shared<CCalcWorker>(process->ForClient(client)); },
        CWorkerBusObject::Options{}, news);

    // The objects are in place before the name is taken, so that the call that
    // activated this process finds them.
    if (!objects.registerTree()) {
        std::fprintf(stderr, "Ergasto: cannot register the class object\n");
        endProcess(-1);
    }
    if (!bus.RequestName(ipc::kWorkerServiceName)) {
        std::fprintf(stderr, "Ergasto: the name %s is taken\n", ipc::kWorkerServiceName);
        endProcess(-1);
    }
    lifetime.start();
    // Request threads may still be computing or reporting: they are never waited for.
    endProcess(serverProcess->ServeUntilEnd());
}

}  // namespace ergasto

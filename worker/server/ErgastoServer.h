#pragma once
// The worker program's server: its bus connection, the object tree, the
// bounded request process and the lifetime, put together. It serves until it
// has been idle for CServerLifetime::kIdleExitMs (and the closing pause after
// it) or its connection is lost; EndProcess_CW ends the process on its own.

#include "worker/server/BoundedWorkerProcess.h"
#include "worker/server/ServerBus.h"
#include "worker/server/ServerLifetime.h"
#include "worker/server/ServerProcess.h"
#include "worker/server/WorkerBusObject.h"

#include <memory>
#include <string>

namespace ergasto {

class CErgastoServer : private IWorkerObjectsOwner {
public:
    // On the bus at `busAddress`, or on the session bus when it is empty.
    explicit CErgastoServer(const std::string& busAddress = {});

    // Serves the objects and takes the worker's name; the reason when it cannot.
    std::string Start();
    // Serves on the pooled threads until the server ends; the exit code (0).
    // The calling thread only waits.
    int ServeUntilEnd();
    // Ends the serving early (any thread).
    void Quit(int code) { m_bus.Quit(code); }

private:
    void ObjectCountChanged(std::size_t count) override { m_lifetime.objectCountChanged(count); }
    void ConnectionLeft(const std::string& connection) override { m_process->DropWaiting(connection); }

    CServerBus m_bus;
    CServerLifetime m_lifetime;
    std::shared_ptr<CServerProcess> m_serverProcess;
    std::shared_ptr<CBoundedWorkerProcess> m_process;
    CWorkerBusObject m_objects;
};

// The program: serves on the session bus and ends the process with the exit
// code: -1 when it cannot serve (no bus, or the name is taken), 0 after an
// idle end or a lost connection. The process is ended with std::_Exit,
// because request threads may still be computing and are never waited for.
[[noreturn]] void RunServer();

}  // namespace ergasto

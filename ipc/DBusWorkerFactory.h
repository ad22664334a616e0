#pragma once
// The engine's worker factory on the session bus. IsRegistered looks the
// ProgID up in the classes hive (the user's registration) and, failing that,
// asks the bus whether it can start the worker's name (an installed worker,
// whose activation file lies in one of the bus's service folders).
// CreateWorker asks the class object of "Ergasto.CalcWorker" for a new object
// (the bus starts the worker program from its activation file when it is not
// running) and gives a proxy to it. Activation and creation wait at most
// kCreateTimeout, so a missing or broken worker is told within seconds. The
// factory's connection (BusConnection.h) carries its workers' calls and
// reports on the threads that make and await them; AwaitReport serves it.

#include "ipc/BusConnection.h"
#include "ipc/DBusCalcWorker.h"
#include "port/ICalcWorker.h"

#include <memory>
#include <string>

namespace ipc {

class CDBusWorkerFactory : public ICalcWorkerFactory {
public:
    static constexpr std::chrono::milliseconds kCreateTimeout{5000};

    // A connection of its own to the session bus, and the user's classes hive.
    CDBusWorkerFactory();
    // A connection to the bus at `busAddress` (the session bus when empty).
    CDBusWorkerFactory(const std::string& busAddress, std::string hiveFile);

    // The factory connection's unique name on the bus.
    const std::string& busName() const { return m_connection->uniqueName(); }

    bool IsRegistered(const std::string& progId) override;
    HRESULT CreateWorker(const std::string& progId, std::shared_ptr<ICalcWorker>* worker) override;
    bool AwaitReport(int wakeFd, std::chrono::milliseconds timeout) override;

private:
    std::shared_ptr<CBusConnection> m_connection;
    std::string m_hiveFile;
    std::shared_ptr<CWorkerProcessIds> m_processIds;
};

}  // namespace ipc

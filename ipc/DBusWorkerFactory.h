#pragma once
// The engine's worker factory on the session bus. IsRegistered looks the
// ProgID up in the classes hive (the user's registration) and, failing that,
// asks the bus whether it can start the worker's name (an installed worker,
// whose activation file lies in one of the bus's service folders).
// CreateWorker asks the class object of "Ergasto.CalcWorker" for a new object
// (the bus starts the worker program from its activation file when it is not
// running) and gives a proxy to it. Activation and creation wait at most
// kCreateTimeoutMs, so a missing or broken worker is told within seconds.
// Needs a QCoreApplication.

#include "ipc/CallbackHost.h"
#include "ipc/DBusCalcWorker.h"
#include "port/ICalcWorker.h"

#include <QDBusConnection>

#include <memory>
#include <string>

namespace ipc {

class CDBusWorkerFactory : public ICalcWorkerFactory {
public:
    static constexpr int kCreateTimeoutMs = 5000;

    // A connection of its own to the session bus, and the user's classes hive.
    // (The application's default session connection holds back incoming calls
    // until the main event loop first runs; the callbacks must not wait for that.)
    CDBusWorkerFactory();
    CDBusWorkerFactory(QDBusConnection connection, std::string hiveFile);

    bool IsRegistered(const std::string& progId) override;
    HRESULT CreateWorker(const std::string& progId, std::shared_ptr<ICalcWorker>* worker) override;

private:
    QDBusConnection m_connection;
    std::string m_hiveFile;
    std::shared_ptr<CCallbackHost> m_callbackHost;
    std::shared_ptr<CWorkerProcessIds> m_processIds;
};

}  // namespace ipc

#include "worker/server/ErgastoServer.h"

#include "ipc/BusNames.h"

#include <cstdio>
#include <cstdlib>

namespace ergasto {

CErgastoServer::CErgastoServer(const std::string& busAddress)
    : m_bus(busAddress),
      m_lifetime(m_bus, ipc::kWorkerServiceName),
      m_serverProcess(std::make_shared<CServerProcess>(m_bus)),
      m_process(std::make_shared<CBoundedWorkerProcess>(m_serverProcess, CRequestSlots::Limits{})),
      m_objects(
          m_bus, [this](const ClientId& client) { return std::make_shared<CCalcWorker>(m_process->ForClient(client)); },
          CWorkerBusObject::Options{}, *this)
{
}

std::string CErgastoServer::Start()
{
    if (!m_bus.isConnected())
        return "no session bus";
    // The objects are in place before the name is taken, so that the call that
    // activated this process finds them.
    if (!m_objects.registerTree())
        return "cannot register the class object";
    if (!m_bus.RequestName(ipc::kWorkerServiceName))
        return std::string("the name ") + ipc::kWorkerServiceName + " is taken";
    m_lifetime.start();
    return {};
}

int CErgastoServer::ServeUntilEnd()
{
    return m_serverProcess->ServeUntilEnd();
}

void RunServer()
{
    CErgastoServer server;
    const std::string error = server.Start();
    int code = -1;
    if (error.empty())
        code = server.ServeUntilEnd();
    else
        std::fprintf(stderr, "Ergasto: %s\n", error.c_str());
    // Request threads may still be computing or reporting: they are never waited for.
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace ergasto

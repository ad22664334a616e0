#include "ipc/DBusWorkerFactory.h"

#include "ipc/BusNames.h"
#include "ipc/ClassesHive.h"
#include "ipc/HResultErrors.h"

#include <algorithm>

namespace ipc {

namespace {

// The bus name that serves a ProgID: both ProgIDs of the worker class are
// served under the version-independent one.
std::string serviceForProgId(const std::string& progId)
{
    if (progId == kWorkerProgId || progId == kWorkerVersionedProgId)
        return kWorkerServiceName;
    return {};
}

}  // namespace

CDBusWorkerFactory::CDBusWorkerFactory() : CDBusWorkerFactory(std::string(), CClassesHive::DefaultFilePath()) {}

CDBusWorkerFactory::CDBusWorkerFactory(const std::string& busAddress, std::string hiveFile)
    : m_connection(std::make_shared<CBusConnection>(busAddress)),
      m_hiveFile(std::move(hiveFile)),
      m_processIds(std::make_shared<CWorkerProcessIds>())
{
}

bool CDBusWorkerFactory::IsRegistered(const std::string& progId)
{
    const CClassesHive hive(m_hiveFile);
    if (ClassIdFromProgId(hive, progId))
        return true;
    // An installed worker is registered by its activation file in one of the
    // bus's own service folders, which the bus lists as activatable.
    const std::string service = serviceForProgId(progId);
    if (service.empty() || !m_connection->isConnected())
        return false;
    const CBusConnection::Reply names =
        m_connection->call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                           "ListActivatableNames", {kCreateTimeout, false, CBusConnection::Expect::Strings});
    return names.ok && std::find(names.strings.begin(), names.strings.end(), service) != names.strings.end();
}

HRESULT CDBusWorkerFactory::CreateWorker(const std::string& progId, std::shared_ptr<ICalcWorker>* worker)
{
    if (!worker)
        return E_POINTER;
    worker->reset();
    const std::string service = serviceForProgId(progId);
    if (service.empty() || !m_connection->isConnected())
        return E_FAIL;

    const CBusConnection::Reply reply =
        m_connection->call(service, kClassFactoryPath, kClassFactoryInterface, "CreateInstance",
                           {kCreateTimeout, true, CBusConnection::Expect::ObjectPath});
    if (!reply.errorName.empty())
        return HResultFromErrorName(reply.errorName);
    if (!reply.ok || reply.sender.empty() || reply.objectPath.empty())
        return E_FAIL;
    // Talk to the process that made the object, by its unique name.
    *worker = std::make_shared<CDBusCalcWorker>(m_connection, reply.sender, reply.objectPath, m_processIds);
    return S_OK;
}

bool CDBusWorkerFactory::AwaitReport(int wakeFd, std::chrono::milliseconds timeout)
{
    return m_connection->ServeUntilReadable(wakeFd, timeout);
}

}  // namespace ipc

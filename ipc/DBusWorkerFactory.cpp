#include "ipc/DBusWorkerFactory.h"

#include "ipc/BusNames.h"
#include "ipc/ClassesHive.h"
#include "ipc/DBusCalcWorker.h"
#include "ipc/HResultErrors.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>

namespace ipc {

namespace {

// The bus name that serves a ProgID: both ProgIDs of the worker class are
// served under the version-independent one.
QString serviceForProgId(const std::string& progId)
{
    if (progId == kWorkerProgId || progId == kWorkerVersionedProgId)
        return QLatin1String(kWorkerServiceName);
    return {};
}

}  // namespace

CDBusWorkerFactory::CDBusWorkerFactory()
    : CDBusWorkerFactory(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("quillix-worker")),
                         CClassesHive::DefaultFilePath())
{
}

CDBusWorkerFactory::CDBusWorkerFactory(QDBusConnection connection, std::string hiveFile)
    : m_connection(std::move(connection)),
      m_hiveFile(std::move(hiveFile)),
      m_callbackHost(CCallbackHost::ForConnection(m_connection)),
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
    const QString service = serviceForProgId(progId);
    if (service.isEmpty() || !m_connection.isConnected())
        return false;
    const QDBusReply<QStringList> names = m_connection.interface()->activatableServiceNames();
    return names.isValid() && names.value().contains(service);
}

HRESULT CDBusWorkerFactory::CreateWorker(const std::string& progId, std::shared_ptr<ICalcWorker>* worker)
{
    if (!worker)
        return E_POINTER;
    worker->reset();
    const QString service = serviceForProgId(progId);
    if (service.isEmpty() || !m_connection.isConnected() || !m_callbackHost->isRegistered())
        return E_FAIL;

    QDBusMessage create = QDBusMessage::createMethodCall(service, QLatin1String(kClassFactoryPath),
                                                         QLatin1String(kClassFactoryInterface),
                                                         QStringLiteral("CreateInstance"));
    create.setAutoStartService(true);
    const QDBusMessage reply = m_connection.call(create, QDBus::Block, kCreateTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return HResultFromErrorName(reply.errorName());
    const QVariantList args = reply.arguments();
    if (args.size() != 1 || reply.service().isEmpty())
        return E_FAIL;
    const QString path = args[0].value<QDBusObjectPath>().path();
    if (path.isEmpty())
        return E_FAIL;
    // Talk to the process that made the object, by its unique name.
    *worker = std::make_shared<CDBusCalcWorker>(m_connection, reply.service(), path, m_callbackHost, m_processIds);
    return S_OK;
}

}  // namespace ipc

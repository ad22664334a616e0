#include "ipc/DBusCalcWorker.h"

#include "ipc/BusNames.h"
#include "ipc/HResultErrors.h"

#include <QDBusMessage>
#include <QDBusObjectPath>

namespace ipc {

std::optional<int> CWorkerProcessIds::find(const QString& workerName) const
{
    std::lock_guard lock(m_mutex);
    for (const auto& [name, pid] : m_known)
        if (name == workerName)
            return pid;
    return std::nullopt;
}

void CWorkerProcessIds::remember(const QString& workerName, int processId)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_known, [&](const auto& entry) { return entry.first == workerName; });
    m_known.emplace_front(workerName, processId);
    if (m_known.size() > kKept)
        m_known.pop_back();
}

CDBusCalcWorker::CDBusCalcWorker(QDBusConnection connection, QString workerName, QString objectPath,
                                 std::shared_ptr<CCallbackHost> callbackHost,
                                 std::shared_ptr<CWorkerProcessIds> processIds)
    : m_connection(std::move(connection)),
      m_workerName(std::move(workerName)),
      m_objectPath(std::move(objectPath)),
      m_callbackHost(std::move(callbackHost)),
      m_processIds(std::move(processIds))
{
}

CDBusCalcWorker::~CDBusCalcWorker()
{
    // Release without waiting for the answer: the bus keeps the order of our
    // messages, and a worker that is gone has nothing left to release.
    QDBusMessage release = QDBusMessage::createMethodCall(m_workerName, m_objectPath,
                                                          QLatin1String(kUnknownInterface), QStringLiteral("Release"));
    release.setAutoStartService(false);
    m_connection.send(release);
    if (!m_callbackPath.isEmpty())
        m_callbackHost->remove(m_callbackPath);
}

HRESULT CDBusCalcWorker::call(const char* interfaceName, const char* method, const QVariantList& args,
                              QVariantList* results)
{
    QDBusMessage message = QDBusMessage::createMethodCall(m_workerName, m_objectPath, QLatin1String(interfaceName),
                                                          QLatin1String(method));
    message.setAutoStartService(false);
    message.setArguments(args);
    const QDBusMessage reply = m_connection.call(message, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return HResultFromErrorName(reply.errorName());
    if (results)
        *results = reply.arguments();
    return S_OK;
}

QString CDBusCalcWorker::callbackPath() const
{
    std::lock_guard lock(m_callbackMutex);
    return m_callbackPath;
}

QString CDBusCalcWorker::exportCallback(const std::shared_ptr<ICalcCompleteCallback>& callback)
{
    if (!callback)
        return QLatin1String(kNoCallbackPath);
    std::lock_guard lock(m_callbackMutex);
    if (callback != m_callback) {
        if (!m_callbackPath.isEmpty())
            m_callbackHost->remove(m_callbackPath);
        m_callback = callback;
        m_callbackPath = m_callbackHost->add(callback, m_workerName);
    }
    return m_callbackPath;
}

HRESULT CDBusCalcWorker::PerformOperation(int ID, const std::string& lhs, const std::string& rhs,
                                          const std::string& opType, int digits,
                                          std::shared_ptr<ICalcCompleteCallback> pCallback)
{
    const QDBusObjectPath path(exportCallback(pCallback));
    return call(kCalcWorkerInterface, "PerformOperation",
                {ID, QString::fromStdString(lhs), QString::fromStdString(rhs), QString::fromStdString(opType), digits,
                 QVariant::fromValue(path)});
}

HRESULT CDBusCalcWorker::ApplySinglArgFunc(int ID, const std::string& funcName, const std::string& arg, int digits,
                                           std::shared_ptr<ICalcCompleteCallback> pCallback)
{
    const QDBusObjectPath path(exportCallback(pCallback));
    return call(kCalcWorkerInterface, "ApplySinglArgFunc",
                {ID, QString::fromStdString(funcName), QString::fromStdString(arg), digits, QVariant::fromValue(path)});
}

HRESULT CDBusCalcWorker::GetProcessId_CW(int* pProcID)
{
    // The out parameter is the reply; the pointer is checked here.
    if (!pProcID)
        return E_POINTER;
    if (m_processIds) {
        if (const auto known = m_processIds->find(m_workerName)) {
            *pProcID = *known;
            return S_OK;
        }
    }
    QVariantList results;
    const HRESULT hr = call(kCalcWorkerInterface, "GetProcessId_CW", {}, &results);
    if (Failed(hr))
        return hr;
    if (results.size() != 1 || results[0].metaType().id() != QMetaType::Int)
        return E_FAIL;
    *pProcID = results[0].toInt();
    if (m_processIds)
        m_processIds->remember(m_workerName, *pProcID);
    return S_OK;
}

HRESULT CDBusCalcWorker::EndProcess_CW()
{
    return call(kCalcWorkerInterface, "EndProcess_CW", {});
}

HRESULT CDBusCalcWorker::SetCalcDuration(int calcDuration)
{
    return call(kCalcWorkerInterface, "SetCalcDuration", {calcDuration});
}

}  // namespace ipc

#include "ipc/DBusCalcWorker.h"

#include "ipc/BusNames.h"
#include "ipc/HResultErrors.h"

#include <systemd/sd-bus.h>

namespace ipc {

std::optional<int> CWorkerProcessIds::find(const std::string& workerName) const
{
    std::lock_guard lock(m_mutex);
    for (const auto& [name, pid] : m_known)
        if (name == workerName)
            return pid;
    return std::nullopt;
}

void CWorkerProcessIds::remember(const std::string& workerName, int processId)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_known, [&](const auto& entry) { return entry.first == workerName; });
    m_known.emplace_front(workerName, processId);
    if (m_known.size() > kKept)
        m_known.pop_back();
}

CDBusCalcWorker::CDBusCalcWorker(std::shared_ptr<CBusConnection> connection, std::string workerName,
                                 std::string objectPath, std::shared_ptr<CWorkerProcessIds> processIds)
    : m_connection(std::move(connection)),
      m_workerName(std::move(workerName)),
      m_objectPath(std::move(objectPath)),
      m_processIds(std::move(processIds))
{
}

CDBusCalcWorker::~CDBusCalcWorker()
{
    // Release without waiting for the answer: the bus keeps the order of our
    // messages, and a worker that is gone has nothing left to release.
    m_connection->send(m_workerName, m_objectPath, kUnknownInterface, "Release");
    if (!m_callbackPath.empty())
        m_connection->removeCallback(m_callbackPath);
}

HRESULT CDBusCalcWorker::call(const char* method, CBusConnection::Expect expect,
                              const CBusConnection::Arguments& append, CBusConnection::Reply* reply)
{
    const CBusConnection::Reply answer = m_connection->call(m_workerName, m_objectPath, kCalcWorkerInterface, method,
                                                            {kCallTimeout, false, expect}, append);
    if (!answer.errorName.empty())
        return HResultFromErrorName(answer.errorName);
    if (!answer.ok)
        return E_FAIL;   // an answer of the wrong shape
    if (reply)
        *reply = answer;
    return S_OK;
}

std::string CDBusCalcWorker::callbackPath() const
{
    std::lock_guard lock(m_callbackMutex);
    return m_callbackPath;
}

std::string CDBusCalcWorker::exportCallback(const std::shared_ptr<ICalcCompleteCallback>& callback)
{
    if (!callback)
        return kNoCallbackPath;
    std::lock_guard lock(m_callbackMutex);
    if (callback != m_callback) {
        if (!m_callbackPath.empty())
            m_connection->removeCallback(m_callbackPath);
        m_callback = callback;
        m_callbackPath = m_connection->exportCallback(callback, m_workerName);
    }
    return m_callbackPath;
}

HRESULT CDBusCalcWorker::PerformOperation(int ID, const std::string& lhs, const std::string& rhs,
                                          const std::string& opType, int digits,
                                          std::shared_ptr<ICalcCompleteCallback> pCallback)
{
    const std::string path = exportCallback(pCallback);
    return call("PerformOperation", CBusConnection::Expect::Nothing, [&](sd_bus_message* m) {
        return sd_bus_message_append(m, "isssio", ID, lhs.c_str(), rhs.c_str(), opType.c_str(), digits,
                                     path.c_str());
    });
}

HRESULT CDBusCalcWorker::ApplySinglArgFunc(int ID, const std::string& funcName, const std::string& arg, int digits,
                                           std::shared_ptr<ICalcCompleteCallback> pCallback)
{
    const std::string path = exportCallback(pCallback);
    return call("ApplySinglArgFunc", CBusConnection::Expect::Nothing, [&](sd_bus_message* m) {
        return sd_bus_message_append(m, "issio", ID, funcName.c_str(), arg.c_str(), digits, path.c_str());
    });
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
    CBusConnection::Reply reply;
    const HRESULT hr = call("GetProcessId_CW", CBusConnection::Expect::Integer, {}, &reply);
    if (Failed(hr))
        return hr;
    *pProcID = reply.integer;
    if (m_processIds)
        m_processIds->remember(m_workerName, *pProcID);
    return S_OK;
}

HRESULT CDBusCalcWorker::EndProcess_CW()
{
    return call("EndProcess_CW");
}

HRESULT CDBusCalcWorker::SetCalcDuration(int calcDuration)
{
    return call("SetCalcDuration", CBusConnection::Expect::Nothing,
                [&](sd_bus_message* m) { return sd_bus_message_append(m, "i", calcDuration); });
}

}  // namespace ipc

#pragma once
// ICalcWorker over the bus: one worker object of the worker program, addressed
// by the worker process's unique connection name (never the well-known name,
// which may pass to a fresh process) and the object's path. Each call waits at
// most kCallTimeoutMs for its answer. The callback of a request is exported
// through the callback host for as long as this proxy lives; destroying the
// proxy releases the remote object.

#include "ipc/CallbackHost.h"
#include "port/ICalcWorker.h"

#include <QDBusConnection>
#include <QString>

#include <memory>
#include <mutex>

namespace ipc {

class CDBusCalcWorker : public ICalcWorker {
public:
    static constexpr int kCallTimeoutMs = 5000;

    CDBusCalcWorker(QDBusConnection connection, QString workerName, QString objectPath,
                    std::shared_ptr<CCallbackHost> callbackHost);
    ~CDBusCalcWorker() override;
    CDBusCalcWorker(const CDBusCalcWorker&) = delete;
    CDBusCalcWorker& operator=(const CDBusCalcWorker&) = delete;

    const QString& workerName() const { return m_workerName; }
    const QString& objectPath() const { return m_objectPath; }

    HRESULT PerformOperation(int ID, const std::string& lhs, const std::string& rhs, const std::string& opType,
                             int digits, std::shared_ptr<ICalcCompleteCallback> pCallback) override;
    HRESULT ApplySinglArgFunc(int ID, const std::string& funcName, const std::string& arg, int digits,
                              std::shared_ptr<ICalcCompleteCallback> pCallback) override;
    HRESULT GetProcessId_CW(int* pProcID) override;
    HRESULT EndProcess_CW() override;
    HRESULT SetCalcDuration(int calcDuration) override;

private:
    HRESULT call(const char* interfaceName, const char* method, const QVariantList& args,
                 QVariantList* results = nullptr);
    // The path of the callback's exported object ("/" for none).
    QString callbackPath(const std::shared_ptr<ICalcCompleteCallback>& callback);

    QDBusConnection m_connection;
    QString m_workerName;
    QString m_objectPath;
    std::shared_ptr<CCallbackHost> m_callbackHost;

    std::mutex m_callbackMutex;
    std::shared_ptr<ICalcCompleteCallback> m_callback;   // exported at m_callbackPath
    QString m_callbackPath;
};

}  // namespace ipc

#pragma once
// ICalcWorker over the bus: one worker object of the worker program, addressed
// by the worker process's unique connection name (never the well-known name,
// which may pass to a fresh process) and the object's path. Each call is made
// on the calling thread and waits at most kCallTimeoutMs for its answer. The
// callback of a request is exported on the connection for as long as this
// proxy lives, to calls from the worker's connection only; destroying the
// proxy releases the remote object without waiting for the answer.

#include "ipc/BusConnection.h"
#include "port/ICalcWorker.h"

#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace ipc {

// The process ids of the last few worker connections. A bus never gives a
// unique name to a second connection, and a connection never changes process,
// so an id once answered for a name stays true; asking again is a round trip
// for nothing.
class CWorkerProcessIds {
public:
    static constexpr std::size_t kKept = 8;

    std::optional<int> find(const std::string& workerName) const;
    void remember(const std::string& workerName, int processId);

private:
    mutable std::mutex m_mutex;
    std::deque<std::pair<std::string, int>> m_known;   // newest first
};

class CDBusCalcWorker : public ICalcWorker {
public:
    static constexpr std::chrono::milliseconds kCallTimeout{5000};

    // processIds: shared by the proxies of one factory; null: ask every time.
    CDBusCalcWorker(std::shared_ptr<CBusConnection> connection, std::string workerName, std::string objectPath,
                    std::shared_ptr<CWorkerProcessIds> processIds = nullptr);
    ~CDBusCalcWorker() override;
    CDBusCalcWorker(const CDBusCalcWorker&) = delete;
    CDBusCalcWorker& operator=(const CDBusCalcWorker&) = delete;

    const std::string& workerName() const { return m_workerName; }
    const std::string& objectPath() const { return m_objectPath; }
    // Where the callback of the last request is exported (empty before the first).
    std::string callbackPath() const;

    HRESULT PerformOperation(int ID, const std::string& lhs, const std::string& rhs, const std::string& opType,
                             int digits, std::shared_ptr<ICalcCompleteCallback> pCallback) override;
    HRESULT ApplySinglArgFunc(int ID, const std::string& funcName, const std::string& arg, int digits,
                              std::shared_ptr<ICalcCompleteCallback> pCallback) override;
    HRESULT GetProcessId_CW(int* pProcID) override;
    HRESULT EndProcess_CW() override;
    HRESULT SetCalcDuration(int calcDuration) override;

private:
    HRESULT call(const char* method, CBusConnection::Expect expect = CBusConnection::Expect::Nothing,
                 const CBusConnection::Arguments& append = {}, CBusConnection::Reply* reply = nullptr);
    // Exports the callback for calls from the worker; its path ("/" for none).
    std::string exportCallback(const std::shared_ptr<ICalcCompleteCallback>& callback);

    std::shared_ptr<CBusConnection> m_connection;
    std::string m_workerName;
    std::string m_objectPath;
    std::shared_ptr<CWorkerProcessIds> m_processIds;

    mutable std::mutex m_callbackMutex;
    std::shared_ptr<ICalcCompleteCallback> m_callback;   // exported at m_callbackPath
    std::string m_callbackPath;
};

}  // namespace ipc

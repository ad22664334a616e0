#pragma once
// CCalcWorker: the worker object. It checks each call, packs it into a request
// record and starts the request's thread through its IWorkerProcess; the
// thread reports through the caller's callback (RequestExecution.h).
//
// The same object serves the worker program (CWorkerProcess: the real
// process) and the in-process worker (InProcessCalcWorker.h: a simulated one).

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "port/ArithRoutines.h"
#include "port/ICalcWorker.h"
#include "worker/ReportGate.h"
#include "worker/RequestThreadPool.h"

// The process a worker object lives in.
class IWorkerProcess {
public:
    virtual ~IWorkerProcess() = default;
    virtual int ProcessId() const = 0;
    // Runs work on a new thread; false when no thread could be started.
    virtual bool StartRequestThread(std::function<void()> work) = 0;
    // Ends the process (pending requests are not reported); false when the
    // ending could not be started.
    virtual bool EndProcess() = 0;
    // The gate every report of this process passes (null: always open).
    virtual std::shared_ptr<CReportGate> ReportGate() = 0;
};

// The worker program's own process: request threads from a pool of detached
// threads; ending waits 1000 ms and then exits with code 1, whatever requests
// still run.
class CWorkerProcess : public IWorkerProcess {
public:
    int ProcessId() const override;
    bool StartRequestThread(std::function<void()> work) override;
    bool EndProcess() override;
    std::shared_ptr<CReportGate> ReportGate() override { return nullptr; }

protected:
    CRequestThreadPool& Threads() { return m_threads; }

private:
    CRequestThreadPool m_threads;
};

class CCalcWorker : public ICalcWorker {
public:
    explicit CCalcWorker(std::shared_ptr<IWorkerProcess> process);

    HRESULT PerformOperation(int ID, const std::string& lhs, const std::string& rhs, const std::string& opType,
                             int digits, std::shared_ptr<ICalcCompleteCallback> pCallback) override;
    HRESULT ApplySinglArgFunc(int ID, const std::string& funcName, const std::string& arg, int digits,
                              std::shared_ptr<ICalcCompleteCallback> pCallback) override;
    HRESULT GetProcessId_CW(int* pProcID) override;
    HRESULT EndProcess_CW() override;
    HRESULT SetCalcDuration(int calcDuration) override;

    // Exact-case lookups under the maps' locks; false when absent.
    bool LookupOperator(const char* name, int* code) const;
    bool LookupFunction(const char* name, SingleArgFunc* fn) const;

    // A name table: (name, value) sorted by name; the names are the
    // program's own constants, so a table is copied in one piece.
    template <class Value>
    using NameTable = std::vector<std::pair<std::string_view, Value>>;

private:
    std::shared_ptr<IWorkerProcess> m_process;
    mutable std::mutex m_operatorMapLock;
    NameTable<int> m_operatorMap;  // operator word -> OperatorType
    mutable std::mutex m_functionMapLock;
    NameTable<SingleArgFunc> m_functionMap;  // 24 names, "negate" left out
};

#include "worker/CalcWorker.h"

#include <chrono>
#include <cstdlib>
#include <new>
#include <thread>
#include <unistd.h>

#include "port/Operations.h"
#include "worker/CalcDuration.h"
#include "worker/RequestExecution.h"

int CWorkerProcess::ProcessId() const { return static_cast<int>(::getpid()); }

bool CWorkerProcess::StartRequestThread(std::function<void()> work) { return m_threads.Run(std::move(work)); }

bool CWorkerProcess::EndProcess() {
    try {
        std::thread([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(1000));
            std::_Exit(1);
        }).detach();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

namespace {

using OperatorMap = std::map<std::string, int, std::less<>>;
using FunctionMap = std::map<std::string, SingleArgFunc, std::less<>>;

// The tables every worker object starts from, built once.
const OperatorMap& OperatorTable() {
    static const OperatorMap table = [] {
        OperatorMap map;
        for (const OperationSpec& op : BinaryOperators())
            map.emplace(std::string(op.name), op.opType);
        return map;
    }();
    return table;
}

const FunctionMap& FunctionTable() {
    static const FunctionMap table = [] {
        FunctionMap map;
        for (const OperationSpec& function : Functions())
            if (function.checkedOneArg)
                map.emplace(std::string(function.name), function.checkedOneArg);
        return map;
    }();
    return table;
}

}  // namespace

CCalcWorker::CCalcWorker(std::shared_ptr<IWorkerProcess> process)
    : m_process(std::move(process)), m_operatorMap(OperatorTable()), m_functionMap(FunctionTable()) {}

bool CCalcWorker::LookupOperator(const char* name, int* code) const {
    std::lock_guard lock(m_operatorMapLock);
    const auto it = m_operatorMap.find(name ? name : "");
    if (it == m_operatorMap.end())
        return false;
    if (code)
        *code = it->second;
    return true;
}

bool CCalcWorker::LookupFunction(const char* name, SingleArgFunc* fn) const {
    std::lock_guard lock(m_functionMapLock);
    const auto it = m_functionMap.find(name ? name : "");
    if (it == m_functionMap.end())
        return false;
    if (fn)
        *fn = it->second;
    return true;
}

HRESULT CCalcWorker::PerformOperation(int ID, const std::string& lhs, const std::string& rhs,
                                      const std::string& opType, int digits,
                                      std::shared_ptr<ICalcCompleteCallback> pCallback) {
    if (!pCallback)
        return E_INVALIDARG;
    try {
        auto record = std::make_shared<OpThreadPackage>();
        record->ID = ID;
        record->digits = digits;
        record->lhs = lhs;
        record->rhs = rhs;
        if (!LookupOperator(opType.c_str(), &record->opType))
            return E_INVALIDARG;
        record->callback = std::move(pCallback);
        record->gate = m_process->ReportGate();
        return m_process->StartRequestThread([record] { PerformOperationThreadProc(record); }) ? S_OK : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT CCalcWorker::ApplySinglArgFunc(int ID, const std::string& funcName, const std::string& arg, int digits,
                                       std::shared_ptr<ICalcCompleteCallback> pCallback) {
    if (!pCallback)
        return E_INVALIDARG;
    try {
        auto record = std::make_shared<SingleArgFuncThreadPackage>();
        record->ID = ID;
        record->digits = digits;
        record->arg = arg;
        if (!LookupFunction(funcName.c_str(), &record->routine))
            return E_INVALIDARG;
        record->callback = std::move(pCallback);
        record->gate = m_process->ReportGate();
        return m_process->StartRequestThread([record] { ApplySinglArgFuncThreadProc(record); }) ? S_OK : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT CCalcWorker::GetProcessId_CW(int* pProcID) {
    if (!pProcID)
        return E_POINTER;
    *pProcID = m_process->ProcessId();
    return S_OK;
}

HRESULT CCalcWorker::EndProcess_CW() { return m_process->EndProcess() ? S_OK : E_FAIL; }

HRESULT CCalcWorker::SetCalcDuration(int calcDuration) {
    SetCalcDurationValue(calcDuration);
    return S_OK;
}

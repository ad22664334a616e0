#include "worker/CalcWorker.h"

#include <algorithm>
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

template <class Value>
using NameTable = CCalcWorker::NameTable<Value>;

template <class Value>
NameTable<Value> Sorted(NameTable<Value> table) {
    std::sort(table.begin(), table.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return table;
}

// The tables every worker object starts from, built once.
const NameTable<int>& OperatorTable() {
    static const NameTable<int> table = [] {
        NameTable<int> words;
        for (const OperationSpec& op : BinaryOperators())
            words.emplace_back(op.name, op.opType);
        return Sorted(std::move(words));
    }();
    return table;
}

const NameTable<SingleArgFunc>& FunctionTable() {
    static const NameTable<SingleArgFunc> table = [] {
        NameTable<SingleArgFunc> names;
        for (const OperationSpec& function : Functions())
            if (function.checkedOneArg)
                names.emplace_back(function.name, function.checkedOneArg);
        return Sorted(std::move(names));
    }();
    return table;
}

// Exact-case lookup in a sorted table.
template <class Value>
bool Find(const NameTable<Value>& table, const char* name, Value* value) {
    const std::string_view key = name ? name : "";
    const auto it = std::lower_bound(table.begin(), table.end(), key,
                                     [](const auto& entry, std::string_view k) { return entry.first < k; });
    if (it == table.end() || it->first != key)
        return false;
    if (value)
        *value = it->second;
    return true;
}

}  // namespace

CCalcWorker::CCalcWorker(std::shared_ptr<IWorkerProcess> process)
    : m_process(std::move(process)), m_operatorMap(OperatorTable()), m_functionMap(FunctionTable()) {}

bool CCalcWorker::LookupOperator(const char* name, int* code) const {
    std::lock_guard lock(m_operatorMapLock);
    return Find(m_operatorMap, name, code);
}

bool CCalcWorker::LookupFunction(const char* name, SingleArgFunc* fn) const {
    std::lock_guard lock(m_functionMapLock);
    return Find(m_functionMap, name, fn);
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

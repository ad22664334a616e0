#pragma once
#include <mutex>
#include <string>

#include "port/ICalcWorker.h"

class CInnerCalc;

// Forwards the worker's reports to the engine for as long as the engine
// lives; reports that arrive after it has gone are dropped.
class CInnerCalcCallbackLink : public ICalcCompleteCallback {
public:
    explicit CInnerCalcCallbackLink(CInnerCalc* calc) : m_calc(calc) {}
    HRESULT NotifyResult(int ID, const std::string& status, const std::string& resultString,
                         int nErrorCode) override;
    void Detach() {
        std::lock_guard lock(m_lock);
        m_calc = nullptr;
    }

private:
    std::mutex m_lock;
    CInnerCalc* m_calc;
};


#pragma once
// The caller's callback object, reached over the bus: NotifyResult becomes a
// call of "Ergasto.ICalcCompleteCallback.NotifyResult" on the object path the
// caller gave, at the caller's own connection. Safe to use from any thread
// but the loop's: the calling thread writes the call itself and waits for
// the answer, which the loop reads.
//
// A report has a deadline: a caller that has not answered by then is no
// longer waited for, and the request counts as reported (the message is on
// its way all the same), so a callback that never answers cannot hold the
// request's slot.

#include "port/ICalcWorker.h"
#include "worker/server/ServerBus.h"

#include <chrono>
#include <string>

namespace ergasto {

class CBusCompleteCallback : public ICalcCompleteCallback {
public:
    static constexpr std::chrono::milliseconds kReportDeadline{1000};

    CBusCompleteCallback(CServerBus& connection, std::string callerName, std::string objectPath,
                         std::chrono::milliseconds deadline = kReportDeadline);

    // S_OK once the caller has answered; E_FAIL when it could not be reached
    // or has not answered by the deadline.
    HRESULT NotifyResult(int ID, const std::string& status, const std::string& resultString,
                         int nErrorCode) override;

private:
    CServerBus& m_connection;
    std::string m_callerName;
    std::string m_objectPath;
    std::chrono::milliseconds m_deadline;
};

}  // namespace ergasto

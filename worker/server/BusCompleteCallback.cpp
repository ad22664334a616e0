#include "worker/server/BusCompleteCallback.h"

#include "ipc/BusNames.h"
#include "worker/server/BoundedWorkerProcess.h"

#include <systemd/sd-bus.h>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace ergasto {

namespace {

// The answer to one report, handed from the loop to the reporting thread.
struct Answer {
    std::mutex lock;
    std::condition_variable arrived;
    bool answered = false;
    bool ok = false;
};

}  // namespace

CBusCompleteCallback::CBusCompleteCallback(CServerBus& connection, std::string callerName, std::string objectPath,
                                           std::chrono::milliseconds deadline)
    : m_connection(connection),
      m_callerName(std::move(callerName)),
      m_objectPath(std::move(objectPath)),
      m_deadline(deadline)
{
}

HRESULT CBusCompleteCallback::NotifyResult(int ID, const std::string& status, const std::string& resultString,
                                           int nErrorCode)
{
    // Shared with the loop, which may get the answer after this wait has
    // given up: the reporting thread never touches the connection again.
    const auto answer = std::make_shared<Answer>();
    const bool sent = m_connection.CallAsync(
        m_callerName, m_objectPath, ipc::kCallbackInterface, "NotifyResult",
        [&](sd_bus_message* m) {
            return sd_bus_message_append(m, "issi", static_cast<std::int32_t>(ID), status.c_str(),
                                         resultString.c_str(), static_cast<std::int32_t>(nErrorCode));
        },
        [answer, giveSlotBack = CBoundedWorkerProcess::SlotGiverOfThisThread()](sd_bus_message* reply) {
            // Answered: the request's slot is free before anything the caller sends next is read.
            if (giveSlotBack)
                giveSlotBack();
            {
                std::lock_guard lock(answer->lock);
                answer->answered = true;
                answer->ok = sd_bus_message_is_method_error(reply, nullptr) <= 0;
            }
            answer->arrived.notify_all();
        },
        m_deadline);
    if (!sent)
        return E_FAIL;
    std::unique_lock lock(answer->lock);
    answer->arrived.wait_for(lock, m_deadline, [&] { return answer->answered; });
    return answer->ok ? S_OK : E_FAIL;
}

}  // namespace ergasto

#pragma once
// The engine's process waiter: waits on a pidfd, so the worker need not be our
// child. A process id of 0 or below is never waited on: the answer is false at
// once. The handle of a process is kept between calls, so repeated short
// waits on one worker keep watching the same process even if its id is reused.

#include "ipc/ProcessHandle.h"
#include "port/ICalcWorker.h"

#include <map>
#include <memory>
#include <mutex>

namespace ipc {

class CPidfdProcessWaiter : public IProcessWaiter {
public:
    bool WaitForProcessEnd(int processId, std::chrono::milliseconds timeout) override;

private:
    static constexpr std::size_t kMaxKeptHandles = 8;

    std::mutex m_mutex;
    std::map<int, std::shared_ptr<CProcessHandle>> m_handles;
};

}  // namespace ipc

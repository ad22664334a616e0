#include "ipc/PidfdProcessWaiter.h"

#include <cerrno>

namespace ipc {

bool CPidfdProcessWaiter::WaitForProcessEnd(int processId, std::chrono::milliseconds timeout)
{
    if (processId <= 0)
        return false;
    std::shared_ptr<CProcessHandle> handle;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_handles.find(processId);
        if (it == m_handles.end()) {
            auto opened = CProcessHandle::Open(processId);
            if (!opened)
                return errno == ESRCH;   // already gone
            if (m_handles.size() >= kMaxKeptHandles)
                m_handles.erase(m_handles.begin());
            it = m_handles.emplace(processId, std::make_shared<CProcessHandle>(std::move(*opened))).first;
        }
        handle = it->second;
    }
    // Waiting holds no lock; the shared handle stays open while we wait.
    const auto result = handle->waitForExit(timeout);
    if (result == CProcessHandle::WaitResult::TimedOut)
        return false;
    std::lock_guard lock(m_mutex);
    auto it = m_handles.find(processId);
    if (it != m_handles.end() && it->second == handle)
        m_handles.erase(it);
    return true;   // ended, or the handle broke: nothing left to wait for
}

}  // namespace ipc

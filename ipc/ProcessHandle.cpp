#include "ipc/ProcessHandle.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace ipc {

namespace {

int pidfdOpen(int pid)
{
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

}  // namespace

std::optional<CProcessHandle> CProcessHandle::Open(int pid)
{
    if (pid <= 0)
        return std::nullopt;
    const int fd = pidfdOpen(pid);
    if (fd < 0)
        return std::nullopt;
    return CProcessHandle(pid, fd);
}

CProcessHandle::CProcessHandle(CProcessHandle&& other) noexcept : m_pid(other.m_pid), m_fd(other.m_fd)
{
    other.m_fd = -1;
    other.m_pid = 0;
}

CProcessHandle& CProcessHandle::operator=(CProcessHandle&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_pid = other.m_pid;
        m_fd = other.m_fd;
        other.m_fd = -1;
        other.m_pid = 0;
    }
    return *this;
}

CProcessHandle::~CProcessHandle()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CProcessHandle::hasExited() const
{
    return waitForExit(std::chrono::milliseconds(0)) == WaitResult::Exited;
}

CProcessHandle::WaitResult CProcessHandle::waitForExit(std::chrono::milliseconds timeout) const
{
    if (m_fd < 0)
        return WaitResult::Failed;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd p{m_fd, POLLIN, 0};
        const int n = ::poll(&p, 1, static_cast<int>(std::max<long long>(0, left.count())));
        if (n > 0)
            return (p.revents & (POLLIN | POLLHUP)) ? WaitResult::Exited : WaitResult::Failed;
        if (n == 0)
            return WaitResult::TimedOut;
        if (errno != EINTR)
            return WaitResult::Failed;
    }
}

CProcessHandle::WaitResult WaitForProcessExit(int pid, std::chrono::milliseconds timeout)
{
    if (pid <= 0)
        return CProcessHandle::WaitResult::Failed;
    auto handle = CProcessHandle::Open(pid);
    if (!handle)
        return errno == ESRCH ? CProcessHandle::WaitResult::Exited : CProcessHandle::WaitResult::Failed;
    return handle->waitForExit(timeout);
}

}  // namespace ipc

#include "platform/NamedFileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr auto kPollInterval = std::chrono::milliseconds(10);
}

CNamedFileLock::CNamedFileLock(std::string lockFilePath) : m_path(std::move(lockFilePath)) {}

CNamedFileLock::~CNamedFileLock()
{
    Release();
}

CNamedFileLock::Result CNamedFileLock::Acquire(std::chrono::milliseconds timeout)
{
    if (m_held)
        return Result::Acquired;
    if (m_fd < 0) {
        m_fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0)
            return Result::CannotOpen;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
            m_held = true;
            return Result::Acquired;
        }
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK && errno != EAGAIN)
            return Result::Unsupported;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return Result::TimedOut;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kPollInterval, deadline - now));
    }
}

void CNamedFileLock::Release()
{
    if (m_fd >= 0) {
        if (m_held)
            ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
    }
    m_fd = -1;
    m_held = false;
}

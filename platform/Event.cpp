#include "platform/Event.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

CEvent::CEvent() : m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (m_fd < 0)
        throw std::system_error(errno, std::generic_category(), "eventfd");
}

CEvent::~CEvent() { ::close(m_fd); }

void CEvent::set() {
    const std::uint64_t one = 1;
    // A full counter (never reached in practice) already means "set".
    while (::write(m_fd, &one, sizeof one) < 0 && errno == EINTR) {
    }
}

bool CEvent::tryReset() {
    std::uint64_t value = 0;
    for (;;) {
        if (::read(m_fd, &value, sizeof value) == sizeof value)
            return true;
        if (errno != EINTR)
            return false;
    }
}

bool CEvent::wait(std::chrono::milliseconds timeout) {
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + timeout;
    for (;;) {
        if (tryReset())
            return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
        if (left.count() <= 0)
            return false;
        WaitUntilReadable(m_fd, left);
    }
}

bool WaitUntilReadable(int fd, std::chrono::milliseconds timeout) {
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::clamp<long long>(left.count(), 0, 1 << 30)));
        if (ready > 0)
            return true;
        if ((ready == 0 || errno != EINTR) && clock::now() >= deadline)
            return false;
    }
}

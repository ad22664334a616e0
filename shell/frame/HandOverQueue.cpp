#include "shell/frame/HandOverQueue.h"

void CHandOverQueue::Push(std::string path)
{
    // A raise-only hand-over does not push out a file that waits.
    if (path.empty() && m_pending)
        return;
    m_pending = HandOver{std::move(path)};
}

std::optional<HandOver> CHandOverQueue::Take()
{
    std::optional<HandOver> next = std::move(m_pending);
    m_pending.reset();
    return next;
}
